// ngm-cli make and convert run in-process: pictures become the puzzle files their pixels call
// for, one line each in the order given; unreadable pictures are named on standard error with
// the window's reasons; convert goes between the formats by the names' extensions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "cli/commands.h"
#include "formats/puzzle_file.h"

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out, err;
};

CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::vector<std::string>> Fields(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.emplace_back();
        std::istringstream fields(line);
        for (std::string f; std::getline(fields, f, '\t');)
            lines.back().push_back(f);
    }
    return lines;
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A side x side P6 picture whose pixel (x, y) has the gray value gray(x, y).
void WritePpm(const fs::path& path, int side, const std::function<int(int, int)>& gray) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << side << " " << side << "\n255\n";
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            out << std::string(3, static_cast<char>(gray(x, y)));
}

// The cells of a 20 x 20 pattern numbered `k`: a few shapes that differ from picture to picture.
bool Pattern(int k, int x, int y) {
    return (x * (k + 3) + y * (k + 1)) % 7 < 3 || (x > 4 && x < 9 + k % 5 && y == k % 20);
}

std::vector<std::uint8_t> PatternCells(int k, int n = 20) {
    std::vector<std::uint8_t> cells;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            cells.push_back(Pattern(k, x, y));
    return cells;
}

class CliMake : public ::testing::Test {
protected:
    void SetUp() override {
        // A folder of this process's own: other builds may run the same tests at once.
        dir_ = fs::temp_directory_path() /
               ("ngm_make_test_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "in");
    }
    void TearDown() override { fs::remove_all(dir_); }
    // Picture k at in/NAME.ppm: 40 x 40 pixels, each cell of the pattern two by two of them,
    // dark (gray 40) or white.
    std::string Picture(int k, const std::string& name) {
        const fs::path path = dir_ / "in" / (name + ".ppm");
        WritePpm(path, 40, [k](int x, int y) { return Pattern(k, x / 2, y / 2) ? 40 : 255; });
        return path.string();
    }
    fs::path dir_;
};

TEST_F(CliMake, PicturesBecomeTheirPuzzlesInTheOrderGiven) {
    std::vector<std::string> args = {"make", "--out", (dir_ / "out").string()};
    std::vector<std::string> pictures;
    for (int k = 0; k < 24; ++k)
        pictures.push_back(Picture(k, "p" + std::to_string(k)));
    args.insert(args.end(), pictures.begin(), pictures.end());
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const auto lines = Fields(run.out);
    ASSERT_EQ(lines.size(), pictures.size());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(lines[k].size(), 5u);
        EXPECT_EQ(lines[k][0], pictures[k]);
        const fs::path written = dir_ / "out" / ("p" + std::to_string(k) + ".non");
        EXPECT_EQ(lines[k][1], written.string());
        const PuzzleReadResult r = ReadPuzzleFile(written.string());
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.puzzle.answer, PatternCells(static_cast<int>(k)));
        EXPECT_EQ(r.puzzle.title, "p" + std::to_string(k));
        const std::string verdict = lines[k][2];
        EXPECT_TRUE(verdict == "line" || verdict == "unique" || verdict == "multiple") << verdict;
        EXPECT_EQ(std::stoi(lines[k][4]) > 0, verdict == "multiple" || lines[k][3] == "5");
    }
}

TEST_F(CliMake, UnreadablePicturesAreNamedAndTheOthersGoOn) {
    const std::string good = Picture(1, "good");
    const fs::path broken = dir_ / "in" / "broken.ppm";
    std::ofstream(broken) << "P7 not a picture";
    const fs::path missing = dir_ / "in" / "missing.bmp";
    fs::create_directories(dir_ / "other");
    const fs::path again = dir_ / "other" / "good.ppm";
    fs::copy_file(good, again);
    const CliRun run = Cli({"make", "--out=" + (dir_ / "out").string(), broken.string(), good,
                            missing.string(), again.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(Fields(run.out).size(), 1u);
    EXPECT_EQ(run.err, broken.string() + ": この形式はサポートされていません。\n" +
                           missing.string() + ": ファイルがオープンできません。\n" +
                           again.string() + ": 同じ名前のファイルを前の画像が書きます: " +
                           (dir_ / "out" / "good.non").string() + "\n");
    // Without --out the file goes beside its picture; a folder that cannot be made is refused.
    const CliRun beside = Cli({"make", good});
    EXPECT_EQ(beside.status, 0);
    EXPECT_TRUE(fs::exists(dir_ / "in" / "good.non"));
    std::ofstream(dir_ / "file") << "x";
    EXPECT_EQ(Cli({"make", "--out", (dir_ / "file" / "sub").string(), good}).status, 1);
}

TEST_F(CliMake, BlocksBandAndFormatsAreThoseAsked) {
    // Grays 0, 100 and 200 in stripes four pixels wide; bands pick them, and a block is black
    // when at least half of its pixels are.
    const fs::path stripes = dir_ / "in" / "stripes.ppm";
    WritePpm(stripes, 40, [](int x, int) { return (x / 4) % 3 * 100; });
    const struct {
        std::vector<std::string> options;
        int n;
        std::function<bool(int x)> black;
    } cases[] = {
        {{}, 20, [](int) { return true; }},
        {{"--band", "50,150"}, 20, [](int x) { return (x / 2) % 3 == 1; }},
        {{"--band=150,255", "--blocks", "10"}, 10, [](int x) { return x % 3 == 2; }},
        {{"--blocks=5", "--band", "0,50"}, 5, [](int x) { return x != 2; }},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"make", "--format", "xml"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(stripes.string());
        const CliRun run = Cli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const PuzzleReadResult r = ReadPuzzleFile((dir_ / "in" / "stripes.xml").string());
        ASSERT_TRUE(r.ok) << r.error;
        ASSERT_EQ(r.puzzle.width, c.n);
        for (int x = 0; x < c.n; ++x)
            EXPECT_EQ(r.puzzle.AnswerAt(x, c.n - 1), c.black(x) ? 1 : 0) << c.n << " " << x;
    }
    // Pictures and pages.
    const std::string picture = Picture(3, "pic");
    ASSERT_EQ(Cli({"make", "--format", "png", picture}).status, 0);
    const QImage blank(QString::fromStdString((dir_ / "in" / "pic.png").string()));
    const QImage solved(QString::fromStdString((dir_ / "in" / "pic-solution.png").string()));
    EXPECT_FALSE(blank.isNull());
    EXPECT_EQ(solved.size(), blank.size());
    EXPECT_NE(solved, blank);
    ASSERT_EQ(Cli({"make", "--format", "pdf", picture}).status, 0);
    EXPECT_EQ(Slurp(dir_ / "in" / "pic.pdf").substr(0, 5), "%PDF-");
}

TEST(CliConvert, BetweenFormatsByExtension) {
    const fs::path dir =
        fs::temp_directory_path() / ("ngm_convert_test_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string heart = std::string(NGM_TEST_DATA) + "/expected/heart.non";
    // .non -> .xml -> .non gives the file back; the .xml is the hand-written one.
    EXPECT_EQ(Cli({"convert", heart, (dir / "h.xml").string()}).status, 0);
    EXPECT_EQ(Slurp(dir / "h.xml"), Slurp(std::string(NGM_TEST_DATA) + "/expected/heart.xml"));
    EXPECT_EQ(Cli({"convert", (dir / "h.xml").string(), (dir / "h.non").string()}).status, 0);
    EXPECT_EQ(Slurp(dir / "h.non"), Slurp(heart));
    // solve reads the .xml as well.
    const auto solved = Fields(Cli({"solve", (dir / "h.xml").string()}).out);
    ASSERT_EQ(solved.size(), 1u);
    EXPECT_EQ(solved[0][1], "line");
    // Clues only: the pictures get the answer when it is the only one.
    std::ofstream(dir / "unique.non") << "width 2\nheight 2\nrows\n2\n1\ncolumns\n2\n1\n";
    std::ofstream(dir / "several.non") << "width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n";
    EXPECT_EQ(Cli({"convert", (dir / "unique.non").string(), (dir / "u.png").string()}).status, 0);
    EXPECT_TRUE(fs::exists(dir / "u-solution.png"));
    EXPECT_EQ(Cli({"convert", (dir / "several.non").string(), (dir / "s.PNG").string()}).status, 0);
    EXPECT_TRUE(fs::exists(dir / "s.PNG"));
    EXPECT_FALSE(fs::exists(dir / "s-solution.png"));
    EXPECT_EQ(Cli({"convert", heart, (dir / "h.pdf").string()}).status, 0);
    EXPECT_EQ(Slurp(dir / "h.pdf").substr(0, 5), "%PDF-");

    std::ofstream(dir / "bad.xml") << "<puzzle>\n<clues type=\"rows\">\n<line><count>x</count>";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } wrong[] = {
        {{"convert", (dir / "bad.xml").string(), (dir / "b.non").string()},
         2,
         (dir / "bad.xml").string() + ":3: 数字が正しくありません\n"},
        {{"convert", (dir / "none.non").string(), (dir / "b.non").string()},
         2,
         (dir / "none.non").string() + ": ファイルを開けません\n"},
        {{"convert", heart, (dir / "b.gif").string()},
         1,
         "ngm-cli convert: 出力の拡張子は .non、.xml、.png、.pdf のどれかです: " +
             (dir / "b.gif").string() + "\n"},
        {{"convert", heart, (dir / "no" / "b.non").string()}, 2, ""},
        {{"convert", heart}, 1, ""},
    };
    for (const auto& w : wrong) {
        const CliRun run = Cli(w.args);
        EXPECT_EQ(run.status, w.status) << run.err;
        if (!w.err.empty())
            EXPECT_EQ(run.err, w.err);
        else
            EXPECT_FALSE(run.err.empty());
    }
    fs::remove_all(dir);
}

TEST(CliMakeArguments, WrongCommandLinesAreRefused) {
    const CliRun help = Cli({"make", "--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"--blocks", "--band", "--format", "--out", "solution.png"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    EXPECT_NE(Cli({"--help"}).out.find("convert"), std::string::npos);
    const struct {
        std::vector<std::string> args;
        const char* message;
    } wrong[] = {
        {{"make"}, "画像がありません"},
        {{"make", "--blocks", "7", "a.ppm"}, "--blocks の値が正しくありません: 7"},
        {{"make", "--band", "200,100", "a.ppm"}, "--band の値が正しくありません"},
        {{"make", "--band=5", "a.ppm"}, "--band の値が正しくありません"},
        {{"make", "--band", "0,256", "a.ppm"}, "--band の値が正しくありません"},
        {{"make", "--format", "gif", "a.ppm"}, "--format の値が正しくありません"},
        {{"make", "--format", "x.non", "a.ppm"}, "--format の値が正しくありません"},
        {{"make", "a.ppm", "--out"}, "--out に値がありません"},
        {{"make", "--fast", "a.ppm"}, "知らないオプション"},
    };
    for (const auto& w : wrong) {
        const CliRun run = Cli(w.args);
        EXPECT_EQ(run.status, 1) << w.message;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(w.message), std::string::npos) << run.err;
    }
}

}  // namespace
