// The analysis steps of the view: binarization, block grid and the puzzle with its clues.
// Each step hands the view's buffers and panel images to its widget-free piece.
#include "model/ngm_doc.h"
#include "construct/binarize.h"
#include "construct/block_grid.h"
#include "construct/ngm_view.h"
#include "construct/result_panel.h"

int CNGMView::Binarize() {
    // Play mode draws nothing, so that the solution stays hidden.
    BinarizePlanes(GetDocument()->m_ppInputPlanes, m_nImageWidth, m_nImageHeight, m_nLowerThreshold,
                   m_nUpperThreshold, m_ppBinaryImage, m_bTestMode ? &m_dcBinary : nullptr);
    return 1;
}

int CNGMView::MakeBlockGrid() {
    const int n = SelectedBlockCount();
    AllocBuffer(n, n, 3);
    CNGMDoc* doc = GetDocument();
    ReduceToBlocks(m_ppBinaryImage, m_nImageWidth, m_nImageHeight, n, doc->m_ppAnswerGrid);
    DrawBlockPanels(doc->m_ppAnswerGrid, m_nImageWidth, m_nImageHeight, n, m_bTestMode != 0,
                    m_dcPreview, m_dcBinary);
    update();
    return n;
}

void CNGMView::DrawResult(int nGridSize) {
    DrawPuzzle(m_dcResult, GetDocument()->m_ppAnswerGrid, nGridSize);
    update();
}

void CNGMView::DrawColumnClue(int nColumn, int nSlot, int nCellSize, int nCount) {
    ::DrawColumnClue(m_dcResult, GetDocument()->m_nGridSize, nColumn, nSlot, nCellSize, nCount);
}

void CNGMView::DrawRowClue(int nRow, int nSlot, int nCellSize, int nCount) {
    ::DrawRowClue(m_dcResult, GetDocument()->m_nGridSize, nRow, nSlot, nCellSize, nCount);
}

void CNGMView::DrawResultGrid(int nCellSize, int nGridSize) {
    ::DrawResultGrid(m_dcResult, nCellSize, nGridSize);
}
