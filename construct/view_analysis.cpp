// The analysis steps of the view: the picture analysed with the controls' settings, then the
// panels drawn from the analysis and its puzzle handed to the document.
#include "analysis/analysis.h"
#include "construct/ngm_view.h"
#include "model/ngm_doc.h"
#include "platform/message_box.h"
#include "render/binary_panel.h"
#include "render/block_panels.h"
#include "render/result_panel.h"

Analysis CNGMView::Binarize(const AnalysisSettings& settings) {
    // The blocks are cut from the binary image, which the analysis always writes here: the
    // test mode draws it.
    Picture& picture = GetDocument()->m_picture;
    Analysis analysis =
        Analyze(picture, settings, m_ppBinaryImage, BinaryImage::kAlways, &picture.gray);
    // Play mode draws nothing, so that the solution stays hidden.
    if (m_bTestMode)
        DrawBinaryPixels(m_ppBinaryImage, analysis.binary, m_dcBinary);
    return analysis;
}

int CNGMView::MakeBlockGrid(const BlockChoice& choice, Analysis analysis) {
    m_division = analysis.division;
    if (analysis.Refused()) {
        // Blocks smaller than a pixel would smear the picture: no puzzle.  The user hears of it
        // once per choice, not again on every analysis that follows (each step of a dragged
        // threshold analyses).  The choice is kept before the box shows, so that what arrives
        // while it is open stays silent too.
        GetDocument()->ClearPuzzle();
        update();
        if (m_refusedChoice != choice) {
            m_refusedChoice = choice;
            AppMessageBox(BlockRefusalText(GetDocument()->m_picture, choice), MB_ICONEXCLAMATION);
        }
        return 0;
    }
    m_refusedChoice.reset();
    const int columns = m_division.columns;
    AllocBuffer(columns, m_division.rows, 3);
    DrawBlockPanels(analysis.blocks, m_division, m_bTestMode != 0, m_dcPreview, m_dcBinary);
    // The blocks become the document's puzzle, named after the picture.
    analysis.puzzle.title = m_strPictureName.toStdString();
    GetDocument()->SetPuzzle(std::move(analysis.puzzle));
    update();
    return columns;
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
    update();
}
