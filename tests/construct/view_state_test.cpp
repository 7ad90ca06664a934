// The operating panel through the form view: which controls a picture, an analysis, a new
// picture and the DrawBox enable; the block count, the mode and the band in step with the combo
// box, buttons, scroll bars and edits; and refusals (a band, no picture) that change nothing.
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>

#include "analysis_support.h"
#include "platform/modal.h"
#include "support/scripted_ui.h"

namespace {

constexpr int kAnalysisControls[] = {IDC_ANALYZE,      IDC_TEST_MODE,     IDC_PLAY_MODE,
                                     IDC_LOWER_SCROLL, IDC_UPPER_SCROLL,  IDC_LOWER_EDIT,
                                     IDC_UPPER_EDIT,   IDC_LOWER_CAPTION, IDC_UPPER_CAPTION,
                                     IDC_BLOCKS,       IDC_COLOURS};

// From the start only the input controls; a picture enables the analysis and an analysis the
// play; nothing chosen in the combo box is the last item, 20, whatever its edit field says, and a
// block count or mode chosen analyses again; a new picture (a file, or a drawing from the DrawBox)
// takes the puzzle away until it is analysed, and gives the puzzle its name.
TEST_F(ViewTest, StatesFromTheStartThroughChoicesPicturesAndDrawings) {
    for (int id : {IDC_INPUT, IDC_DRAWBOX, IDC_INFO})
        EXPECT_TRUE(Enabled(id)) << id;
    for (int id : kAnalysisControls)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_PLAY));
    // Without a picture a command that still arrives (an accelerator, a scroll code) analyses
    // nothing, and play with the button disabled opens no dialog.
    view.ApplyPicturePresentState();
    EXPECT_FALSE(Enabled(IDC_ANALYZE));
    view.EnableControls({IDC_ANALYZE}, true);
    Click(IDC_ANALYZE);
    view.OnHScroll(SB_LINERIGHT, 0, Bar(IDC_LOWER_SCROLL));
    EXPECT_EQ(doc.GetPuzzle().width, 0);
    EXPECT_FALSE(Enabled(IDC_PLAY));
    EXPECT_FALSE(doc.m_ppAnswerGrid.IsAllocated());
    int runs = 0;
    ModalHook previous = SetModalHook([&](QDialog&) { return ++runs; });
    view.OnPlay();
    SetModalHook(previous);
    EXPECT_EQ(runs, 0);

    PutPicture(20);
    for (int id : kAnalysisControls)
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_PLAY));
    view.m_comboBlocks->setEditText(QStringLiteral("10"));
    Click(IDC_ANALYZE);
    EXPECT_TRUE(Enabled(IDC_PLAY));
    EXPECT_EQ(doc.GetPuzzle().width, 20);
    view.m_comboBlocks->setCurrentIndex(0);
    emit view.m_comboBlocks->activated(0);
    EXPECT_EQ(doc.GetPuzzle().width, 5);
    Click(IDC_PLAY_MODE);
    EXPECT_FALSE(IsDlgButtonChecked(view.Controls(), IDC_TEST_MODE));
    EXPECT_FALSE(view.Session().TestMode());

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("heart.ppm")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("P6\n2 2\n255\n") + QByteArray(12, '\0'));
    file.close();
    {
        ScriptedFileDialogs dialogs;
        Click(IDC_INPUT);  // cancelled: the picture stays, the puzzle goes
        EXPECT_FALSE(Enabled(IDC_PLAY));
        EXPECT_TRUE(Enabled(IDC_ANALYZE));
        Click(IDC_ANALYZE);
        dialogs.Choose(file.fileName());
        Click(IDC_INPUT);
    }
    EXPECT_FALSE(doc.HasPuzzle());
    EXPECT_FALSE(Enabled(IDC_PLAY));
    Click(IDC_ANALYZE);
    EXPECT_EQ(doc.GetPuzzle().title, "heart");

    previous = SetModalHook([&](QDialog&) {
        doc.m_ppInputPlanes.Allocate(780, 260);  // what a store leaves: a white drawing
        doc.m_ppInputPlanes.Fill(255);
        return static_cast<int>(QDialog::Accepted);
    });
    Click(IDC_DRAWBOX);
    Click(IDC_DRAWBOX);
    SetModalHook(previous);
    EXPECT_EQ(view.window()->windowTitle(), "NGM - [Ro Rudav Izedo]");
    // Each drawing appends its lines to those of the picture before it.
    const QString drawing = QStringLiteral("My Image\nXsize : 260px\nYsize : 260px\n");
    EXPECT_TRUE(Text(IDC_INFO).endsWith("→20\n" + drawing + drawing))
        << Text(IDC_INFO).toStdString();
    EXPECT_FALSE(doc.HasPuzzle());
    EXPECT_FALSE(Enabled(IDC_PLAY));
    Click(IDC_ANALYZE);
    EXPECT_EQ(doc.GetPuzzle().title, "Ro Rudav Izedo");
    EXPECT_TRUE(Enabled(IDC_PLAY));
}

// The scroll bars' codes move the thresholds and rewrite the edits; a band whose upper end is
// not above the lower is refused and reset to 0..255 on the bars and in the edits, unanalysed.
TEST_F(ViewTest, ScrollCodesMoveTheBandAndAnEmptyBandIsRefused) {
    PutPicture(20);
    ScrollCodeBar* lower = Bar(IDC_LOWER_SCROLL);
    QTest::mouseClick(lower, Qt::LeftButton, {}, QPoint(lower->width() - 3, lower->height() / 2));
    EXPECT_EQ(view.Session().Settings().lower, 1);
    EXPECT_EQ(Text(IDC_LOWER_EDIT), "1");
    EXPECT_TRUE(Enabled(IDC_PLAY));  // analysed

    view.OnHScroll(SB_THUMBPOSITION, 100, lower);
    {
        ScriptedFileDialogs dialogs;
        Click(IDC_INPUT);  // disables play, so that an analysis would show
    }
    const int gridBefore = doc.GetPuzzle().width;
    ScriptedMessageBoxes boxes;
    view.OnHScroll(SB_THUMBPOSITION, 100, Bar(IDC_UPPER_SCROLL));
    ASSERT_EQ(boxes.Texts(), QStringList{"無理な閾値設定です。"});
    EXPECT_EQ(boxes.All().front().flags, MB_OK);
    EXPECT_EQ(std::pair(view.Session().Settings().lower, view.Session().Settings().upper),
              std::pair(0, 255));
    EXPECT_EQ(std::pair(lower->value(), Bar(IDC_UPPER_SCROLL)->value()), std::pair(0, 255));
    EXPECT_EQ(QStringList({Text(IDC_LOWER_EDIT), Text(IDC_UPPER_EDIT)}), QStringList({"0", "255"}));
    EXPECT_FALSE(Enabled(IDC_PLAY));
    EXPECT_EQ(doc.GetPuzzle().width, gridBefore);
}

}  // namespace
