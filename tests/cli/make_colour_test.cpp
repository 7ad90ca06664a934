// ngm-cli make --colours: a picture of flat colour areas becomes the colour puzzle of its
// blocks.  (solve and convert read and write colour files through the file formats alone.)
#include "../maker/maker_support.h"
#include "cli_support.h"
#include "formats/puzzle_file.h"

namespace {

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
