// The analysis steps of the view: the session analyses its picture with the controls'
// settings, then the panels are drawn from the analysis and its puzzle.
#include "analysis/analysis.h"
#include "construct/ngm_view.h"
#include "platform/message_box.h"
#include "render/binary_panel.h"
#include "render/block_panels.h"
#include "render/result_panel.h"
#include "session/ngm_doc.h"

AnalysisEnd CNGMView::Binarize(const AnalysisSettings& settings) {
    // The blocks are cut from the binary image, which the analysis always writes here: the
    // test mode draws it.
    const AnalysisEnd end = m_session.Analyze(settings, BinaryImage::kAlways);
    // Play mode draws nothing, so that the solution stays hidden.
    if (m_session.TestMode())
        DrawBinaryPixels(m_ppBinaryImage, m_session.LastAnalysis().binary, m_dcBinary);
    return end;
}

int CNGMView::MakeBlockGrid(AnalysisEnd end) {
    update();
    if (end != AnalysisEnd::kPuzzle) {
        // The session has kept the choice before the box shows, so that what arrives while it
        // is open stays silent too.
        if (end == AnalysisEnd::kRefused) {
            AppMessageBox(
                BlockRefusalText(m_session.AnalysedPicture(), m_session.Settings().blocks),
                MB_ICONEXCLAMATION);
        }
        return 0;
    }
    const BlockDivision& division = m_session.Division();
    DrawBlockPanels(m_session.LastAnalysis().blocks, division, m_session.TestMode(), m_dcPreview,
                    m_dcBinary, &m_session.GetPuzzle());
    return division.columns;
}

void CNGMView::DrawResult() {
    const Puzzle& puzzle = GetDocument()->GetPuzzle();
    RefreshZoom();
    if (!GetDocument()->HasPuzzle())
        return;
    // Up to 20 x 20 the puzzle keeps the panel's own cells; a larger one is drawn to fit.
    if (puzzle.width <= kLargestAnalysisSide && puzzle.height <= kLargestAnalysisSide)
        DrawPuzzle(m_dcResult, puzzle);
    else
        DrawPuzzle(m_dcResult, puzzle, PanelLayout(puzzle, m_nResultW, m_nResultH));
    // The panel copies its image when it repaints; the rest of the form is as it was.
    m_stcResult->update();
}
