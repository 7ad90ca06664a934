// ngm-cli solve: one tab-separated line per readable file, "FILE:LINE: reason" on standard
// error for the others, and the exit status; the refused command lines of every subcommand;
// generate; and convert: the written text formats exactly as the hand-written files, pictures
// of a puzzle read with its clues only, and a file that cannot be written.
// ngm-cli in English: the language option taken out of the words, and every text it prints in
// English with no Japanese left over.
#include <algorithm>
#include <set>

#include "../support/english_texts.h"
#include "cli/cli_language.h"
#include "cli/drawing_app.h"
#include "cli_support.h"

namespace {

const std::string kData = std::string(NGM_TEST_DATA) + "/";

TEST_F(CliTest, SolveGivesOneLinePerFileAndErrorsForTheRest) {
    const std::string broken = Path("broken.non");
    std::ofstream(broken) << "width 3\nheight 1\nrows\n2,2\ncolumns\n1\n1\n1\n";
    const std::string none = Path("none.non");  // fits and adds up, but no grid
    std::ofstream(none) << "width 2\nheight 2\nrows\n0\n2\ncolumns\n0\n2\n";
    const std::string unequal = Path("unequal.non");  // rows fill 2 cells, columns 1
    std::ofstream(unequal) << "width 2\nheight 1\nrows\n2\ncolumns\n1\n0\n";
    const std::string missing = Path("missing.non");
    const struct {
        std::string file, verdict;
    } expected[] = {{kData + "puzzles/blob5/p0001.non", "line"},
                    {kData + "puzzles/blob20/p0057.non", "unique"},
                    {none, "none"},
                    {unequal, "none"},
                    {kData + "puzzles/blob10/p0005.non", "multiple"}};

    const CliRun run = Cli({"solve", "--timeout", "5", expected[0].file, broken, expected[1].file,
                            missing, none, unequal, expected[4].file});
    EXPECT_EQ(run.status, 2);
    const auto lines = Fields(run.out);
    ASSERT_EQ(lines.size(), 5u) << run.out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(run.out);
        ASSERT_EQ(lines[i].size(), 5u);
        EXPECT_EQ(lines[i][0], expected[i].file);
        EXPECT_EQ(lines[i][1], expected[i].verdict);
    }
    EXPECT_EQ(run.err,
              broken + ":4: ヒントが行に収まりません\n" + missing + ": ファイルを開けません\n");
}

TEST(CliArguments, WrongCommandLinesAreRefused) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } wrong[] = {
        {{}, "使い方"},
        {{"unsolve"}, "知らないコマンド"},
        {{"solve"}, "ファイルがありません"},
        {{"solve", "--timeout"}, "秒数がありません"},
        {{"solve", "--timeout=-1", "x.non"}, "秒数が正しくありません"},
        {{"solve", "--fast", "x.non"}, "知らないオプション"},
        {{"make"}, "画像がありません"},
        {{"make", "--blocks", "100", "a.ppm"}, "--blocks の値が正しくありません: 100"},
        {{"make", "--band", "200,100", "a.ppm"}, "--band の値が正しくありません"},
        {{"make", "--band", "100,100", "a.ppm"}, "--band の値が正しくありません: 100,100"},
        {{"make", "--band=5", "a.ppm"}, "--band の値が正しくありません"},
        {{"make", "--band", "0,256", "a.ppm"}, "--band の値が正しくありません"},
        {{"make", "--format", "gif", "a.ppm"}, "--format の値が正しくありません"},
        {{"make", "--format", "x.non", "a.ppm"}, "--format の値が正しくありません"},
        {{"make", "a.ppm", "--out"}, "--out に値がありません"},
        {{"make", "--fast", "a.ppm"}, "知らないオプション"},
        {{"convert", "a.non"}, "入力と出力のファイル名を一つずつ与えてください"},
        {{"convert", "a.non", "b.gif"},
         "出力の拡張子は .non、.xml、.png、.pdf のどれかです: b.gif"},
    };
    for (const auto& w : wrong) {
        const CliRun run = Cli(w.args);
        EXPECT_EQ(run.status, 1) << w.message;
        EXPECT_EQ(run.out, "") << w.message;
        EXPECT_NE(run.err.find(w.message), std::string::npos) << run.err;
    }
}

// ngm-cli generate: the files asked for, all different, each with one solution of the asked
// difficulty; files there already are kept; wrong values are refused.
TEST_F(CliTest, GenerateWritesDifferentPuzzlesAndKeepsExistingFiles) {
    const std::string out = Path("made");
    fs::create_directories(out);
    std::ofstream(out + "/generated-10x8-d2-001.non") << "mine";
    const CliRun run = Cli({"generate", "--size", "10x8", "--difficulty", "2", "--count", "3",
                            "--out", out, "--seed", "5"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> files;
    for (const auto& line : Fields(run.out))
        files.push_back(line[0]);
    ASSERT_EQ(files.size(), 3u) << run.out;
    EXPECT_EQ(files[0], out + "/generated-10x8-d2-002.non");
    EXPECT_EQ(Slurp(out + "/generated-10x8-d2-001.non"), "mine");
    std::set<std::string> goals;
    for (const auto& line : Fields(Cli({"solve"}, files).out)) {
        EXPECT_EQ(std::tuple(line[1], line[2]), std::tuple(std::string("line"), std::string("2")));
        const std::string text = Slurp(line[0]);
        goals.insert(text.substr(text.find("goal")));
    }
    EXPECT_EQ(goals.size(), 3u);
    for (const auto& wrong : {std::vector<std::string>{"--size", "0x5"},
                              {"--difficulty", "6"},
                              {"--format", "png"},
                              {"--count"}})
        EXPECT_EQ(Cli({"generate"}, wrong).status, 1) << wrong[0];
}

TEST_F(CliTest, ConvertWritesEachFormatAsTheHandWrittenFiles) {
    const std::string heart = std::string(NGM_TEST_DATA) + "/expected/heart";
    EXPECT_EQ(Cli({"convert", heart + ".non", Path("h.xml")}).status, 0);
    EXPECT_EQ(Slurp(dir_ / "h.xml"), Slurp(heart + ".xml"));
    EXPECT_EQ(Cli({"convert", Path("h.xml"), Path("h.non")}).status, 0);
    EXPECT_EQ(Slurp(dir_ / "h.non"), Slurp(heart + ".non"));
    // Clues only: the pictures get the answer when it is the only one.
    std::ofstream(dir_ / "unique.non") << "width 2\nheight 2\nrows\n2\n1\ncolumns\n2\n1\n";
    std::ofstream(dir_ / "several.non") << "width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n";
    EXPECT_EQ(Cli({"convert", Path("unique.non"), Path("u.png")}).status, 0);
    EXPECT_TRUE(fs::exists(dir_ / "u-solution.png"));
    EXPECT_EQ(Cli({"convert", Path("several.non"), Path("s.png")}).status, 0);
    EXPECT_TRUE(fs::exists(dir_ / "s.png"));
    EXPECT_FALSE(fs::exists(dir_ / "s-solution.png"));
    const std::string nowhere = Path("no/h.non");
    const CliRun run = Cli({"convert", heart + ".non", nowhere});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind(nowhere + ": ファイルに書き込めませんでした。", 0), 0u) << run.err;
}

TEST(CliLanguage, OptionIsTakenOutOfTheWordsAndTheRestKeptByteForByte) {
    const std::string odd = "\xff\xfe.ppm";  // not UTF-8
    const QStringList ja = {QStringLiteral("ja-JP")}, en = {QStringLiteral("en-US")};
    struct Case {
        std::vector<std::string> words;
        QString forced;
        QStringList preferred;
        UiLanguage expected;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {{"make", odd}, {}, ja, UiLanguage::Japanese, {"make", odd}},
        {{"--lang", "en", "make", odd}, {}, ja, UiLanguage::English, {"make", odd}},
        {{"make", "--lang=en", odd}, {}, ja, UiLanguage::English, {"make", odd}},
        {{"make", odd, "--lang", "ja"}, "en", en, UiLanguage::Japanese, {"make", odd}},
        // After "--" every word is a file; a last "--lang" without a value is left for the
        // command to refuse.
        {{"make", "--", "--lang=en"}, {}, ja, UiLanguage::Japanese, {"make", "--", "--lang=en"}},
        {{"make", "--lang"}, {}, ja, UiLanguage::Japanese, {"make", "--lang"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words = c.words;
        EXPECT_EQ(TakeCliLanguage(words, c.forced, c.preferred), c.expected) << c.words.back();
        EXPECT_EQ(words, c.left);
    }
}

TEST_F(CliTest, EnglishTextsHaveNoJapaneseAndHelpFitsEightyColumns) {
    { std::ofstream(Path("short.non")) << "width 2\nheight 2\nrows\n1\ncolumns\n1\n1\n"; }
    const std::vector<std::vector<std::string>> runs = {
        {},
        {"--help"},
        {"frobnicate"},
        {"make", "--help"},
        {"make", "--bogus"},
        {"make", "--blocks", "7", "x.ppm"},
        {"make"},
        {"solve", "--help"},
        {"solve", "--timeout"},
        {"solve", Path("missing.non")},
        {"solve", Path("short.non")},
        {"convert", "--help"},
        {"convert", Path("short.non"), Path("out.txt")},
    };
    EnsureDrawingApplication();  // the texts need an application; make and convert draw
    {
        EnglishTexts english;
        ASSERT_TRUE(english.Loaded());
        for (const auto& words : runs) {
            const CliRun run = Cli(words);
            const std::string all = run.out + run.err;
            const std::string what = words.empty() ? "(none)" : words[0] + " " + words.back();
            EXPECT_FALSE(all.empty()) << what;
            EXPECT_TRUE(
                std::all_of(all.begin(), all.end(), [](unsigned char c) { return c < 0x80; }))
                << what << ":\n"
                << all;
            std::istringstream lines(run.out);
            for (std::string line; std::getline(lines, line);) {
                std::size_t columns = 0;  // tabs stop every 8 columns
                for (const char c : line)
                    columns = c == '\t' ? (columns / 8 + 1) * 8 : columns + 1;
                EXPECT_LE(columns, 80u) << line;
            }
        }
        EXPECT_EQ(Cli({"solve", Path("short.non")}).err,
                  Path("short.non") + ":5: too few row clues\n");
    }
    // Japanese again once the English texts are gone.
    EXPECT_EQ(Cli({"frobnicate"}).err.rfind("ngm-cli: 知らないコマンドです: frobnicate\n", 0), 0u);
}

}  // namespace
