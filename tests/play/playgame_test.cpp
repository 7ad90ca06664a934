// The play dialog driven by mouse, key and timer; the rules behind it are the play board's,
// tested with the model.  The bundled collection and the dialog that lists it: sixty different
// puzzles with one solution each at their stated difficulty; the player's clears shown from the
// saved games; a chosen puzzle and a newly made one handed over to be played.
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <set>

#include "play/collection_dialog.h"
#include "play/play_fixture.h"
#include "solver/solver.h"

namespace {

using namespace play_test;

// The mouse and the keyboard reach the board: the image's pixel (0, 0) is shown two pixels in
// from the frame's corner; a drag repeats the held button's step, with Ctrl the left one
// clears.  The arrows show and move a cursor framed in blue; Space (through a focused button
// too), X and Delete mark its cell, and Shift with arrows repeats the last of them, as one
// step of undo.
TEST_F(PlayTest, TheMouseAndTheKeyboardReachTheBoard) {
    Open(std::vector<std::string>(5, "....."));
    EXPECT_EQ(dlg->Palette(), nullptr);  // black and white has no colours to choose
    Click(Qt::LeftButton, At(51, 71));   // the grid is x 50..150, y 70..170
    EXPECT_EQ(FromQRgb(dlg->grab().toImage().pixel(At(60, 80))), kDark);  // on screen too
    QTest::mousePress(dlg.get(), Qt::RightButton, {}, Cell(1, 0));
    Move(Cell(1, 1), Qt::RightButton);
    QTest::mousePress(dlg.get(), Qt::LeftButton, {}, Cell(2, 0));  // the left button wins
    Move(Cell(3, 0), Qt::LeftButton | Qt::RightButton);
    QTest::mouseRelease(dlg.get(), Qt::RightButton, {}, Cell(3, 0));
    QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, Cell(3, 0));
    Drag(Qt::LeftButton, {Cell(0, 1), Cell(0, 0)}, Qt::ControlModifier);
    EXPECT_EQ(Board(), ".x##./.x.../...../...../.....");

    Key(Qt::Key_Down);  // the first arrow only shows the cursor
    EXPECT_EQ(InCell(0, 0, RGB(0, 0, 255)), kBand);
    Key(Qt::Key_Down);
    Key(Qt::Key_Space, {}, dlg->GetDlgItem(1013));  // a fill, not Help's click
    for (Qt::Key arrow : {Qt::Key_Down, Qt::Key_Right})
        QTest::keyPress(dlg.get(), arrow, Qt::ShiftModifier);
    QTest::keyRelease(dlg.get(), Qt::Key_Shift);
    Key(Qt::Key_X);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Board(false), ".x##./#x.../#..../...../.....");
    for (int k = 0; k < 3; ++k)  // Delete, X, and the Shift drag as one step
        Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Board(false), ".x##./#x.../...../...../.....");
    Key(Qt::Key_Y, Qt::ControlModifier);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Board(false), ".x##./#x.../#x.../...../.....");
    EXPECT_EQ(Image(), Redrawn());  // cell by cell as a whole paint draws it
    Key(Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible() || dlg->IsClockRunning());
}

// The check counts the wrong cells in its message and frames them in green, the middle still
// showing the mark; then the board ignores the mouse, and Enter checks again.  Whatever
// happens to the image, a paint brings back every fill and cross, and every frame.
TEST_F(PlayTest, MistakesAreCountedAndFramedAndAPaintKeepsEveryMark) {
    Open({"##...", ".....", ".....", ".....", "....#"});
    Click(Qt::LeftButton, Cell(0, 0));   // black, filled: right
    Click(Qt::RightButton, Cell(1, 0));  // black, crossed: wrong
    Click(Qt::LeftButton, Cell(4, 0));   // white, filled: wrong
    Click(Qt::RightButton, Cell(0, 3));  // white, crossed: right; (4, 4) black, blank: wrong
    EXPECT_EQ(Board(), "#x..#/...../...../x..../.....");
    ScriptedMessageBoxes boxes;
    Tick(2);
    Button(IDOK);
    ASSERT_EQ(boxes.Texts(), QStringList(Mistakes("3", "2")));
    EXPECT_EQ(boxes.All()[0].flags, MB_OK | MB_ICONQUESTION);
    EXPECT_TRUE(dlg->isVisible() && !dlg->IsClockRunning());
    for (auto [c, r] : {std::pair{1, 0}, {4, 0}, {4, 4}, {0, 0}})
        EXPECT_EQ(InCell(c, r, kGreen), c + r > 0 ? kBand : 0) << c << r;
    EXPECT_EQ(Px(Left(1) + 3, Top(0) + 3), kRed);
    const QImage checked = Image();
    EXPECT_EQ(Redrawn(), checked);
    Click(Qt::LeftButton, Cell(2, 2));
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    EXPECT_EQ(boxes.Texts(), QStringList(2, Mistakes("3", "2")));
    EXPECT_EQ(Image(), checked);
}

// The clock is painted with the dialog and stops at the check, which reports 0 before the
// first tick; help leaves it running; retry blanks the board, as a step undo takes back, and
// starts the clock again.  A board
// that forms every clue but is not the answer is congratulated with a note and no frame.
TEST_F(PlayTest, ClockRetryHelpAndAnotherSolution) {
    Open({"#.", ".#"});
    ScriptedMessageBoxes boxes;
    Button(IDOK);                                               // before the first tick
    Button(1011);                                               // retry
    Button(1013);                                               // help
    const QImage zero = dlg->grab(dlg->ClockRect()).toImage();  // grabbing repaints
    Tick(60);
    EXPECT_NE(dlg->grab(dlg->ClockRect()).toImage(), zero);
    Click(Qt::LeftButton, Cell(0, 0));
    Button(1011);
    EXPECT_EQ(Board(), "../..");
    Key(Qt::Key_Z, Qt::ControlModifier);  // retry is a step of undo
    EXPECT_EQ(Board(), "#./..");
    Button(1011);
    Click(Qt::LeftButton, Cell(1, 0));
    Click(Qt::LeftButton, Cell(0, 1));
    Button(IDOK);
    ASSERT_EQ(boxes.Count(), 3);
    EXPECT_EQ(boxes.Texts()[0], Mistakes("2", "0"));
    EXPECT_TRUE(boxes.Texts()[1].startsWith(QStringLiteral("***操作方法***")));
    EXPECT_EQ(boxes.Texts()[2],
              kCongratulation.arg(0) + QStringLiteral("\r\n（作者の答えとは別の解です）"));
    EXPECT_EQ(boxes.All()[1].flags | boxes.All()[2].flags, MB_OK);  // no icon
    EXPECT_EQ(InCell(0, 1, kGreen), 0);
    EXPECT_EQ(Board(), ".#/#.");  // no picture to turn into: the fills stay dark
}

// A solved board turns into the picture's blocks the cells were cut from: those of the crop,
// fitted to it, not equal squares of the whole canvas.  The canvas is blue | red | white in
// columns 0..4, 5..14, 15..39; the crop x 5..24 makes a red and a white column of blocks.
TEST_F(PlayTest, TheSolvedPictureIsTheCroppedFittedBlocks) {
    Picture& picture = doc.Session().GetPicture();
    picture = Picture::Filling(40, 40);
    for (int x = 0; x < 40; ++x)
        for (int plane = 0; plane < 3; ++plane)
            for (int y = 0; y < 40; ++y)
                picture.planes[3 * x + plane][y] = x < 5    ? (plane == 2 ? 200 : 0)
                                                   : x < 15 ? (plane == 0 ? 200 : 0)
                                                            : 255;
    doc.Session().PictureChanged();
    doc.Session().Analyze(AnalysisSettings(0, 250, {2, 4, true, true}, PixelRect{5, 0, 20, 40}));
    ASSERT_EQ(doc.GetPuzzle().width, 2);
    Reopen();
    ScriptedMessageBoxes boxes;
    for (int row = 0; row < 4; ++row)
        Click(Qt::LeftButton, Cell(0, row));
    Button(IDOK);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(Px(Left(0) + 10, Top(3) + 10), RGB(200, 0, 0));
}

// A drag marks every cell on its way, however far apart the pointer's positions lie, out of the
// grid and back in too, and keeps to the line of its first step: a pointer that wobbles onto
// the next row or column marks the start's line.  (The path and the line are the play board's.)
TEST_F(PlayTest, ADragMarksItsWholePathOnTheLineOfItsFirstStep) {
    Open(std::vector<std::string>(6, "......"));
    const QPoint down(0, dlg->Layout().CellSize() / 2 + 2);  // past the next row's line
    Drag(Qt::LeftButton, {Cell(5, 0), Cell(5, 0) + QPoint(100, 0), Cell(2, 0) + down, Cell(0, 1)});
    Drag(Qt::RightButton, {Cell(5, 1), Cell(4, 5)});  // a diagonal first step, taller than wide
    EXPECT_EQ(Board(), "######/.....x/.....x/.....x/.....x/.....x");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Board(), "######/....../....../....../....../......");
}

// While a drag lasts, the length of its run from the pressed cell to the pointer's, on the
// board, shows beside the pointer.
TEST_F(PlayTest, ADragShowsTheLengthOfItsRun) {
    Open(std::vector<std::string>(5, "....."));
    const auto shown = [&] {
        const QLabel* label = dlg->m_pRunLength;
        return label && label->isVisible() ? label->text() : QString();
    };
    QTest::mousePress(dlg.get(), Qt::LeftButton, {}, Cell(3, 1));
    const QPoint below = Cell(3, 4) + QPoint(0, 60);  // the run ends at the board's edge
    Move(below, Qt::LeftButton);
    ASSERT_EQ(shown(), "4");
    EXPECT_TRUE(dlg->m_pRunLength->geometry().contains(below + QPoint(20, 20)));
    Move(Cell(2, 2), Qt::LeftButton);  // back towards the start, held on its column
    EXPECT_EQ(shown(), "2");
    QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, Cell(2, 2));
    EXPECT_EQ(shown(), "");
}

// Closing keeps the game: playing the puzzle again shows the marks, the clock goes on and undo
// walks the same history; a checked board stays checked.  With the saved games a faster clear is
// told as a new best, and the game closed is resumed by the next run of the program.  Another
// puzzle is a new game.
TEST_F(PlayTest, TheGameOutlivesTheDialogAndTheRunAndItsClearsAreCounted) {
    QTemporaryDir dir;
    ProgressStore store(dir.filePath(QStringLiteral("progress.dat")));
    doc.Session().UseProgressStore(&store);
    Open({"#.", ".#"});
    Click(Qt::LeftButton, Cell(0, 0));
    Click(Qt::RightButton, Cell(1, 0));
    Tick(3);
    Key(Qt::Key_Escape);
    Reopen();
    EXPECT_EQ(Board(), "#x/..");
    EXPECT_EQ(dlg->ClockText(), QStringLiteral("3s"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Board(), "#./..");
    Click(Qt::LeftButton, Cell(0, 1));
    ScriptedMessageBoxes boxes;
    Button(IDOK);
    dlg->close();
    Reopen();
    EXPECT_TRUE(dlg->IsChecked() && !dlg->IsClockRunning());
    EXPECT_EQ(InCell(0, 1, kGreen), kBand);

    boxes.Clear();
    for (int seconds : {5, 3}) {
        Button(1011);
        Click(Qt::LeftButton, Cell(0, 0));
        Click(Qt::LeftButton, Cell(1, 1));
        Tick(seconds);
        Button(IDOK);
    }
    Button(IDOK);  // checked again: no other clear
    EXPECT_EQ(boxes.Texts(), (QStringList{kCongratulation.arg(5),
                                          kCongratulation.arg(3) +
                                              QStringLiteral("\r\n自己ベスト！（これまでは5秒）"),
                                          kCongratulation.arg(3)}));
    Button(1011);
    Click(Qt::RightButton, Cell(1, 0));
    Key(Qt::Key_Escape);
    CNGMDoc nextRun;
    ProgressStore saved(store.Path());
    saved.Load();
    nextRun.Session().UseProgressStore(&saved);
    nextRun.SetPuzzle(doc.GetPuzzle());
    EXPECT_EQ(nextRun.GetPlayBoard().Marks(), doc.GetPlayBoard().Marks());
    EXPECT_EQ(saved.Find(ProgressStore::KeyOf(doc.GetPuzzle()))->clears, 2);
    Open({"#.", "#."});
    EXPECT_EQ(Board(), "../..");
    EXPECT_EQ(dlg->ClockText(), QStringLiteral("0s"));
}

// With "完成したら自動でチェック" on, the stroke that makes every line form its clue runs the
// check; off (the first state), it does not.  The choice is kept for the next dialog.
TEST_F(PlayTest, TheOptionChecksACompleteBoardByItself) {
    Open({"#.", ".#"});
    ScriptedMessageBoxes boxes;
    ASSERT_FALSE(dlg->m_pAutoCheck->isChecked());
    Click(Qt::LeftButton, Cell(0, 0));
    Click(Qt::LeftButton, Cell(1, 1));
    QTest::qWait(20);
    EXPECT_FALSE(dlg->IsChecked());
    Click(Qt::LeftButton, Cell(1, 1), Qt::ControlModifier);
    dlg->m_pAutoCheck->setChecked(true);
    Reopen();
    EXPECT_TRUE(dlg->m_pAutoCheck->isChecked());
    Click(Qt::LeftButton, Cell(1, 1));
    QTest::qWait(20);
    EXPECT_TRUE(dlg->IsChecked());
    EXPECT_EQ(boxes.Texts(), QStringList{kCongratulation.arg(0)});
    dlg->m_pAutoCheck->setChecked(false);
}

// The clues never reach into the grid: the marks beside "10" and the column's 1s stay whole.
// A row's clue turns grey while its fills form it, green again when undo takes a fill back.
TEST_F(PlayTest, CluesStayOutOfTheGridAndGreyWhileFinished) {
    std::vector<std::string> rows(10, "#.........");
    rows[0] = "##########";
    Open(rows);
    const auto grey = [&] { return Count(0, Top(0) + 1, Left(0), Top(1), kFinishedClueColor) > 0; };
    for (int k = 1; k < 10; ++k) {
        Click(Qt::LeftButton, Cell(k, 0));
        Click(Qt::RightButton, Cell(0, k));
    }
    EXPECT_FALSE(grey());
    Click(Qt::LeftButton, Cell(0, 0));
    EXPECT_TRUE(grey());
    dlg->repaint();
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(std::string({CellLook(k, 0), CellLook(0, std::max(k, 1))}), "#x") << k;
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(grey());
    EXPECT_EQ(Px(Left(5), 0), RGB(200, 0, 105));  // every fifth line, up into the clues
}

// H and the button "ヒント" frame in orange the cell nearest the cursor that line logic decides
// and mark it; a wrong mark is framed instead and stays.  With nothing to decide a message says
// so; the hints are counted in the congratulation.
TEST_F(PlayTest, HintsMarkDeducibleCellsAndPointAtWrongMarks) {
    Open({"#####", ".....", "#####", ".....", "#####"});
    ScriptedMessageBoxes boxes;
    Key(Qt::Key_H);
    EXPECT_EQ(InCell(0, 0, kHintFrameColor), kBand);
    Click(Qt::RightButton, Cell(2, 2));  // a cross on a black cell
    Button(1014);
    EXPECT_EQ(Board(false), "#..../...../..x../...../.....");
    EXPECT_EQ(InCell(2, 2, kHintFrameColor), kBand);
    EXPECT_EQ(Px(Left(2) + 10, Top(2) + 10), kRed);  // the cross stays visible in the frame
    for (int k = 0; k < 25; ++k)
        Click(k / 5 % 2 ? Qt::RightButton : Qt::LeftButton, Cell(k % 5, k / 5));
    Key(Qt::Key_H);  // nothing left to decide
    Button(IDOK);
    EXPECT_EQ(boxes.Texts(),
              (QStringList{QStringLiteral("今の盤面から決められるマスはありません。"),
                           kCongratulation.arg(0) + QStringLiteral("\r\nヒント 2 回")}));
    EXPECT_EQ(boxes.All()[0].flags, MB_OK | MB_ICONINFORMATION);
}

// A colour puzzle: a swatch's click or a digit chooses the colour the left button, Space and
// the Shift drag fill with, and a fill of another colour is replaced; a hint fills with the
// colour line logic gives, whatever is chosen.  Cells and clue swatches show the colours, a
// finished line's swatches turn into frames, and the solved board shows the picture without
// its crosses.
TEST_F(PlayTest, AColourPuzzleIsPlayedInItsColours) {
    const COLORREF black = RGB(0, 0, 0), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    Open(Puzzle::FromColourGrid(3, 3, {1, 2, 0, 0, 2, 0, 3, 0, 3},
                                {0xffffff, 0x000000, 0xff0000, 0x0000ff}));
    ASSERT_TRUE(dlg->Palette() && dlg->Palette()->ColourCount() == 3);
    EXPECT_TRUE(dlg->rect().contains(dlg->Palette()->geometry()));
    const auto centre = [&](int col, int row) { return Px(Left(col) + 10, Top(row) + 10); };
    ScriptedMessageBoxes boxes;
    QTest::mouseClick(dlg->Palette(), Qt::LeftButton, {}, dlg->Palette()->SwatchRect(2).center());
    EXPECT_EQ(dlg->ChosenColour(), 2);
    Key(Qt::Key_H);  // (0, 0) must be black
    EXPECT_EQ(centre(0, 0), black);
    Click(Qt::LeftButton, Cell(0, 0));
    EXPECT_EQ(centre(0, 0), red);
    Key(Qt::Key_3);
    Key(Qt::Key_9);  // no ninth colour
    EXPECT_EQ(dlg->ChosenColour(), 3);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space})
        Key(key);
    QTest::keyPress(dlg.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyRelease(dlg.get(), Qt::Key_Shift);
    Click(Qt::RightButton, Cell(1, 2));
    Click(Qt::LeftButton, Cell(2, 2));
    EXPECT_EQ(std::vector({centre(0, 2), centre(2, 2)}), std::vector({blue, blue}));
    const int c = dlg->Layout().CellSize(), slot = dlg->Layout().GridLeft() - c;
    EXPECT_EQ(Px(slot + 2, Top(0) + 2), red);  // row 0's last run
    EXPECT_GT(Count(slot - c + 1, Top(0) + 1, slot, Top(1), RGB(255, 255, 255)), 0);  // on black
    EXPECT_EQ(Px(slot + 1, Top(2) + 1), blue);  // row 2 is finished: a frame
    EXPECT_NE(Px(slot + 2, Top(2) + 2), blue);
    EXPECT_EQ(Image(), Redrawn());
    Button(IDOK);
    Button(1011);
    for (auto [key, col, row] : {std::tuple{Qt::Key_1, 0, 0},
                                 {Qt::Key_2, 1, 0},
                                 {Qt::Key_2, 1, 1},
                                 {Qt::Key_3, 0, 2},
                                 {Qt::Key_3, 2, 2}}) {
        Key(key);
        Click(Qt::LeftButton, Cell(col, row));
    }
    Click(Qt::RightButton, Cell(1, 2));
    Button(IDOK);
    Button(1013);
    ASSERT_EQ(boxes.Count(), 3);
    EXPECT_EQ(boxes.Texts()[0], Mistakes("3", "0"));  // (0, 0) red, (1, 0) and (1, 1) blank
    EXPECT_EQ(boxes.Texts()[1], kCongratulation.arg(0));
    EXPECT_TRUE(boxes.Texts()[2].contains(QStringLiteral("塗る色を選ぶ")));
    EXPECT_EQ(std::vector({centre(1, 1), centre(1, 2), centre(1, 0)}),
              std::vector({red, RGB(255, 255, 255), red}));
}

TEST(Collection, SixtyDifferentPuzzlesWithOneSolutionAtTheirDifficulty) {
    const std::vector<CollectionPuzzle> collection = LoadPuzzleCollection();
    ASSERT_EQ(collection.size(), 60u);
    std::set<std::vector<std::uint8_t>> answers;
    int perDifficulty[6] = {};
    for (const CollectionPuzzle& entry : collection) {
        SCOPED_TRACE(entry.title.toStdString());
        const Puzzle& p = entry.puzzle;
        EXPECT_TRUE(p.width >= 5 && p.width <= 40 && p.height == p.width);
        const SolveResult r = Solve(p, {10.0});
        EXPECT_TRUE(r.verdict == Verdict::Line || r.verdict == Verdict::Unique);
        EXPECT_EQ(r.difficulty, entry.difficulty);
        EXPECT_EQ(p.title, entry.title.toStdString());
        answers.insert(p.answer);
        ++perDifficulty[entry.difficulty];
    }
    EXPECT_EQ(answers.size(), 60u);
    EXPECT_EQ(std::vector(perDifficulty + 1, perDifficulty + 6), std::vector(5, 12));
}

TEST(Collection, TheDialogShowsClearsAndHandsOverPuzzlesToPlay) {
    ProgressStore store;
    std::vector<Puzzle> played;
    CCollectionDialog dialog([&](Puzzle p) { played.push_back(std::move(p)); }, &store);
    QTreeWidget& list = *dialog.List();
    ASSERT_EQ(list.topLevelItemCount(), 60);
    const Puzzle second = LoadPuzzleCollection()[1].puzzle;
    store.Put(ProgressStore::KeyOf(second),
              {second.width, second.height, {}, false, 0, 0, 42, 2, 0});
    list.setCurrentItem(list.topLevelItem(1));
    dialog.PlayButton()->click();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].answer, second.answer);
    // The list is made again after a game: the clears are the store's.
    EXPECT_EQ(list.topLevelItem(1)->text(3), QStringLiteral("2"));
    EXPECT_EQ(list.topLevelItem(1)->text(4), QStringLiteral("42秒"));
    EXPECT_EQ(list.topLevelItem(0)->text(3), QString());

    dialog.SizeBox()->setValue(8);
    dialog.DifficultyBox()->setValue(2);
    dialog.MakeButton()->click();
    EXPECT_FALSE(dialog.MakeButton()->isEnabled());
    ASSERT_TRUE(dialog.Maker().WaitUntilFinished(60000));
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(std::pair(played[1].width, played[1].height), std::pair(8, 8));
    EXPECT_EQ(Solve(played[1]).difficulty, 2);
    EXPECT_TRUE(dialog.MakeButton()->isEnabled());
}

}  // namespace
