// Buffers by kind: replacement, and the refusal of a zero size or of memory that cannot be had,
// which keeps the previous buffer; the analysis makes the binary image for the picture's canvas
// and, without the memory for it, leaves everything as it was.
#include <QCursor>
#include <QGuiApplication>

#include "support/scripted_ui.h"
#include "view_fixture.h"

namespace {

const QString kEmpty = QStringLiteral("入力サイズが小さすぎます。");
const QString kOutOfMemory = QStringLiteral("メモリが不足しているため画像を読み込めません。");

// While alive, allocations of at least `bytes` fail; `seen` records the busy cursor at each.
struct FailFrom {
    explicit FailFrom(std::size_t bytes) {
        previous = ColumnBuffer::SetAllocationGate([this, bytes](std::size_t size) {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            busy.push_back(cursor && cursor->shape() == Qt::WaitCursor);
            return size < bytes;
        });
    }
    ~FailFrom() { ColumnBuffer::SetAllocationGate(previous); }
    ColumnBuffer::AllocationGate previous;
    std::vector<bool> busy;
};

TEST_F(ViewTest, EachKindIsReplacedAndARefusalKeepsThePreviousBuffer) {
    view->AllocBuffer(60, 20, 1);
    view->AllocBuffer(300, 100, 1);
    EXPECT_EQ(std::pair(doc->Width(), doc->Height()), std::pair(100, 100));
    doc->m_ppInputPlanes[299][99] = 7;  // the whole new block is there
    EXPECT_EQ(doc->m_ppInputPlanes[299][99], 7);
    view->AllocBuffer(20, 20, 3);
    view->AllocBuffer(5, 5, 3);  // both grids follow the new N
    EXPECT_EQ(std::pair(doc->m_ppAnswerGrid.Columns(), doc->m_ppPlayGrid.Columns()),
              std::pair(5, 5));
    view->AllocBuffer(10, 10, 2);

    const struct {
        int columns, length, kind;
        std::size_t failFrom;
        QString message;
        unsigned flags;
    } refusals[] = {
        {0, 5, 1, SIZE_MAX, kEmpty, MB_ICONQUESTION | MB_OK},
        {5, 0, 2, SIZE_MAX, kEmpty, MB_ICONQUESTION | MB_OK},
        {3000, 3000, 1, 1 << 20, kOutOfMemory, MB_OK},
        {3000, 3000, 2, 1 << 20, kOutOfMemory, MB_OK},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(testing::Message() << r.columns << "x" << r.length << " kind " << r.kind);
        const std::int32_t* planes = doc->m_ppInputPlanes.Data();
        const std::int32_t* binary = view->m_ppBinaryImage.Data();
        ScriptedMessageBoxes boxes;
        FailFrom fail(r.failFrom);
        EXPECT_EQ(view->AllocBuffer(r.columns, r.length, r.kind), FALSE);
        ASSERT_EQ(boxes.Texts(), QStringList{r.message});
        EXPECT_EQ(boxes.All()[0].flags, r.flags);
        EXPECT_EQ(doc->m_ppInputPlanes.Data(), planes);
        EXPECT_EQ(view->m_ppBinaryImage.Data(), binary);
        EXPECT_EQ(std::pair(doc->Width(), view->m_ppBinaryImage.Columns()), std::pair(100, 10));
    }
}

TEST_F(ViewTest, AnalysisWithoutMemoryForTheBinaryImageChangesNothing) {
    PutPicture(300, 10, 10, 10);
    view->FreeBuffer(2);
    Click(IDC_ANALYZE);  // so that every panel and the play button have something to keep
    ASSERT_TRUE(Enabled(IDC_PLAY));
    CheckDlgButton(view->Controls(), IDC_TEST_MODE, false);  // what a new analysis would change
    CheckDlgButton(view->Controls(), IDC_PLAY_MODE, true);
    const QImage panels = view->grab().toImage();
    const int grid = doc->m_nGridSize;
    view->FreeBuffer(2);
    {
        ScriptedMessageBoxes boxes;
        FailFrom fail(300 * 300 * 4);
        Click(IDC_ANALYZE);
        EXPECT_EQ(boxes.Texts(), QStringList{kOutOfMemory});
        EXPECT_EQ(boxes.All()[0].flags, MB_OK);
        // The canvas is larger than the panels: the analysis shows the busy cursor.
        ASSERT_FALSE(fail.busy.empty());
        EXPECT_TRUE(fail.busy.front());
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(view->grab().toImage(), panels);
    EXPECT_TRUE(Enabled(IDC_PLAY));
    EXPECT_EQ(doc->m_nGridSize, grid);

    // With the memory there it runs, and a canvas within the panels needs no busy cursor.
    Click(IDC_ANALYZE);
    EXPECT_NE(view->grab().toImage(), panels);
    EXPECT_EQ(view->m_ppBinaryImage.Columns(), 300);
    PutPicture(260);
    view->FreeBuffer(2);
    FailFrom watch(SIZE_MAX);
    Click(IDC_ANALYZE);
    ASSERT_FALSE(watch.busy.empty());
    EXPECT_FALSE(watch.busy.front());
}

}  // namespace
