// The workbench in the form view: a double click on a panel, the puzzle panel's context menu
// or the menu opens it, and every drawing of the panels tells it to follow.  The panels'
// frames let the mouse through, so the view takes their clicks.  The steps behind the
// workbench's edits and band are here too.
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>

#include "construct/ngm_view.h"
#include "construct/workbench.h"
#include "model/board_layout.h"
#include "platform/message_box.h"
#include "platform/scroll_codes.h"
#include "render/binary_panel.h"
#include "render/block_panels.h"
#include "session/ngm_doc.h"

bool CNGMView::OverPuzzlePanel(QPoint pos) const {
    return m_stcResult && m_stcResult->geometry().contains(pos);
}

void CNGMView::OnWorkbench(int pane) {
    if (!m_pWorkbench) {
        m_pWorkbench = new CWorkbench(this);
        m_pWorkbench->Refresh();
    }
    m_pWorkbench->Enlarge(pane);
    m_pWorkbench->show();
    m_pWorkbench->raise();
    m_pWorkbench->activateWindow();
}

void CNGMView::OnZoomPuzzle() {
    OnWorkbench(CWorkbench::kPuzzle);
}

void CNGMView::RefreshZoom() {
    emit panelsChanged();
}

void CNGMView::FillPuzzlePanelMenu(QMenu& menu) {
    QAction* zoom = menu.addAction(tr("拡大表示"), this, [this] { OnZoomPuzzle(); });
    zoom->setEnabled(m_pDoc->HasPuzzle());
}

void CNGMView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (OverPuzzlePanel(pos)) {
            OnZoomPuzzle();
            return;
        }
        for (QWidget* panel : {m_stcInput, m_stcBinary, m_stcPreview}) {
            if (panel && panel->geometry().contains(pos)) {
                OnWorkbench();
                return;
            }
        }
    }
    QWidget::mouseDoubleClickEvent(event);
}

void CNGMView::contextMenuEvent(QContextMenuEvent* event) {
    if (!OverPuzzlePanel(event->pos())) {
        QWidget::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    FillPuzzlePanelMenu(menu);
    menu.exec(event->globalPos());
}

bool CNGMView::event(QEvent* event) {
    // Over a puzzle drawn smaller than the panel's own cells, a tip tells how to read it.
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Puzzle& puzzle = m_pDoc->GetPuzzle();
        if (OverPuzzlePanel(help->pos()) && m_pDoc->HasPuzzle() &&
            (puzzle.width > kLargestAnalysisSide || puzzle.height > kLargestAnalysisSide)) {
            QToolTip::showText(help->globalPos(), tr("ダブルクリックで拡大表示"), this,
                               m_stcResult->geometry());
            return true;
        }
    }
    return QWidget::event(event);
}

void CNGMView::ShowEditedAnswer() {
    EnsurePanelImages();
    const Puzzle& puzzle = m_pDoc->GetPuzzle();
    // The blocks drawn as the analysis draws them; the lines and the label the block drawing
    // also puts into the binary panel are there already.
    if (HasPicture() && puzzle.HasAnswer() && puzzle.width == Division().columns &&
        puzzle.height == Division().rows) {
        CDC untouched;
        m_dcPreview.FillSolidRect(0, 0, m_nPreviewW, m_nPreviewH, kFaceColor);
        DrawBlockPanels(m_session.AnswerBlocks(), Division(), m_session.TestMode(), m_dcPreview,
                        untouched, &puzzle);
        m_stcPreview->update();
    }
    m_dcResult.FillSolidRect(0, 0, m_nResultW, m_nResultH, kFaceColor);
    DrawResult();
    EnableControls({IDC_PLAY}, m_pDoc->HasPuzzle());
    JudgePuzzle();
}

void CNGMView::UndoAnswer(bool redo) {
    const AnswerRestore done = redo ? m_session.Redo() : m_session.Undo();
    if (done == AnswerRestore::kNothing)
        return;
    if (done == AnswerRestore::kAnalysed) {
        ShowSettings(m_session.AnalysedSettings());
        EnsurePanelImages();
        ClearAnalysisPanels();
        if (m_session.TestMode())
            DrawBinaryPixels(m_ppBinaryImage, m_session.LastAnalysis().binary, m_dcBinary);
        MakeBlockGrid(m_pDoc->HasPuzzle() ? AnalysisEnd::kPuzzle : AnalysisEnd::kRefusedAgain);
    }
    ShowEditedAnswer();
}

void CNGMView::SetBand(int lower, int upper) {
    AnalysisSettings settings = m_session.Settings();
    settings.lower = lower;
    settings.upper = upper;
    ShowSettings(settings);
    OnAnalyze();
}

void CNGMView::SetCrop(const std::optional<PixelRect>& crop) {
    m_session.Settings().crop = crop;
    OnAnalyze();
}

void CNGMView::ShowSettings(const AnalysisSettings& settings) {
    m_session.Settings().crop = settings.crop;
    m_session.Settings().locked = settings.locked;
    m_comboColours->setCurrentIndex(settings.IsColour() ? settings.colours - 1 : 0);
    m_nLowerThreshold = settings.lower;
    m_nUpperThreshold = settings.upper;
    // The bars stop at 255; a band up to 256 takes in white, and the edit says so.
    m_controls.Get<ScrollCodeBar>(IDC_LOWER_SCROLL)->SetScrollPos(std::min(settings.lower, 255));
    m_controls.Get<ScrollCodeBar>(IDC_UPPER_SCROLL)->SetScrollPos(std::min(settings.upper, 255));
    SetDlgItemText(m_controls, IDC_LOWER_EDIT, QString::number(settings.lower));
    SetDlgItemText(m_controls, IDC_UPPER_EDIT, QString::number(settings.upper));
    const BlockChoice& blocks = settings.blocks;
    CheckDlgButton(m_controls, IDC_FIT_PICTURE, blocks.fit);
    if (SelectedBlocks() == blocks)
        return;
    if (blocks.custom) {
        SetCustomBlocks(blocks.columns, blocks.rows);
        return;
    }
    const int item = m_comboBlocks->findText(QString::number(blocks.columns));
    if (item >= 0) {
        m_comboBlocks->setCurrentIndex(item);
        m_nBlocksIndex = item;
    }
}

bool CNGMView::ConfirmDiscardEdits() {
    if (!m_pDoc->HasPuzzle() || !m_session.HandEdited())
        return true;
    const int answer = AppMessageBox(
        tr("答えのマスを手で変えています。解析し直すと、その変更は新しい答えに置き換わります"
           "(作業台の「元に戻す」で戻せます)。\n解析し直しますか?"),
        MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES)
        return true;
    ShowSettings(m_session.AnalysedSettings());
    CheckDlgButton(m_controls, IDC_TEST_MODE, m_session.TestMode());
    CheckDlgButton(m_controls, IDC_PLAY_MODE, !m_session.TestMode());
    emit panelsChanged();
    return false;
}
