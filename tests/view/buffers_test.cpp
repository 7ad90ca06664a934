// Buffer bookkeeping by kind: counts, empty flags, the refusal of a zero size, replacement.
#include "support/scripted_ui.h"
#include "view_fixture.h"

namespace {

TEST_F(ViewTest, AllocationRecordsCountsAndReplacesEachKind) {
    EXPECT_EQ(view->m_bPlanesEmpty, 1);
    EXPECT_EQ(view->m_bBinaryEmpty, 1);
    EXPECT_EQ(view->m_bGridsEmpty, 1);
    view->AllocBuffer(60, 20, 1);
    EXPECT_EQ(view->m_bPlanesEmpty, 0);
    EXPECT_EQ(view->m_bBinaryEmpty, 1);
    view->AllocBuffer(300, 100, 1);
    EXPECT_EQ(view->m_nPlaneColumns, 300);
    EXPECT_EQ(doc->m_ppInputPlanes.Columns(), 300);
    EXPECT_EQ(doc->m_ppInputPlanes.Length(), 100);
    doc->m_ppInputPlanes[299][99] = 7;  // the whole new block is there
    EXPECT_EQ(doc->m_ppInputPlanes[299][99], 7);

    view->AllocBuffer(20, 20, 3);
    view->AllocBuffer(5, 5, 3);  // both grids follow the new N
    EXPECT_EQ(view->m_nGridColumns, 5);
    EXPECT_EQ(doc->m_ppAnswerGrid.Columns(), 5);
    EXPECT_EQ(doc->m_ppPlayGrid.Columns(), 5);
    EXPECT_EQ(doc->m_ppPlayGrid.Length(), 5);

    // Freeing a kind never allocated records the count and clears the flag.
    view->FreeBuffer(12, 2);
    EXPECT_EQ(view->m_nBinaryColumns, 12);
    EXPECT_EQ(view->m_bBinaryEmpty, 0);
    EXPECT_FALSE(view->m_ppBinaryImage.IsAllocated());
}

TEST_F(ViewTest, ZeroSizeIsRefusedAndKeepsThePreviousBuffer) {
    view->AllocBuffer(30, 10, 1);
    view->AllocBuffer(10, 10, 2);
    ScriptedMessageBoxes boxes;
    EXPECT_EQ(view->AllocBuffer(0, 5, 1), FALSE);
    EXPECT_EQ(view->AllocBuffer(5, 0, 2), FALSE);
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Texts().at(0), "入力サイズが小さすぎます。");
    EXPECT_EQ(boxes.All().at(0).flags, MB_ICONQUESTION | MB_OK);
    EXPECT_EQ(view->m_nPlaneColumns, 30);
    EXPECT_EQ(doc->m_ppInputPlanes.Columns(), 30);
    EXPECT_EQ(view->m_nBinaryColumns, 10);
}

TEST(ViewLifetime, DestroyingTheViewFreesEverythingAndForgetsItself) {
    CNGMDoc doc;
    {
        CNGMView view(&doc);
        EXPECT_EQ(g_pView, &view);
        view.AllocBuffer(30, 10, 1);
        view.AllocBuffer(5, 5, 3);
    }
    EXPECT_EQ(g_pView, nullptr);
    EXPECT_FALSE(doc.m_ppInputPlanes.IsAllocated());
    EXPECT_FALSE(doc.m_ppAnswerGrid.IsAllocated());
}

}  // namespace
