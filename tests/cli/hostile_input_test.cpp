// ngm-cli run as a process over inputs that once lost a user's files or held the program:
// outputs that are inputs or meet each other, pipes and folders in an output's place, names that
// are not UTF-8, damaged pictures and option values read too freely.  (Puzzle files the readers
// took wrongly or slowly are the readers' own tests.)
// ngm-cli make --colours: a picture of flat colour areas becomes the colour puzzle of its
// blocks.  (solve and convert read and write colour files through the file formats alone.)
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "../maker/maker_support.h"
#include "../support/picture_files.h"
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

}  // namespace
