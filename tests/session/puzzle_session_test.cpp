// The session without a window: what reading a picture asks and refuses, in which order and
// with what left behind; the analysis, its refused choices and the puzzle's title; and the share
// of filled cells that makes no picture.
// Games and clears kept between runs: a board left and resumed by a session of a later run, the
// best times, a bounded store, and damaged or unwritable files that lose nothing else.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <utility>

#include "../support/picture_files.h"
#include "../support/puzzles.h"
#include "session/fill_warning.h"
#include "session/puzzle_session.h"

namespace {

using namespace picture_files;

// Answers from a script and writes down every call, with the information text at the time.
class ScriptedAsker : public PictureAsker {
public:
    explicit ScriptedAsker(const PuzzleSession& session, std::vector<bool> answers = {})
        : m_session(session), m_answers(std::move(answers)) {}
    void HeaderRead(const PictureHeader& header, std::int64_t) override {
        calls << QStringLiteral("header %1x%2").arg(header.width).arg(header.height);
    }
    bool AskFewColorBits() override { return Answer(QStringLiteral("bits")); }
    bool AskLargePicture() override { return Answer(QStringLiteral("large:") + m_session.Info()); }
    void Refuse(PictureRefusal refusal, const QString& name) override {
        calls << QStringLiteral("refuse %1 %2").arg(static_cast<int>(refusal)).arg(name);
    }
    void TellTooSmall() override { calls << QStringLiteral("too small"); }
    QString ShowTitle(const QString& shown) override {
        calls << QStringLiteral("title ") + shown;
        return std::exchange(title, shown);
    }
    QStringList calls;
    QString title = QStringLiteral("before");

private:
    bool Answer(const QString& call) {
        calls << call;
        const bool yes = m_next < m_answers.size() && m_answers[m_next];
        ++m_next;
        return yes;
    }
    const PuzzleSession& m_session;
    std::vector<bool> m_answers;
    std::size_t m_next = 0;
};

// Reads `bytes` as ReadPicture does or, `shown`, as the window shows a picture named "pic".
PictureIntake Read(PuzzleSession& session, QByteArray bytes, ScriptedAsker& asker,
                   PictureReading reading = PictureReading::kPlanes, bool shown = false) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    PictureLoader loader(buffer, SniffPictureFormat(buffer));
    return shown ? session.ShowPicture(loader, QStringLiteral("name"), QStringLiteral("pic"), asker)
                 : session.ReadPicture(loader, QStringLiteral("name"), asker, reading);
}

const QString kLines40 = QStringLiteral("Xsize:40\u219240\r\nYsize:30\u219240\r\n");

// Refusals come before any question, damaged data before the questions too; the size question
// comes once the size lines are in the information text; whatever ends the reading early
// leaves the picture there was, and what the intake returns tells the window what to redraw.
TEST(PictureIntakeTest, QuestionsAndRefusalsInOrderLeaveThePreviousPicture) {
    PuzzleSession session;
    ScriptedAsker first(session);
    ASSERT_EQ(Read(session, Ppm(40, 30), first), PictureIntake::kRead);
    EXPECT_EQ(first.calls, QStringList{"header 40x30"});
    EXPECT_EQ(session.Info(), kLines40);
    const std::int32_t* planes = session.GetPicture().planes.Data();

    const QByteArray cut = Bmp24(4, 4).chopped(5);
    const struct {
        QByteArray bytes;
        std::vector<bool> answers;
        PictureIntake end;
        QStringList calls;
    } cases[] = {
        {Bmp(4, 4, {.bitCount = 8}, QByteArray(16, 0)),
         {false},
         PictureIntake::kAbandoned,
         {"header 4x4", "bits"}},
        {Bmp(300, 2, {.bitCount = 8}, QByteArray(600, 0)),
         {true, false},
         PictureIntake::kAbandoned,
         {"header 300x2", "bits",
          "large:" + kLines40 + "Xsize:300\u2192300\r\nYsize:2\u2192300\r\n"}},
        {"P6\n0 5\n255\n", {}, PictureIntake::kAbandoned, {"refuse 2 name"}},
        {"P7\nWIDTH 4\n", {}, PictureIntake::kRefused, {"refuse 0 name"}},
        {cut, {}, PictureIntake::kDamaged, {"header 4x4", "refuse 4 name"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.calls.join(u'|').toStdString());
        session.Info() = kLines40;
        ScriptedAsker asker(session, c.answers);
        EXPECT_EQ(Read(session, c.bytes, asker), c.end);
        EXPECT_EQ(asker.calls, c.calls);
        EXPECT_EQ(session.GetPicture().planes.Data(), planes);
        EXPECT_EQ(session.GetPicture().height, 30);
    }

    // Planes that cannot be had: refused once they are asked for, the picture as it was.
    const auto gate = ColumnBuffer::SetAllocationGate([](std::size_t) { return false; });
    ScriptedAsker noMemory(session);
    EXPECT_EQ(Read(session, Ppm(50, 50), noMemory), PictureIntake::kAbandoned);
    ColumnBuffer::SetAllocationGate(gate);
    EXPECT_EQ(noMemory.calls, QStringList({"header 50x50", "refuse 3 name"}));
    EXPECT_EQ(session.GetPicture().planes.Data(), planes);
}

PictureIntake Show(PuzzleSession& session, QByteArray bytes, ScriptedAsker& asker) {
    return Read(session, std::move(bytes), asker, PictureReading::kPlanes, true);
}

// As the window shows a picture: a refusal goes on with the previous picture, asking about a
// large one again and telling when there is none; a picture named in the title and the
// information text and then damaged takes both back, one declined only the title.
TEST(PictureIntakeTest, ShownPicturesFollowUpRefusalsAndRestoreWhatTheyNamed) {
    PuzzleSession session;
    const QByteArray unsupported = "P7\nWIDTH 4\n";
    ScriptedAsker none(session);
    session.NamePicture({QStringLiteral("f"), QStringLiteral("NGM - [f]")}, none);
    EXPECT_EQ(Show(session, unsupported, none), PictureIntake::kNoPicture);
    EXPECT_EQ(none.calls, QStringList({"title NGM - [f]", "refuse 0 name", "too small"}));
    EXPECT_EQ(session.Info(), QStringLiteral("[f]\r\n"));

    ScriptedAsker large(session, {true, false, true});
    ASSERT_EQ(Show(session, Ppm(261, 10), large), PictureIntake::kRead);
    EXPECT_EQ(session.PictureName(), QStringLiteral("pic"));
    session.Info().clear();
    EXPECT_EQ(Show(session, unsupported, large), PictureIntake::kKept);
    EXPECT_EQ(Show(session, unsupported, large), PictureIntake::kRefused);
    EXPECT_EQ(large.calls.filter(QStringLiteral("large")).size(), 3);

    const QByteArray cut = Bmp24(4, 4).chopped(5);
    for (const bool lineStays : {false, true}) {
        ScriptedAsker damaged(session);
        session.NamePicture({QStringLiteral("cut"), QStringLiteral("NGM - [cut]"), lineStays},
                            damaged);
        EXPECT_EQ(Show(session, cut, damaged), PictureIntake::kDamaged);
        EXPECT_EQ(damaged.title + std::exchange(session.Info(), {}),
                  lineStays ? "before[cut]\r\n" : "before");
    }
    ScriptedAsker declined(session, {false});
    session.NamePicture({QStringLiteral("big"), QStringLiteral("NGM - [big]")}, declined);
    EXPECT_EQ(Show(session, Ppm(300, 2), declined), PictureIntake::kAbandoned);
    EXPECT_EQ(declined.title, QStringLiteral("before"));
    EXPECT_TRUE(session.Info().startsWith(QStringLiteral("[big]\r\nXsize:300")));
    EXPECT_EQ(session.GetPicture().width, 261);
    EXPECT_EQ(session.PictureName(), QStringLiteral("pic"));
}

// A new picture of the same canvas takes over the planes and keeps the binary image; one of
// another canvas gives the binary image back; gray sums alone leave no planes.  Each new
// picture takes the puzzle and the refused choice of the one before away.
TEST(PictureIntakeTest, ANewPictureReusesWhatFitsAndForgetsThePuzzle) {
    PuzzleSession session;
    ScriptedAsker asker(session);
    ASSERT_EQ(Read(session, Ppm(40, 30), asker), PictureIntake::kRead);
    const std::int32_t* planes = session.GetPicture().planes.Data();
    ASSERT_EQ(session.Analyze({0, 250, BlockChoice::Square(10)}, BinaryImage::kAlways),
              AnalysisEnd::kPuzzle);
    const std::int32_t* binary = session.BinaryBuffer().Data();

    ASSERT_EQ(Read(session, Ppm(30, 40), asker), PictureIntake::kRead);
    EXPECT_EQ(session.GetPicture().planes.Data(), planes);
    EXPECT_EQ(session.BinaryBuffer().Data(), binary);
    EXPECT_FALSE(session.HasPuzzle());

    ASSERT_EQ(session.Analyze({0, 250, BlockChoice::Square(50)}), AnalysisEnd::kRefused);
    ASSERT_EQ(Read(session, Ppm(41, 41), asker, PictureReading::kGraySumsOnly),
              PictureIntake::kRead);
    EXPECT_TRUE(session.GetPicture().SumsOnly());
    EXPECT_FALSE(session.BinaryBuffer().IsAllocated());
    EXPECT_FALSE(session.RefusedChoice().has_value());
}

// The window writes the binary image and the batch counts from the gray sums: both make the
// same puzzle, titled with the picture's name.  A refused choice is told once until the choice
// or a puzzle comes between.
TEST(SessionAnalysisTest, OneAnalysisForBothPathsAndARefusalToldOnce) {
    PuzzleSession window, batch;
    ScriptedAsker windowAsker(window), batchAsker(batch);
    ASSERT_EQ(Read(window, Ppm(40, 30), windowAsker), PictureIntake::kRead);
    ASSERT_EQ(Read(batch, Ppm(40, 30), batchAsker, PictureReading::kGraySumsOnly),
              PictureIntake::kRead);
    window.SetPictureName(QStringLiteral("pattern"));
    const AnalysisSettings settings{60, 200, BlockChoice::Square(20)};
    ASSERT_EQ(window.Analyze(settings, BinaryImage::kAlways), AnalysisEnd::kPuzzle);
    ASSERT_EQ(batch.Analyze(settings), AnalysisEnd::kPuzzle);
    EXPECT_EQ(window.Answer(), batch.Answer());
    EXPECT_EQ(window.GetPuzzle().rows, batch.GetPuzzle().rows);
    EXPECT_EQ(window.GetPuzzle().title, "pattern");
    EXPECT_EQ(window.Division().columns, 20);
    // The answer read back as blocks is what the analysis counted.
    const ColumnBuffer blocks = window.AnswerBlocks();
    for (int k = 0; k < 400; ++k)
        ASSERT_EQ(blocks[k / 20][k % 20], window.LastAnalysis().blocks[k / 20][k % 20]) << k;

    const BlockChoice tooFine{41, 30, true, false};
    const BlockChoice alsoTooFine{50, 50, true, false};
    EXPECT_EQ(window.Analyze({0, 250, tooFine}), AnalysisEnd::kRefused);
    EXPECT_FALSE(window.HasPuzzle());
    EXPECT_EQ(window.Analyze({10, 250, tooFine}), AnalysisEnd::kRefusedAgain);
    EXPECT_EQ(window.Analyze({10, 250, alsoTooFine}), AnalysisEnd::kRefused);
    EXPECT_EQ(window.Analyze(settings), AnalysisEnd::kPuzzle);
    EXPECT_EQ(window.Analyze({0, 250, alsoTooFine}), AnalysisEnd::kRefused);
}

// A crop is analysed as the picture of those pixels alone would be, in the window and in a
// batch; a crop past the edges is clipped and one outside the picture makes no puzzle.
TEST(SessionAnalysisTest, ACropAnalysesAsThePictureOfItsPixels) {
    const QByteArray part = Encoded(PatternImage(40, 30).copy(5, 4, 20, 17), "PPM");
    PuzzleSession window, batch, alone;
    ScriptedAsker windowAsker(window), batchAsker(batch), aloneAsker(alone);
    ASSERT_EQ(Read(window, Ppm(40, 30), windowAsker), PictureIntake::kRead);
    ASSERT_EQ(Read(batch, Ppm(40, 30), batchAsker, PictureReading::kGraySumsOnly),
              PictureIntake::kRead);
    ASSERT_EQ(Read(alone, part, aloneAsker), PictureIntake::kRead);
    for (const BlockChoice blocks : {BlockChoice::Square(10), BlockChoice{10, 10, false, true}}) {
        AnalysisSettings settings{60, 200, blocks, PixelRect{5, 4, 20, 17}};
        ASSERT_EQ(window.Analyze(settings, BinaryImage::kAlways), AnalysisEnd::kPuzzle);
        ASSERT_EQ(batch.Analyze(settings), AnalysisEnd::kPuzzle);
        ASSERT_EQ(alone.Analyze({60, 200, blocks}), AnalysisEnd::kPuzzle);
        EXPECT_EQ(window.Answer(), alone.Answer());
        EXPECT_EQ(batch.Answer(), alone.Answer());
        EXPECT_EQ(window.AnalysedPicture().width, 20);
        EXPECT_EQ(window.GetPicture().width, 40);
    }
    const std::vector<std::uint8_t> whole =
        (window.Analyze({60, 200, BlockChoice::Square(10)}), window.Answer());
    EXPECT_EQ(&window.AnalysedPicture(), &window.GetPicture());
    ASSERT_EQ(window.Analyze({60, 200, BlockChoice::Square(10), PixelRect{-9, -9, 99, 99}}),
              AnalysisEnd::kPuzzle);
    EXPECT_EQ(window.Answer(), whole);
    EXPECT_EQ(window.Analyze({60, 200, BlockChoice::Square(10), PixelRect{40, 0, 9, 9}}),
              AnalysisEnd::kEmptyCrop);
    EXPECT_FALSE(window.HasPuzzle());
}

// The share of filled cells that makes no picture, at its edges: none, all, under 5 % or over
// 90 % of the 400 cells, counted from the clues.
TEST(FillWarningTest, TheSharesAtTheEdgesOfAPicture) {
    const std::pair<int, FillProblem> cases[] = {
        {0, FillProblem::kEmpty},  {19, FillProblem::kSparse}, {20, FillProblem::kNone},
        {360, FillProblem::kNone}, {361, FillProblem::kDense}, {400, FillProblem::kFull}};
    for (const auto& [filled, problem] : cases) {
        std::vector<std::uint8_t> cells(400, 0);
        std::fill(cells.begin(), cells.begin() + filled, 1);
        EXPECT_EQ(FillProblemOf(Puzzle::FromGrid(20, 20, cells)), problem) << filled;
        EXPECT_EQ(MakesAPicture(cells, 20), problem == FillProblem::kNone) << filled;
    }
}

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
