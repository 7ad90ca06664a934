// The analysis steps of the view: binarization, block grid and the puzzle with its clues.
// Each step hands the view's buffers and panel images to its widget-free piece.
#include "construct/binarize.h"
#include "construct/block_grid.h"
#include "construct/ngm_view.h"
#include "construct/picture_puzzle.h"
#include "construct/result_panel.h"
#include "model/ngm_doc.h"
#include "platform/message_box.h"

int CNGMView::Binarize() {
    // Play mode draws nothing, so that the solution stays hidden.
    Picture& picture = GetDocument()->m_picture;
    BinarizePlanes(picture.planes, m_nImageWidth, m_nImageHeight, m_nLowerThreshold,
                   m_nUpperThreshold, m_ppBinaryImage, m_bTestMode ? &m_dcBinary : nullptr,
                   &picture.gray);
    return 1;
}

int CNGMView::MakeBlockGrid() {
    const BlockChoice choice = SelectedBlocks();
    m_division = DivisionOf(GetDocument()->m_picture, choice);
    if (m_division.IsEmpty()) {
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
    const int rows = m_division.rows;
    AllocBuffer(columns, rows, 3);
    ColumnBuffer blocks;
    blocks.Allocate(columns, rows);
    ReduceToBlocks(m_ppBinaryImage, m_division, blocks);
    DrawBlockPanels(blocks, m_division, m_bTestMode != 0, m_dcPreview, m_dcBinary);
    // The blocks become the document's puzzle, named after the picture.
    Puzzle puzzle = PuzzleOfBlocks(blocks, columns, rows);
    puzzle.title = m_strPictureName.toStdString();
    GetDocument()->SetPuzzle(std::move(puzzle));
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
