// Games and clears kept between runs: a board left and resumed by a session of a later run, the
// best times, a bounded store, and damaged or unwritable files that lose nothing else.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "../support/puzzles.h"
#include "session/puzzle_session.h"

namespace {

Puzzle Diagonal(int n, bool clueOnly = false) {
    Puzzle p = PuzzleOf(n, n, [](int x, int y) { return x == y; });
    if (clueOnly)
        p.answer.clear();
    return p;
}

class Progress : public ::testing::Test {
protected:
    // A session of a new run of the program: its store read from the file.
    PuzzleSession& NewRun() {
        store = std::make_unique<ProgressStore>(path);
        store->Load();
        session = std::make_unique<PuzzleSession>();
        session->UseProgressStore(store.get());
        return *session;
    }
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("ngm/progress.dat"));
    std::unique_ptr<ProgressStore> store;
    std::unique_ptr<PuzzleSession> session;
};

TEST_F(Progress, AGameLeftIsResumedInTheNextRunForItsPuzzleOnly) {
    PuzzleSession& first = NewRun();
    first.SetPuzzle(Diagonal(5));
    first.Board().Apply(StrokeKind::Fill, {0, 0});
    first.Board().Apply(StrokeKind::Cross, {4, 0});
    first.Tally() = {42, 1};
    first.SetPuzzle(Diagonal(7));  // another puzzle: the first one's game is kept
    first.Board().Apply(StrokeKind::Fill, {6, 6});
    first.KeepProgress();
    std::vector<Mark> left(25, Mark::Blank);
    left[0] = Mark::Filled, left[4] = Mark::Crossed;

    PuzzleSession& second = NewRun();
    EXPECT_EQ(store->Size(), 2);
    second.SetPuzzle(Diagonal(5));
    EXPECT_EQ(second.Board().Marks(), left);
    EXPECT_EQ(std::pair(second.Tally().seconds, second.Tally().hints), std::pair(42, 1));
    EXPECT_FALSE(second.Board().CanUndo());  // the history stays with the run that made it
    // The same clues without the answer are another puzzle.
    second.SetPuzzle(Diagonal(5, true));
    EXPECT_TRUE(second.Board().IsBlank());
    second.SetPuzzle(Diagonal(7));
    EXPECT_EQ(second.Board().At({6, 6}), Mark::Filled);
    // A retried, blank game at 0 seconds leaves nothing to keep.
    second.Board().Restart();
    second.Tally() = {};
    second.KeepProgress();
    NewRun();
    EXPECT_EQ(store->Size(), 1);
}

// A colour puzzle's game is another puzzle's than that of the same lengths in black and white;
// its fills keep their colours.  Files with black-and-white games alone keep the first version.
TEST_F(Progress, AColourGameIsKeptApartAndResumedInItsColours) {
    Puzzle colour = Puzzle::FromColourGrid(3, 1, {1, 2, 0}, {0xffffff, 0xff0000, 0x00ff00});
    colour.answer.clear();
    Puzzle blackAndWhite = colour;
    blackAndWhite.palette.clear();
    blackAndWhite.rowColours.clear();
    blackAndWhite.columnColours.clear();
    const auto version = [this] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().mid(4, 4).toHex() : QByteArray();
    };
    NewRun().SetPuzzle(blackAndWhite);
    session->Board().Apply(StrokeKind::Fill, {0, 0});
    session->KeepProgress();
    EXPECT_EQ(version(), "00000001");
    session->SetPuzzle(colour);
    EXPECT_TRUE(session->Board().IsBlank());
    session->Board().Apply(StrokeKind::Fill, {1, 0}, 2);
    session->Board().Apply(StrokeKind::Cross, {2, 0});
    session->KeepProgress();
    EXPECT_EQ(version(), "00000002");
    NewRun().SetPuzzle(colour);
    EXPECT_EQ(session->Board().Marks(), (std::vector{Mark::Blank, FillMark(2), Mark::Crossed}));
    session->SetPuzzle(blackAndWhite);
    EXPECT_EQ(session->Board().Marks(), (std::vector{Mark::Filled, Mark::Blank, Mark::Blank}));
}

TEST_F(Progress, ClearsCountAndTellANewBest) {
    NewRun().SetPuzzle(Diagonal(5));
    const std::vector<std::pair<int, ClearRecord>> clears = {
        {30, {1, 30, -1}}, {40, {2, 30, 30}}, {20, {3, 20, 30}}};
    for (const auto& [seconds, want] : clears) {
        const std::optional<ClearRecord> got = session->RecordClear(seconds, 1);
        ASSERT_TRUE(got);
        EXPECT_EQ(std::tuple(got->clears, got->bestSeconds, got->previousBest, got->NewBest()),
                  std::tuple(want.clears, want.bestSeconds, want.previousBest, seconds == 20));
    }
    session->KeepProgress();
    NewRun();
    const PuzzleRecord record = *store->Find(ProgressStore::KeyOf(Diagonal(5)));
    EXPECT_EQ(std::tuple(record.clears, record.bestSeconds, record.clearHints),
              std::tuple(3, 20, 3));
    PuzzleSession memoryOnly;
    memoryOnly.SetPuzzle(Diagonal(5));
    EXPECT_FALSE(memoryOnly.RecordClear(5, 0));
}

TEST_F(Progress, TheStoreKeepsTheMostRecentPuzzles) {
    ProgressStore bounded;
    for (int k = 0; k <= ProgressStore::kMaxPuzzles; ++k)
        bounded.Put(QByteArray::number(k).leftJustified(32, '.'), {1, 1, {}, false, 0, 0, 5, 1, 0});
    EXPECT_EQ(bounded.Size(), ProgressStore::kMaxPuzzles);
    EXPECT_FALSE(bounded.Find(QByteArray("0").leftJustified(32, '.')));
    EXPECT_TRUE(bounded.Find(QByteArray("1").leftJustified(32, '.')));
}

// Every cut of a store, and bytes that are no mark, are refused whole and set aside; the store
// starts empty.  A file that cannot be written leaves the one before.
TEST_F(Progress, ADamagedOrUnwritableFileLosesNothingElse) {
    NewRun().SetPuzzle(Diagonal(3));
    session->Board().Apply(StrokeKind::Fill, {1, 1});
    session->KeepProgress();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    QByteArray noMark = whole;
    noMark[noMark.size() - 22] = '\xff';  // the last byte of packed marks: 3 is no mark
    for (int n = 0; n <= whole.size(); ++n) {
        const QByteArray bytes = n < whole.size() ? whole.left(n) : noMark;
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        testing::internal::CaptureStderr();
        NewRun();
        const std::string said = testing::internal::GetCapturedStderr();
        ASSERT_EQ(store->Size(), 0) << n;
        EXPECT_NE(said.find("damaged"), std::string::npos) << n;
        QFile aside(path + QStringLiteral(".damaged"));
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), bytes);
    }
    // The data folder is a file: nothing can be written, and saying so is all.
    ProgressStore blocked(path + QStringLiteral(".damaged/progress.dat"));
    blocked.Put(ProgressStore::KeyOf(Diagonal(3)), {3, 3, {}, false, 9, 0, -1, 0, 0});
    testing::internal::CaptureStderr();
    EXPECT_FALSE(blocked.Save());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot save"), std::string::npos);
}

}  // namespace
