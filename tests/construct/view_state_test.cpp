// The operating panel through the form view: which controls a picture, an analysis, a new
// picture and the DrawBox enable; the block count, the mode and the band in step with the combo
// box, buttons, scroll bars and edits; and refusals (a band, no picture) that change nothing.
// The block counts: the list after the classic three, the custom width and height through its
// dialog (accepted, cancelled), the fit to the picture's own shape, and the refusal of blocks
// smaller than a pixel; the colour counts.
// The puzzle in the workbench, which the puzzle panel's double click and "拡大表示" open with
// the puzzle alone: every clue number inside its own slot with a pixel free at each side, so
// that no two run together; on cells too small for a readable font, no numbers at all.
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

#include "analysis_support.h"
#include "construct/custom_blocks_dialog.h"
#include "construct/workbench.h"
#include "construct/workbench_palette.h"
#include "construct/workbench_panes.h"
#include "platform/modal.h"
#include "support/puzzles.h"
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

class ViewBlocksTest : public ViewTest {
protected:
    // Chooses list item `index` as the user does.
    void Choose(int index) {
        view.m_comboBlocks->setCurrentIndex(index);
        emit view.m_comboBlocks->activated(index);
    }
    int CustomIndex() const { return view.m_comboBlocks->count() - 1; }
    // A width x height picture centred on its square canvas: black left half, white right.
    void PutWidePicture(int side, int width, int height) {
        PutPicture(side, [&](int x, int y) {
            const int left = (side - width) / 2, top = (side - height) / 2;
            const bool inside = x >= left && x < left + width && y >= top && y < top + height;
            return inside && x < left + width / 2 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
        });
        doc.m_picture.width = width;
        doc.m_picture.height = height;
    }
};

TEST_F(ViewBlocksTest, TheCustomEntryAsksForWidthAndHeightAndACancelGoesBack) {
    PutPicture(260);
    Choose(1);
    ASSERT_EQ(doc.GetPuzzle().width, 10);
    int asked = 0;
    SetModalHook([&](QDialog& dialog) {
        auto* custom = qobject_cast<CCustomBlocksDialog*>(&dialog);
        ++asked;
        if (!custom || asked == 2)
            return int(QDialog::Rejected);
        custom->ColumnsBox()->setValue(33);
        custom->RowsBox()->setValue(17);
        return int(QDialog::Accepted);
    });
    Choose(CustomIndex());
    EXPECT_EQ(std::tie(doc.GetPuzzle().width, doc.GetPuzzle().height), std::make_tuple(33, 17));
    EXPECT_EQ(view.m_comboBlocks->currentText(), QStringLiteral("33×17"));
    // Cancelled: the custom size stays as it was, and nothing is analysed again.
    Choose(1);
    Choose(CustomIndex());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(view.m_comboBlocks->currentIndex(), 1);
    EXPECT_EQ(doc.GetPuzzle().width, 10);
    SetModalHook({});
}

TEST_F(ViewBlocksTest, FittingCutsThePictureItselfAndToSmallBlocksAreRefused) {
    PutWidePicture(320, 320, 180);
    Choose(5);  // 30
    auto* fit = view.Controls().Get<QCheckBox>(IDC_FIT_PICTURE);
    ASSERT_TRUE(fit && fit->isEnabled());
    EXPECT_EQ(doc.GetPuzzle().height, 30);
    Click(IDC_FIT_PICTURE);
    ASSERT_TRUE(fit->isChecked());
    EXPECT_EQ(std::tie(doc.GetPuzzle().width, doc.GetPuzzle().height), std::make_tuple(30, 17));

    ScriptedMessageBoxes boxes;
    PutWidePicture(40, 40, 40);
    Choose(7);  // 50 blocks on 40 pixels
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Texts()[0].contains(QStringLiteral("50×50")));
    EXPECT_FALSE(Enabled(IDC_PLAY));
    // The analyses that follow a refusal (a dragged threshold, 解析) stay silent and show no
    // puzzle.
    view.OnHScroll(SB_THUMBTRACK, 10, Bar(IDC_LOWER_SCROLL));
    Click(IDC_ANALYZE);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_FALSE(doc.HasPuzzle());
    Choose(6);  // 40 fits exactly
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(doc.GetPuzzle().width, 40);
}

// The closed box keeps the template's width for the list's counts and grows, with its group box,
// for a custom width and height and for the custom label, so that "99×99" and "カスタム..." show
// whole, clear of the threshold group.
TEST_F(ViewBlocksTest, TheClosedBoxShowsACustomSizeWhole) {
    QComboBox* combo = view.m_comboBlocks;
    auto groupOf = [&](const QWidget* w) {
        QGroupBox* found = nullptr;
        for (QGroupBox* g : view.findChildren<QGroupBox*>()) {
            if (g->geometry().contains(w->geometry()) &&
                (!found || found->geometry().contains(g->geometry())))
                found = g;
        }
        return found;
    };
    QGroupBox* group = groupOf(combo);
    ASSERT_TRUE(group);
    const QRect comboRect = combo->geometry(), groupRect = group->geometry();
    EXPECT_EQ(comboRect.width(), 48);
    const QRect threshold = groupOf(view.GetDlgItem(IDC_LOWER_SCROLL))->geometry();
    auto showsWhole = [&] {
        const QString text = combo->currentText();
        const QFontMetrics metrics(combo->lineEdit()->font());
        EXPECT_GE(combo->lineEdit()->width(), metrics.horizontalAdvance(text) + 4)
            << text.toStdString();
        EXPECT_TRUE(group->geometry().contains(combo->geometry()));
        EXPECT_LT(group->geometry().right(), threshold.left());
        EXPECT_EQ(combo->geometry().topLeft(), comboRect.topLeft());
    };
    PutPicture(260);
    view.SetCustomBlocks(99, 99);
    showsWhole();
    // The list's custom label, shown while its dialog asks.
    combo->setCurrentIndex(CustomIndex());
    showsWhole();
    Choose(2);  // 20
    EXPECT_EQ(combo->geometry(), comboRect);
    EXPECT_EQ(group->geometry(), groupRect);
}

// 色数 beside the band: 白黒 first (the default), then 2 to 8 colours; a count chosen analyses
// a colour puzzle, in the workbench as on the form, and 白黒 goes back to the band's puzzle.
TEST_F(ViewBlocksTest, TheColourCountChosenAnalysesAColourPuzzleOnTheFormAndInTheWorkbench) {
    auto* colours = view.Controls().Get<QComboBox>(IDC_COLOURS);
    ASSERT_TRUE(colours);
    const auto items = [](const QComboBox* box) {
        QStringList items;
        for (int k = 0; k < box->count(); ++k)
            items << box->itemText(k);
        return items;
    };
    EXPECT_EQ(items(colours), (QStringList{"白黒", "2", "3", "4", "5", "6", "7", "8"}));
    // The block counts: the classic three first, the custom entry last.
    EXPECT_EQ(items(view.m_comboBlocks),
              (QStringList{"5", "10", "20", "15", "25", "30", "40", "50", "カスタム..."}));
    PutRedAndBlue();
    view.SetCustomBlocks(4, 4);
    view.OnAnalyze();
    EXPECT_FALSE(doc.GetPuzzle().IsColour());
    colours->setCurrentIndex(2);
    emit colours->activated(2);
    ASSERT_TRUE(doc.GetPuzzle().IsColour());
    EXPECT_EQ(view.Session().AnalysedSettings().colours, 3);
    EXPECT_EQ(doc.GetPuzzle().palette.size(), 3u);  // white, red, blue
    EXPECT_EQ(doc.GetPuzzle().rowColours[0], (LineColours{1}));
    view.OnWorkbench();
    QComboBox* box = view.Workbench()->ColoursBox();
    EXPECT_EQ(box->currentIndex(), 2);
    box->setCurrentIndex(0);
    emit box->activated(0);
    EXPECT_FALSE(doc.GetPuzzle().IsColour());
    EXPECT_EQ(colours->currentIndex(), 0);
    box->setCurrentIndex(6);
    emit box->activated(6);
    EXPECT_EQ(view.Session().AnalysedSettings().colours, 7);
    EXPECT_EQ(colours->currentIndex(), 6);
}

// The first column and the bottom row filled: the first column's clue has two digits.
Puzzle EdgePuzzle(int width, int height) {
    return PuzzleOf(width, height, [&](int x, int y) { return x == 0 || y == height - 1; });
}

// The ink of a number, whatever its edges were smoothed over.
bool Dark(QRgb c) {
    return qGray(c) < 120;
}

TEST_F(ViewTest, ThePuzzlePanelOpensTheWorkbenchsPuzzleWithDigitsApart) {
    // The panel's context menu offers the workbench only with a puzzle.
    QMenu empty;
    view.FillPuzzlePanelMenu(empty);
    ASSERT_EQ(empty.actions().size(), 1);
    EXPECT_EQ(empty.actions()[0]->text(), QStringLiteral("拡大表示"));
    EXPECT_FALSE(empty.actions()[0]->isEnabled());
    doc.SetPuzzle(EdgePuzzle(50, 50));
    view.DrawResult();
    QMenu menu;
    view.FillPuzzlePanelMenu(menu);
    ASSERT_TRUE(menu.actions()[0]->isEnabled());
    QTest::mouseDClick(&view, Qt::LeftButton, {},
                       view.GetDlgItem(IDC_RESULT_PANEL)->geometry().center());
    CWorkbench* bench = view.Workbench();
    ASSERT_TRUE(bench && bench->isVisible());
    EXPECT_EQ(bench->Enlarged(), CWorkbench::kPuzzle);
    bench->resize(1200, 900);
    for (const auto& [width, height] : {std::pair{50, 50}, std::pair{99, 40}}) {
        SCOPED_TRACE(::testing::Message() << width << "x" << height);
        doc.SetPuzzle(EdgePuzzle(width, height));
        view.DrawResult();
        QCoreApplication::processEvents();
        const WorkbenchPuzzlePane* pane = bench->PuzzlePane();
        const FittedBoard& board = pane->Board();
        ASSERT_EQ(board.grid.columns, width);
        ASSERT_GE(board.fontPixels, kSmallestReadableClue);
        const QImage& image = pane->Image();
        // Every column's slots: the numbers keep off the slot's first and last pixel columns.
        const int c = board.grid.cell;
        int dark = 0;
        for (int i = 0; i < width; ++i) {
            const int left = board.grid.left + i * c;
            for (int y = board.Board().top(); y < board.grid.top; ++y) {
                for (int x = left + 1; x < left + c; ++x)
                    dark += Dark(image.pixel(x, y));
                for (int x : {left, left + 1, left + c - 1})
                    ASSERT_FALSE(Dark(image.pixel(x, y))) << x << "," << y;
            }
        }
        EXPECT_GT(dark, 0);
    }
    // Too small to read: no numbers, and the pane says why.
    bench->Enlarge(CWorkbench::kNoPane);
    bench->resize(300, 260);
    QCoreApplication::processEvents();
    EXPECT_EQ(bench->PuzzlePane()->Board().fontPixels, 0);
    bench->close();
    menu.actions()[0]->trigger();
    EXPECT_TRUE(bench->isVisible());
    EXPECT_EQ(bench->PuzzlePane()->Board().grid.rows, 40);
    bench->close();
}

// The palette of a colour puzzle in the workbench: the swatch chosen is what the left button
// paints, the right button paints the background; a colour changed in its dialog is locked and
// stays through the next analysis until its lock is cleared; the pick takes a colour from the
// picture.  Black and white has no palette.
TEST_F(ViewTest, TheWorkbenchPalettePaintsChangesLocksAndPicksColours) {
    PutRedAndBlue();
    view.SetCustomBlocks(4, 4);
    view.SetColours(3);
    view.OnWorkbench();
    CWorkbench* bench = view.Workbench();
    bench->resize(900, 700);
    QCoreApplication::processEvents();
    WorkbenchPalette* palette = bench->Palette();
    ASSERT_FALSE(palette->isHidden());
    const Puzzle& puzzle = doc.GetPuzzle();
    ASSERT_EQ(puzzle.palette, (std::vector<std::uint32_t>{0xffffff, 0xdc141e, 0x1428d2}));
    auto cell = [&](int column, int row) {
        const GridPlacement at = bench->Editor()->Placement();
        return QPoint(at.left + column * at.cell + at.cell / 2,
                      at.top + row * at.cell + at.cell / 2);
    };
    palette->Swatch(2)->click();
    QTest::mouseClick(bench->Editor(), Qt::LeftButton, {}, cell(3, 3));
    EXPECT_EQ(puzzle.AnswerAt(3, 3), 2);
    QTest::mouseClick(bench->Editor(), Qt::RightButton, {}, cell(3, 3));
    EXPECT_EQ(puzzle.AnswerAt(3, 3), 0);

    // Colour 1 made green in its dialog (a double click on its swatch, then the button): locked,
    // and kept by the next analysis.
    QColor chosen(0, 0, 160);
    const ModalHook previous = SetModalHook([&](QDialog& dialog) {
        static_cast<QColorDialog&>(dialog).setCurrentColor(chosen);
        return int(QDialog::Accepted);
    });
    QTest::mouseDClick(palette->Swatch(1), Qt::LeftButton);
    EXPECT_EQ(palette->Chosen(), 1);
    EXPECT_EQ(puzzle.palette[1], 0x0000a0u);
    chosen = QColor(0, 160, 0);
    palette->ChangeButton()->click();
    SetModalHook(previous);
    EXPECT_EQ(puzzle.palette[1], 0x00a000u);
    EXPECT_EQ(puzzle.AnswerAt(1, 0), 1);
    EXPECT_TRUE(palette->LockBox(1)->isChecked());
    view.OnAnalyze();
    EXPECT_EQ(doc.GetPuzzle().palette[1], 0x00a000u);
    palette->LockBox(1)->click();
    EXPECT_TRUE(view.Session().Settings().locked.empty());
    view.OnAnalyze();
    EXPECT_EQ(doc.GetPuzzle().palette[1], 0xdc141eu);

    // The pick: the background takes the blue of the picture.
    palette->Swatch(0)->click();
    palette->PickButton()->click();
    const QRect image = bench->PicturePane()->ImageRect();
    QTest::mouseClick(bench->PicturePane(), Qt::LeftButton, {},
                      image.topLeft() + QPoint(image.width() * 3 / 8, image.height() * 5 / 8));
    EXPECT_EQ(doc.GetPuzzle().palette[0], 0x1428d2u);
    EXPECT_FALSE(palette->Picking());

    view.SetColours(0);
    EXPECT_TRUE(palette->isHidden());
    bench->close();
}

}  // namespace
