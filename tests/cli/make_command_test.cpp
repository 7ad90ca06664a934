// ngm-cli make: pictures become the puzzle files their pixels call for, one line each in the
// order given; unreadable pictures are named on standard error with the window's reasons; the
// options that choose what is analysed (blocks, the automatic band, a crop and a trim), folders
// of pictures, and make --unique.
// And make writes, byte for byte, the files kept under data/expected/make: the samples and
// two made-up pictures, through every block choice (square, custom, fitted), band, format and
// --unique.  Any change to loading, binarization, block division, clues or writing shows here.
// A PDF carries the time it was made: that one value is left out of the comparison.
// The memory a batch's workers share: however many workers ask at once, what they hold together
// stays within the budget, a picture larger than the budget runs alone, and every worker gets
// its turn.  And a claimed 8000 x 8000 picture asks for its decoding and its canvas.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <tuple>
#include <vector>

#include "../maker/block_pictures.h"
#include "../support/painted.h"
#include "cli/memory_budget.h"
#include "cli/picture_file.h"
#include "cli_support.h"
#include "formats/puzzle_file.h"

namespace {

// The cells of a 20 x 20 pattern numbered `k`: a few shapes that differ from picture to picture.
bool Pattern(int k, int x, int y) {
    return (x * (k + 3) + y * (k + 1)) % 7 < 3 || (x > 4 && x < 9 + k % 5 && y == k % 20);
}

// A dark (60) ellipse on a gray (180) ground, its bounding box 14..33 x 8..21.
int Ellipse(int x, int y) {
    const double dx = (x - 23.5) / 10, dy = (y - 14.5) / 7;
    return dx * dx + dy * dy < 1 ? 60 : 180;
}

class CliMake : public CliTest {
protected:
    // A width x height P6 picture at NAME whose pixel (x, y) has the gray value gray(x, y).
    fs::path Write(const std::string& name, int width, int height,
                   const std::function<int(int, int)>& gray) {
        std::ofstream(dir_ / name, std::ios::binary)
            << painted::Ppm(width, height, [&](int x, int y) { return painted::Gray(gray(x, y)); });
        return dir_ / name;
    }
    // Picture k at NAME.ppm: each cell of the pattern two by two pixels, dark (gray 40) or white.
    std::string Picture(int k, const std::string& name) {
        return Write(name + ".ppm", 40, 40,
                     [k](int x, int y) { return Pattern(k, x / 2, y / 2) ? 40 : 255; })
            .string();
    }
    // The puzzle file make writes for the picture with these options, without its title; the
    // line make gave for it in `line`.
    std::string Made(std::vector<std::string> options, const fs::path& picture) {
        const CliRun run = Cli({"make", "--out", Path("out")}, options, {picture.string()});
        EXPECT_EQ(run.status, 0) << run.err;
        line = Fields(run.out).at(0);
        const std::string file = Slurp(dir_ / "out" / (picture.stem().string() + ".non"));
        return file.substr(file.find('\n'));
    }
    std::vector<std::string> line;
};

TEST_F(CliMake, PicturesBecomeTheirPuzzlesInTheOrderGiven) {
    std::vector<std::string> args = {"make", "--out", Path("out")};
    for (int k = 0; k < 24; ++k)
        args.push_back(Picture(k, "p" + std::to_string(k)));
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const auto lines = Fields(run.out);
    ASSERT_EQ(lines.size(), 24u);
    for (int k = 0; k < 24; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(lines[k].size(), 5u);
        EXPECT_EQ(lines[k][0], args[3 + k]);
        const fs::path written = dir_ / "out" / ("p" + std::to_string(k) + ".non");
        EXPECT_EQ(lines[k][1], written.string());
        const PuzzleReadResult r = ReadPuzzleFile(written.string());
        ASSERT_TRUE(r.ok) << r.error;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(r.puzzle.AnswerAt(x, y), Pattern(k, x, y) ? 1 : 0) << x << "," << y;
        EXPECT_EQ(r.puzzle.title, "p" + std::to_string(k));
    }
}

TEST_F(CliMake, UnreadablePicturesAreNamedAndTheOthersGoOn) {
    const std::string good = Picture(1, "good");
    const fs::path broken = dir_ / "broken.ppm";
    std::ofstream(broken) << "P7 not a picture";
    const fs::path missing = dir_ / "missing.bmp";
    fs::create_directories(dir_ / "other");
    const fs::path again = dir_ / "other" / "good.ppm";
    fs::copy_file(good, again);
    const CliRun run = Cli(
        {"make", "--out=" + Path("out"), broken.string(), good, missing.string(), again.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(Fields(run.out).size(), 1u);
    EXPECT_EQ(run.err, broken.string() + ": この形式はサポートされていません。\n" +
                           missing.string() + ": ファイルがオープンできません。\n" +
                           again.string() + ": 同じ名前のファイルを前の画像が書きます: " +
                           (dir_ / "out" / "good.non").string() + "\n");
    // Without --out the files go beside their picture; pictures need a drawing application,
    // which make starts for them.
    EXPECT_EQ(Cli({"make", "--format=png", good}).status, 0);
    EXPECT_TRUE(fs::exists(dir_ / "good-solution.png"));
}

// make --blocks of any size, written either way, with --fit or not (what fitted blocks hold is
// checked by the expected files and the analysis's tests); blocks smaller than a pixel are
// refused for that picture alone (a 64 x 36 picture at 70 fitted blocks would be 70 x 39).
TEST_F(CliTest, MakeFitsBlocksToThePictureAndRefusesBlocksSmallerThanAPixel) {
    const fs::path wide = dir_ / "wide.ppm";
    std::ofstream(wide, std::ios::binary) << "P6\n64 36\n255\n" << std::string(64 * 36 * 3, '\0');
    struct Case {
        std::vector<std::string> options;
        int width, height;
    };
    const Case cases[] = {
        {{"--fit", "--blocks=7x5"}, 7, 5},
        {{"--blocks", "33X9"}, 33, 9},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli({"make", "--out", Path("out")}, c.options, {wide.string()});
        EXPECT_EQ(run.status, 0) << run.err;
        const PuzzleReadResult r = ReadPuzzleFile((dir_ / "out" / "wide.non").string());
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(std::tie(r.puzzle.width, r.puzzle.height), std::tie(c.width, c.height));
    }
    const CliRun refused =
        Cli({"make", "--blocks", "70", "--fit", "--out", Path("out"), wide.string()});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("70×39"), std::string::npos) << refused.err;
    for (const char* bad : {"0", "100", "5x", "x5", "3x4x5", "10x100"})
        EXPECT_EQ(Cli({"make", "--blocks", bad, wide.string()}).status, 1) << bad;
}

// make --unique: each picture's line ends with what the search came to (kept when the settings
// given already make a unique puzzle, found when others do, none when no band and block count
// does) and the settings of the puzzle written: the puzzle plain make writes with those
// settings.  A puzzle that makes no picture is marked at the end of its line and never kept; a
// search that changes the block count says so.
TEST_F(CliTest, MakeUniqueTellsWhatTheSearchCameTo) {
    LevelMap dark;
    AddRectangle(dark, 0, 0, 20, 20, 10);
    const struct {
        const char* name;
        LevelMap levels;
        std::vector<std::string> options;
        std::vector<std::string> tail;  // outcome, blocks, band
        const char *verdict, *mark, *note;
    } cases[] = {
        {"kept", ThreeLevels(), {"--band", "100,150"}, {"kept", "20", "100,150"}, "line", "", ""},
        {"found",
         CoarseOnly(),
         {"--blocks", "30"},
         {"found", "5", "0,250"},
         "line",
         "",
         ": 一意なパズルはブロック数 5 で作りました(30 ではありません)。\n"},
        {"none", Switches(), {}, {"none", "20", "0,250"}, "multiple", "sparse", ""},
        {"full", dark, {}, {"none", "20", "0,250"}, "line", "full", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string picture = Path(std::string(c.name) + ".ppm");
        std::ofstream(picture, std::ios::binary) << PpmOf(c.levels);
        const CliRun run = Cli({"make", "--unique"}, c.options, {picture});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, *c.note ? picture + c.note : "");
        const auto lines = Fields(run.out);
        ASSERT_EQ(lines.size(), 1u);
        const std::vector<std::string>& fields = lines[0];
        ASSERT_EQ(fields.size(), *c.mark ? 9u : 8u);
        EXPECT_EQ(fields.back(), *c.mark ? c.mark : c.tail[2]);
        EXPECT_EQ(fields[2], c.verdict);
        EXPECT_EQ(std::vector<std::string>(fields.begin() + 5, fields.begin() + 8), c.tail);

        const std::string written = Slurp(Path(std::string(c.name) + ".non"));
        const auto plain =
            Fields(Cli({"make", "--blocks", c.tail[1], "--band", c.tail[2], picture}).out);
        ASSERT_EQ(plain.size(), 1u);
        EXPECT_EQ(Slurp(Path(std::string(c.name) + ".non")), written);
        std::vector<std::string> unmarked = fields;
        unmarked.erase(unmarked.begin() + 5, unmarked.begin() + 8);
        EXPECT_EQ(plain[0], unmarked);
    }
}

TEST_F(CliMake, AutoBandCropAndTrimAnalyseWhatTheyChoose) {
    const fs::path picture = Write("e.ppm", 60, 40, Ellipse);
    // Any threshold between the two levels parts them; the default band takes both.
    const std::string parted = Made({"--band", "0,120"}, picture);
    EXPECT_EQ(Made({"--band", "auto"}, picture), parted);
    EXPECT_NE(Made({}, picture), parted);
    EXPECT_EQ(Made({"--band", "auto-invert", "--fit"}, picture),
              Made({"--band", "120,255", "--fit"}, picture));

    // A crop is the picture of its pixels; a trim, the crop of the ellipse's bounding box.
    const fs::path part =
        Write("part.ppm", 30, 20, [](int x, int y) { return Ellipse(x + 8, y + 3); });
    const fs::path box =
        Write("box.ppm", 20, 14, [](int x, int y) { return Ellipse(x + 14, y + 8); });
    const std::vector<std::string> tenFit = {"--band", "0,120", "--blocks", "10", "--fit"};
    std::vector<std::string> cropped = tenFit, trimmed = tenFit;
    cropped.insert(cropped.end(), {"--crop", "8,3,30,20"});
    trimmed.push_back("--trim");
    EXPECT_EQ(Made(cropped, picture), Made(tenFit, part));
    EXPECT_EQ(Made(trimmed, picture), Made(tenFit, box));
    cropped.insert(cropped.end(), {"--trim", "--band", "auto"});
    EXPECT_EQ(Made(cropped, picture), Made(tenFit, box));

    const CliRun outside = Cli({"make", "--crop", "60,0,5,5", picture.string()});
    EXPECT_EQ(outside.status, 2);
    EXPECT_NE(outside.err.find("60×40"), std::string::npos) << outside.err;
    for (const char* bad : {"1,2,3", "0,0,0,5", "-1,0,5,5", "a,0,5,5"})
        EXPECT_EQ(Cli({"make", "--crop", bad, picture.string()}).status, 1);
}

TEST_F(CliMake, AFolderMeansItsPicturesByName) {
    fs::create_directories(dir_ / "in" / "sub");
    for (const char* name : {"in/b.ppm", "in/a.ppm", "in/sub/c.ppm"})
        Write(name, 40, 40, Ellipse);
    std::ofstream(dir_ / "in" / "notes.txt") << "not a picture";
    const std::string in = (dir_ / "in").string();
    const CliRun run = Cli({"make", "--out", Path("out"), in});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const auto lines = Fields(run.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0][0], in + "/a.ppm");
    EXPECT_EQ(lines[1][0], in + "/b.ppm");
    const auto all = Fields(Cli({"make", "--recursive", in}).out);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[2][0], in + "/sub/c.ppm");
    // Named on its own, a file that is not a picture is refused as ever.
    EXPECT_EQ(Cli({"make", in + "/notes.txt"}).status, 2);
}

// Fitted, the whole picture lies in the default band and fills every cell: the search finds
// the band of the ellipse over the fitted block counts, or on the custom grid alone, and plain
// make writes the same puzzle with what it reports.
TEST_F(CliMake, UniqueSearchesFittedAndCustomGrids) {
    const fs::path picture = Write("e.ppm", 60, 40, Ellipse);
    for (const char* blocks : {"10", "9x6"}) {
        SCOPED_TRACE(blocks);
        const std::string found = Made({"--fit", "--blocks", blocks, "--unique"}, picture);
        ASSERT_EQ(line.size(), 8u);
        EXPECT_EQ(line[5], "found");
        const bool custom = std::string(blocks) == "9x6";
        if (custom) {
            EXPECT_NE(found.find("width 9\nheight 6\n"), std::string::npos) << found;
        }
        const std::vector<std::string> reported = line;
        EXPECT_EQ(Made({"--fit", "--blocks", custom ? blocks : reported[6], "--band", reported[7]},
                       picture),
                  found);
    }
}

struct GoldenCase {
    const char* name;  // folder of the expected files
    std::vector<std::string> options;
    const char* picture;  // below the source folder
    std::vector<const char*> files;
};

const fs::path kData = NGM_TEST_DATA;
const fs::path kSource = kData.parent_path().parent_path();

std::string WithoutCreationTime(std::string bytes) {
    const std::string key = "/CreationDate (";
    const std::size_t start = bytes.find(key);
    const std::size_t end = bytes.find(')', start);
    if (start != std::string::npos && end != std::string::npos)
        bytes.erase(start + key.size(), end - start - key.size());
    return bytes;
}

TEST_F(CliTest, MakeWritesTheExpectedFilesByteForByte) {
    const std::vector<GoldenCase> cases = {
        {"heart_non", {}, "samples/heart.ppm", {"heart.non"}},
        {"heart_png",
         {"--format", "png"},
         "samples/heart.ppm",
         {"heart.png", "heart-solution.png"}},
        {"house_fit",
         {"--blocks", "15", "--fit", "--band", "30,200", "--format", "xml"},
         "samples/house.bmp",
         {"house.xml"}},
        {"smiley_custom", {"--blocks", "25x18"}, "samples/smiley.ppm", {"smiley.non"}},
        {"bands_fit",
         {"--fit", "--blocks", "30", "--band", "60,180"},
         "tests/data/pictures/bands.ppm",
         {"bands.non"}},
        {"stripes_custom",
         {"--blocks", "12x20", "--format", "xml"},
         "tests/data/pictures/stripes.bmp",
         {"stripes.xml"}},
        {"stripes_fit",
         {"--fit", "--blocks", "10", "--format", "png"},
         "tests/data/pictures/stripes.bmp",
         {"stripes.png", "stripes-solution.png"}},
        {"bands_unique",
         {"--unique", "--blocks", "15", "--band", "100,140"},
         "tests/data/pictures/bands.ppm",
         {"bands.non"}},
        {"heart_pdf", {"--format", "pdf", "--blocks", "25"}, "samples/heart.ppm", {"heart.pdf"}},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run =
            Cli({"make", "--out", Path(c.name)}, c.options, {(kSource / c.picture).string()});
        ASSERT_EQ(run.status, 0) << run.err;
        for (const char* file : c.files) {
            const std::string expected =
                WithoutCreationTime(Slurp(kData / "expected" / "make" / c.name / file));
            ASSERT_FALSE(expected.empty()) << file;
            EXPECT_TRUE(WithoutCreationTime(Slurp(dir_ / c.name / file)) == expected)
                << file << " differs";
        }
    }
}

TEST(MemoryBudget, WorkersHoldNoMoreThanTheBudgetTogether) {
    constexpr std::int64_t kBudget = 1000;
    MemoryBudget budget(kBudget);
    std::atomic<std::int64_t> held{0}, most{0}, alone{0};
    std::atomic<int> done{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < 16; ++w) {
        workers.emplace_back([&, w] {
            for (int k = 0; k < 50; ++k) {
                const std::int64_t bytes = (w * 37 + k * 101) % 600 + (k == w ? 1500 : 1);
                MemoryBudget::Lease lease = budget.Take(bytes);
                const std::int64_t now = held += bytes;
                std::int64_t seen = most;
                while (now > seen && !most.compare_exchange_weak(seen, now)) {
                }
                if (bytes > kBudget && now != bytes)
                    ++alone;  // a picture beyond the budget shared the memory
                std::this_thread::yield();
                held -= bytes;
            }
            ++done;
        });
    }
    for (std::thread& t : workers)
        t.join();
    EXPECT_EQ(done, 16);
    EXPECT_EQ(alone, 0);
    EXPECT_LE(most, 600 + 1500);  // the largest picture, alone
}

TEST(MemoryBudget, APictureAsksForItsDecodingAndItsCanvas) {
    // A small JPEG whose frame header claims 8000 x 8000 pixels.
    QByteArray jpeg;
    QBuffer encoded(&jpeg);
    ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(&encoded, "jpg"));
    const qsizetype frame = jpeg.indexOf("\xff\xc0");
    ASSERT_GT(frame, 0);
    jpeg.replace(frame + 5, 4, QByteArray::fromHex("1f401f40"));
    QBuffer device(&jpeg);
    device.open(QIODevice::ReadOnly);
    PictureLoader loader(device, SniffPictureFormat(device));
    const auto header = loader.ReadHeader();
    ASSERT_TRUE(std::holds_alternative<PictureHeader>(header));
    const PictureHeader& h = std::get<PictureHeader>(header);
    const std::int64_t pixels = std::int64_t{8000} * 8000;
    // At least the 32-bit image and the 2-byte sums with the 4-byte binary image; with the
    // planes 12 bytes more.
    const std::int64_t sums = PictureMemoryBytes(h, loader.DecodedBytes(), true);
    EXPECT_GE(sums, pixels * (4 + 6));
    EXPECT_GE(PictureMemoryBytes(h, loader.DecodedBytes(), false), sums + pixels * 12);
}

}  // namespace
