// The verdict step of the view: the puzzle of the last analysis goes to the judge, and the
// verdict comes back to the status bar and, in test mode, as marks on the undecided blocks.
#include "construct/ngm_view.h"
#include "construct/verdict_judge.h"
#include "render/block_panels.h"
#include "session/ngm_doc.h"
#include "session/verdict_text.h"

void CNGMView::JudgePuzzle() {
    CloseUniqueResults();
    if (!m_pDoc->HasPuzzle()) {
        ClearVerdict();
        return;
    }
    emit verdictChanged(QString(), QString());
    m_pJudge->Judge(m_pDoc->GetPuzzle());
}

void CNGMView::ClearVerdict() {
    CloseUniqueResults();
    m_pJudge->Cancel();
    emit verdictChanged(QString(), QString());
}

void CNGMView::OnJudged(const SolveResult& result) {
    m_session.SetVerdict(result);
    const Puzzle& puzzle = m_pDoc->GetPuzzle();
    // The marks sit on the blocks of the picture, which only an analysed puzzle has.
    if (m_session.TestMode() && result.undecidedCount > 0 && HasPanelImages() &&
        m_pDoc->HasPicture() && puzzle.width == Division().columns &&
        puzzle.height == Division().rows &&
        result.undecided.size() == static_cast<std::size_t>(puzzle.CellCount())) {
        DrawUndecidedMarks(result.undecided, Division(), m_dcPreview, &puzzle);
        update();
    }
    const VerdictLabel label = m_session.VerdictText();
    emit verdictChanged(label.text, label.toolTip);
    AdoptSolution(result);
}
