// ngm-cli run as a process over inputs that once lost a user's files or held the program:
// outputs that are inputs or meet each other, pipes and folders in an output's place, names that
// are not UTF-8, damaged pictures and option values read too freely.  (Puzzle files the readers
// took wrongly or slowly are the readers' own tests.)
// ngm-cli make --colours: a picture of flat colour areas becomes the colour puzzle of its
// blocks.  (solve and convert read and write colour files through the file formats alone.)
// ngm-cli solve: one tab-separated line per readable file, "FILE:LINE: reason" on standard
// error for the others, and the exit status; the refused command lines of every subcommand;
// generate; and convert: the written text formats exactly as the hand-written files, pictures
// of a puzzle read with its clues only, and a file that cannot be written.
// ngm-cli in English: the language option taken out of the words, and every text it prints in
// English with no Japanese left over.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#include "../maker/maker_support.h"
#include "../support/english_texts.h"
#include "../support/picture_files.h"
#include "cli/cli_language.h"
#include "cli/drawing_app.h"
#include "cli_support.h"
#include "formats/puzzle_file.h"

namespace {

std::string Ppm() {
    return picture_files::Ppm(40, 40).toStdString();
}

class CliProcess : public CliTest {
protected:
    // ngm-cli run as a process, as a user runs it, with Japanese texts: its exit status and what
    // it wrote on each stream.
    CliRun Run(const std::vector<std::string>& args) {
        const fs::path out = dir_ / ".stdout", err = dir_ / ".stderr";
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
            dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            setenv("NGM_LANG", "ja", 1);
            std::vector<char*> argv{const_cast<char*>(NGM_CLI)};
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(NGM_CLI, argv.data());
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        CliRun run{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), Slurp(out),
                   Slurp(err)};
        fs::remove(out);
        fs::remove(err);
        return run;
    }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
};

// Outputs that are inputs, by any name of the file, outputs of one batch that meet (a picture's
// answer picture is another's puzzle picture), and pipes or folders in an output's place: each
// is refused, the other pictures of the batch made, and no file changes.
TEST_F(CliProcess, OutputsThatAreInputsPipesOrEachOtherAreRefused) {
    const std::string heart = std::string(NGM_TEST_DATA) + "/expected/heart.non";
    const char* pictures[] = {"photo.png", "pic.ppm", "a/x.png",
                              "a/x.bmp",   "p.ppm",   "p-solution.ppm"};
    for (const char* folder : {"a", "linked", "piped", "u-solution.png"})
        fs::create_directories(dir_ / folder);
    for (const char* name : pictures)
        Write(name, Ppm());
    Write("h.xml", Slurp(std::string(NGM_TEST_DATA) + "/expected/heart.xml"));
    Write("u.png", "old");
    fs::create_hard_link(dir_ / "pic.ppm", dir_ / "linked" / "pic.non");
    ASSERT_EQ(mkfifo(Path("pipe.xml").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(Path("piped/pic.non").c_str(), 0600), 0);
    const struct {
        std::vector<std::string> args;
        std::string said;  // on standard error
        std::size_t made;  // lines on standard output
    } cases[] = {
        {{"make", "--format", "png", Path("photo.png")},
         Path("photo.png") + " = " + Path("photo.png"),
         0},
        {{"make", "--out", Path("linked"), Path("pic.ppm")},
         Path("linked/pic.non") + " = " + Path("pic.ppm"),
         0},
        {{"convert", Path("h.xml"), Path("./h.xml")}, "h.xml", 0},
        {{"make", Path("a/x.png"), Path("a/./x.bmp")}, Path("a/./x.bmp") + ": ", 1},
        {{"make", "--format", "png", "--out", Path("o"), Path("p.ppm"), Path("p-solution.ppm")},
         Path("p-solution.ppm") + ": ",
         1},
        {{"convert", heart, Path("pipe.xml")}, "pipe.xml", 0},
        {{"make", "--out", Path("piped"), Path("pic.ppm")}, "pic.non: ", 0},
        {{"convert", heart, Path("u.png")}, "u-solution.png", 0},
    };
    for (const auto& c : cases) {
        const CliRun run = Run(c.args);
        EXPECT_EQ(run.status, 2) << c.said;
        EXPECT_EQ(Fields(run.out).size(), c.made) << c.said;
        EXPECT_TRUE(Has(run.err, c.said)) << run.err;
    }
    for (const char* name : pictures)
        EXPECT_TRUE(Slurp(dir_ / name) == Ppm()) << name;
    EXPECT_TRUE(Slurp(dir_ / "u.png") == "old");
    EXPECT_TRUE(fs::is_fifo(dir_ / "pipe.xml"));
    EXPECT_TRUE(fs::is_fifo(dir_ / "piped" / "pic.non"));
}

TEST_F(CliProcess, NamesThatAreNotUtf8AreOpenedAndWritten) {
    const std::string name = "\x83\x65\x83\x58\x83\x67";  // テスト in Shift-JIS
    Write(name + ".non", Slurp(std::string(NGM_TEST_DATA) + "/expected/heart.non"));
    CliRun run = Run({"solve", Path(name + ".non")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, Path(name + ".non") + "\t")) << run.out;
    EXPECT_EQ(Run({"convert", Path(name + ".non"), Path(name + ".xml")}).status, 0);
    EXPECT_TRUE(fs::exists(dir_ / (name + ".xml")));
    Write(name + ".ppm", Ppm());
    run = Run({"make", "--out", Path(name), Path(name + ".ppm")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, Path(name + "/" + name + ".non"))) << run.out;
    EXPECT_TRUE(fs::exists(dir_ / name / (name + ".non")));
}

TEST_F(CliProcess, DamagedPicturesAreNamedAndLibrariesKeepQuiet) {
    const QImage image = picture_files::PatternImage(64, 48);
    const struct {
        const char* name;
        QByteArray bytes;
    } pictures[] = {
        {"png", picture_files::Encoded(image, "png")},
        {"jpg", picture_files::Encoded(image, "jpg")},
        {"gif", QByteArray::fromStdString(
                    Slurp(std::string(NGM_TEST_DATA) + "/../../fuzz/corpus/picture/gif.gif"))},
        {"bmp", picture_files::Bmp24(64, 48)},
        {"tif", picture_files::Encoded(image, "tiff")},
        {"webp", QByteArray::fromStdString(
                     Slurp(std::string(NGM_TEST_DATA) + "/../../fuzz/corpus/picture/webp.webp"))},
    };
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.name);
        ASSERT_FALSE(p.bytes.isEmpty());
        const std::string path = Path(std::string("cut.") + p.name);
        Write(path, p.bytes.left(p.bytes.size() * 2 / 3).toStdString());
        const CliRun run = Run({"make", "--out", Path("out"), path});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, path + ": 画像のデータが壊れているか途中で切れています。\n");
    }
}

TEST_F(CliProcess, OptionValuesAreReadAsWrittenOrRefusedWithTheReason) {
    const std::string heart = std::string(NGM_TEST_DATA) + "/expected/heart.non";
    for (const char* bad : {"0x10", "1e308", "1e3", "inf", "-1", "0", "86401", " 5", "5s", "."})
        EXPECT_EQ(Run({"solve", "--timeout", bad, heart}).status, 1) << bad;
    for (const char* good : {"16", "2.5", ".5", "86400"})
        EXPECT_EQ(Run({"solve", "--timeout", good, heart}).status, 0) << good;
    Write("file", "x");
    Write("pic.ppm", Ppm());
    const CliRun run = Run({"make", "--out", Path("file/sub"), Path("pic.ppm")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, std::strerror(ENOTDIR))) << run.err;
}

// 60 x 60 on white, blocks of 10 pixels: a red bar, a shorter green bar under its end
// and a blue hook.
char CellOf(int x, int y) {
    const int i = x / 10, j = y / 10;
    if (j == 1 && i >= 1 && i <= 4)
        return 'r';
    if (j == 2 && i >= 3 && i <= 4)
        return 'g';
    if ((j == 3 && i == 1) || (j == 4 && (i == 1 || i == 2)))
        return 'b';
    return '.';
}

// The picture as a PPM file on the background colour given.
void WriteFlags(const fs::path& picture, Rgb background) {
    std::ofstream(picture, std::ios::binary) << painted::Ppm(60, 60, [&](int x, int y) {
        const char c = CellOf(x, y);
        return c == 'r'   ? Rgb{0xe0, 0x10, 0x20}
               : c == 'g' ? Rgb{0x10, 0xa0, 0x30}
               : c == 'b' ? Rgb{0x20, 0x30, 0xd0}
                          : background;
    });
}

TEST_F(CliTest, MakeWithColoursWritesThePaletteAndTheColoursOfTheBlocks) {
    const fs::path picture = dir_ / "flags.ppm";
    WriteFlags(picture, painted::Gray(255));
    const CliRun run = Cli({"make", "--colours", "3", "--blocks", "6", "--unique", "--out",
                            Path("out"), picture.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto lines = Fields(run.out);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 8u);
    EXPECT_EQ(lines[0][2], "line");
    EXPECT_EQ(lines[0][5], "kept");
    EXPECT_EQ(lines[0][6], "6");
    const PuzzleReadResult r = ReadPuzzleFile(Path("out/flags.non"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.puzzle.palette,
              (std::vector<std::uint32_t>{0xffffff, 0xe01020, 0x2030d0, 0x10a030}));
    const char kChars[] = ".rbg";
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(kChars[r.puzzle.AnswerAt(x, y)], CellOf(x * 10, y * 10)) << x << "," << y;
    EXPECT_EQ(Cli({"make", "--colours", "9", picture.string()}).status, 1);
}

// --trim with colours keeps what is not the background, whatever its brightness: on a dark
// gray, which the band would keep too, the coloured cells alone become the puzzle.
TEST_F(CliTest, TrimWithColoursCutsToWhatIsNotTheBackground) {
    const fs::path picture = dir_ / "dark.ppm";
    WriteFlags(picture, painted::Gray(0x30));
    ASSERT_EQ(Cli({"make", "--colours", "3", "--blocks", "4", "--fit", "--trim", "--band", "auto",
                   "--out", Path("out"), picture.string()})
                  .status,
              0);
    const PuzzleReadResult r = ReadPuzzleFile(Path("out/dark.non"));
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.puzzle.width, 4);
    ASSERT_EQ(r.puzzle.height, 4);
    const char kChars[] = ".rbg";
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(kChars[r.puzzle.AnswerAt(x, y)], CellOf(10 + x * 10, 10 + y * 10))
                << x << "," << y;
}

// --palette keeps its colours first and in its order, and gives --colours its count when
// none is given; --colors is --colours.  Values that are not colours are refused.
TEST_F(CliTest, PaletteKeepsItsColoursFirst) {
    const fs::path picture = dir_ / "flags.ppm";
    WriteFlags(picture, painted::Gray(255));
    struct Row {
        std::vector<std::string> args;
        std::vector<std::uint32_t> palette;
    };
    const Row rows[] = {
        {{"--palette", "2030d0,10a030,E01020"}, {0xffffff, 0x2030d0, 0x10a030, 0xe01020}},
        {{"--palette=10a030", "--colors", "3"}, {0xffffff, 0x10a030, 0xe01020, 0x2030d0}},
    };
    for (const Row& row : rows) {
        const CliRun run =
            Cli({"make", "--blocks", "6", "--out", Path("out")}, row.args, {picture.string()});
        ASSERT_EQ(run.status, 0) << run.err;
        const PuzzleReadResult r = ReadPuzzleFile(Path("out/flags.non"));
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.puzzle.palette, row.palette) << row.args[0];
        fs::remove_all(Path("out"));
    }
    for (const char* wrong : {"2030d", "2030dg", "2030d0,", "#2030d0", "1,2,3,4,5,6,7,8,9"}) {
        const CliRun run = Cli({"make", "--palette", wrong, picture.string()});
        EXPECT_EQ(run.status, 1) << wrong;
        EXPECT_NE(run.err.find("--palette"), std::string::npos) << run.err;
    }
}

// --unique with colours searches the colour counts and block counts: the two reds swap corners
// with two colours, not with three.
TEST_F(CliTest, UniqueWithColoursFindsAnotherColourCount) {
    const fs::path picture = dir_ / "reds.ppm";
    std::ofstream(picture, std::ios::binary) << painted::Ppm(50, 50, GreenRowAndTwoReds);
    const CliRun run = Cli({"make", "--colours", "2", "--blocks", "5", "--unique", "--out",
                            Path("out"), picture.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Fields(run.out);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 8u) << run.out;
    EXPECT_EQ(lines[0][2], "line");
    EXPECT_EQ(lines[0][5], "found");
    EXPECT_EQ(lines[0][6], "5");
    EXPECT_NE(run.err.find("reds.ppm: "), std::string::npos) << run.err;
    EXPECT_EQ(ReadPuzzleFile(Path("out/reds.non")).puzzle.palette.size(), 4u);
}

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
