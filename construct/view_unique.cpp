// The search for a puzzle with exactly one solution in the view: the dialog, started from the
// puzzle of the last analysis, and the steps that apply what the user picks in it.  A band and
// block count go into the scroll bars, edits and combo box and run the analysis, as the user's
// own changes of them would; changed cells become the document's puzzle, drawn into the
// puzzle and preview panels, the binary panel left as the band made it.
#include <QComboBox>

#include "construct/ngm_view.h"
#include "construct/unique_dialog.h"
#include "construct/workbench.h"
#include "platform/scroll_codes.h"
#include "res/dialog_template.h"
#include "session/ngm_doc.h"

bool CNGMView::CanFindUnique() const {
    const Puzzle& puzzle = m_pDoc->GetPuzzle();
    // The search starts from the puzzle of the blocks in force: on the square canvas, fitted
    // to the picture, or custom.
    return HasPicture() && m_pDoc->HasPuzzle() && puzzle.HasAnswer() &&
           puzzle.width == Division().columns && puzzle.height == Division().rows &&
           Division() == DivisionOf(m_session.AnalysedPicture(), SelectedBlocks());
}

void CNGMView::OnFindUnique() {
    if (!CanFindUnique())
        return;
    if (!m_pUniqueDialog) {
        m_pUniqueDialog = new CUniqueDialog(this);
        connect(m_pUniqueDialog, &CUniqueDialog::applyRequested, this,
                [this](const Suggestion& s) { ApplySuggestion(s); });
        connect(m_pUniqueDialog, &CUniqueDialog::searchAgainRequested, this,
                [this] { StartUniqueSearch(); });
        // The cells a selected suggestion changes are shown in the workbench's editor.
        connect(m_pUniqueDialog, &CUniqueDialog::cellsChosen, this,
                [this](const std::vector<std::uint8_t>& cells) {
                    if (m_pWorkbench)
                        m_pWorkbench->ShowSuggestion(cells);
                });
    }
    // An open dialog with the results of this puzzle only comes to the front.
    if (!m_pUniqueDialog->isVisible() || !m_pUniqueDialog->HasCurrentResults())
        StartUniqueSearch();
    m_pUniqueDialog->show();
    m_pUniqueDialog->raise();
    m_pUniqueDialog->activateWindow();
}

void CNGMView::StartUniqueSearch() {
    if (!m_pUniqueDialog || !CanFindUnique())
        return;
    const Puzzle& puzzle = m_pDoc->GetPuzzle();
    const BlockChoice blocks = SelectedBlocks();
    if (puzzle.IsColour()) {
        m_pUniqueDialog->StartColourSearch(
            m_session.AnalysedPicture(), m_session.AnalysedSettings(), puzzle,
            blocks.custom || blocks.fit ? blocks.columns : puzzle.width);
        return;
    }
    const Picture& picture = m_session.AnalysedPicture();
    SearchStart start;
    start.lower = m_nLowerThreshold;
    start.upper = m_nUpperThreshold;
    start.n = blocks.custom || blocks.fit ? blocks.columns : puzzle.width;
    start.answer = puzzle.answer;
    start.width = picture.CanvasWidth();
    start.height = picture.CanvasHeight();
    m_pUniqueDialog->StartSearch(MakeLevelPlane(picture.planes), std::move(start),
                                 SearchShapeOf(picture, blocks, Division()));
}

void CNGMView::CloseUniqueResults() {
    if (m_pUniqueDialog)
        m_pUniqueDialog->CloseResults();
}

void CNGMView::ApplySuggestion(const Suggestion& s) {
    if (!HasPicture())
        return;
    if (s.kind == SuggestionKind::Band) {
        ApplyBand(s.lower, s.upper, s.n);
    } else if (s.kind == SuggestionKind::Colours && s.colours >= 2 && s.colours <= kMaxColours) {
        // The colour count and block count as the user picks them.
        if (s.n <= 0 || s.n > kMaxPuzzleSide)
            return;
        m_comboColours->setCurrentIndex(s.colours - 1);
        SelectBlockCount(s.n);
        OnAnalyze();
    } else if (s.columns == m_pDoc->GetPuzzle().width && s.rows == m_pDoc->GetPuzzle().height) {
        ApplyCellChanges(s.cells, static_cast<int>(s.changed.size()));
    }
}

void CNGMView::ApplyBand(int lower, int upper, int n) {
    if (upper <= lower || lower < 0 || upper > 255)
        return;
    if (n <= 0 || n > kMaxPuzzleSide)
        return;
    SelectBlockCount(n);
    // What the threshold bars leave behind when the user moves them.
    m_controls.Get<ScrollCodeBar>(IDC_LOWER_SCROLL)->SetScrollPos(lower);
    m_controls.Get<ScrollCodeBar>(IDC_UPPER_SCROLL)->SetScrollPos(upper);
    m_nLowerThreshold = lower;
    m_nUpperThreshold = upper;
    SetDlgItemText(m_controls, IDC_LOWER_EDIT, QString::number(lower));
    SetDlgItemText(m_controls, IDC_UPPER_EDIT, QString::number(upper));
    OnAnalyze();
}

void CNGMView::SelectBlockCount(int n) {
    // A custom grid is searched alone: its columns and rows stay as they are.
    if (SelectedBlocks().custom)
        return;
    const int item = m_comboBlocks->findText(QString::number(n));
    if (item >= 0) {
        m_comboBlocks->setCurrentIndex(item);
        m_nBlocksIndex = item;
    } else {
        SetCustomBlocks(n, n);  // a count the list does not hold
    }
}

void CNGMView::ApplyCellChanges(const std::vector<std::uint8_t>& cells, int changed) {
    const Puzzle& current = m_pDoc->GetPuzzle();
    if (current.width <= 0 || current.height <= 0 ||
        cells.size() != static_cast<std::size_t>(current.width) * current.height)
        return;
    m_session.ChangeCells(cells, changed);
    UpdateData();
    ScrollInfoToEnd();
    ShowEditedAnswer();
}
