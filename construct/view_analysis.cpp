// The analysis steps of the view: binarization, block grid and the puzzle with its clues.
// Each step hands the view's buffers and panel images to its widget-free piece.
#include "construct/binarize.h"
#include "construct/block_grid.h"
#include "construct/ngm_view.h"
#include "construct/picture_puzzle.h"
#include "construct/result_panel.h"
#include "model/ngm_doc.h"

int CNGMView::Binarize() {
    // Play mode draws nothing, so that the solution stays hidden.
    Picture& picture = GetDocument()->m_picture;
    BinarizePlanes(picture.planes, m_nImageWidth, m_nImageHeight, m_nLowerThreshold,
                   m_nUpperThreshold, m_ppBinaryImage, m_bTestMode ? &m_dcBinary : nullptr,
                   &picture.gray);
    return 1;
}

int CNGMView::MakeBlockGrid() {
    const int n = SelectedBlockCount();
    AllocBuffer(n, n, 3);
    ColumnBuffer blocks;
    blocks.Allocate(n, n);
    ReduceToBlocks(m_ppBinaryImage, m_nImageWidth, m_nImageHeight, n, blocks);
    DrawBlockPanels(blocks, m_nImageWidth, m_nImageHeight, n, m_bTestMode != 0, m_dcPreview,
                    m_dcBinary);
    // The blocks become the document's puzzle, named after the picture.
    Puzzle puzzle = PuzzleOfBlocks(blocks, n);
    puzzle.title = m_strPictureName.toStdString();
    GetDocument()->SetPuzzle(std::move(puzzle));
    update();
    return n;
}

void CNGMView::DrawResult() {
    DrawPuzzle(m_dcResult, GetDocument()->GetPuzzle());
    update();
}
