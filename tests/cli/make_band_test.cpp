// ngm-cli make run as a process with the options that choose what is analysed: the automatic
// band, a crop and a trim, folders of pictures, and the search on fitted and custom grids.
#include <functional>

#include "../support/painted.h"
#include "cli_process.h"

namespace {

// A width x height P6 picture whose pixel (x, y) has the gray value gray(x, y).
void WritePpm(const fs::path& path, int width, int height,
              const std::function<int(int, int)>& gray) {
    std::ofstream(path, std::ios::binary)
        << painted::Ppm(width, height, [&](int x, int y) { return painted::Gray(gray(x, y)); });
}

// A dark (60) ellipse on a gray (180) ground, its bounding box 14..33 x 8..21.
int Ellipse(int x, int y) {
    const double dx = (x - 23.5) / 10, dy = (y - 14.5) / 7;
    return dx * dx + dy * dy < 1 ? 60 : 180;
}

class CliMakeBand : public CliTest {
protected:
    // The puzzle file make writes for the picture with these options, without its title; the
    // line make gave for it in `line`.
    std::string Made(std::vector<std::string> options, const fs::path& picture) {
        std::vector<std::string> args = {"make", "--out", Path("out")};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(picture.string());
        const CliRun run = RunCliProcess(args, dir_);
        EXPECT_EQ(run.status, 0) << run.err;
        line = Fields(run.out).at(0);
        const std::string file = Slurp(dir_ / "out" / (picture.stem().string() + ".non"));
        return file.substr(file.find('\n'));
    }
    std::vector<std::string> line;
};

TEST_F(CliMakeBand, AutoBandCropAndTrimAnalyseWhatTheyChoose) {
    const fs::path picture = dir_ / "e.ppm";
    WritePpm(picture, 60, 40, Ellipse);
    // Any threshold between the two levels parts them; the default band takes both.
    const std::string parted = Made({"--band", "0,120"}, picture);
    EXPECT_EQ(Made({"--band", "auto"}, picture), parted);
    EXPECT_NE(Made({}, picture), parted);
    EXPECT_EQ(Made({"--band", "auto-invert", "--fit"}, picture),
              Made({"--band", "120,255", "--fit"}, picture));

    // A crop is the picture of its pixels; a trim, the crop of the ellipse's bounding box.
    const fs::path part = dir_ / "part.ppm", box = dir_ / "box.ppm";
    WritePpm(part, 30, 20, [](int x, int y) { return Ellipse(x + 8, y + 3); });
    WritePpm(box, 20, 14, [](int x, int y) { return Ellipse(x + 14, y + 8); });
    const std::vector<std::string> tenFit = {"--band", "0,120", "--blocks", "10", "--fit"};
    std::vector<std::string> cropped = tenFit, trimmed = tenFit;
    cropped.insert(cropped.end(), {"--crop", "8,3,30,20"});
    trimmed.push_back("--trim");
    EXPECT_EQ(Made(cropped, picture), Made(tenFit, part));
    EXPECT_EQ(Made(trimmed, picture), Made(tenFit, box));
    cropped.insert(cropped.end(), {"--trim", "--band", "auto"});
    EXPECT_EQ(Made(cropped, picture), Made(tenFit, box));

    const CliRun outside = RunCliProcess({"make", "--crop", "60,0,5,5", picture.string()}, dir_);
    EXPECT_EQ(outside.status, 2);
    EXPECT_NE(outside.err.find("60×40"), std::string::npos) << outside.err;
    for (const char* bad : {"1,2,3", "0,0,0,5", "-1,0,5,5", "a,0,5,5"})
        EXPECT_EQ(RunCliProcess({"make", "--crop", bad, picture.string()}, dir_).status, 1);
}

TEST_F(CliMakeBand, AFolderMeansItsPicturesByName) {
    fs::create_directories(dir_ / "in" / "sub");
    for (const char* name : {"in/b.ppm", "in/a.ppm", "in/sub/c.ppm"})
        WritePpm(dir_ / name, 40, 40, Ellipse);
    std::ofstream(dir_ / "in" / "notes.txt") << "not a picture";
    const std::string in = (dir_ / "in").string();
    const CliRun run = RunCliProcess({"make", "--out", Path("out"), in}, dir_);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const auto lines = Fields(run.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0][0], in + "/a.ppm");
    EXPECT_EQ(lines[1][0], in + "/b.ppm");
    const auto all = Fields(RunCliProcess({"make", "--recursive", in}, dir_).out);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[2][0], in + "/sub/c.ppm");
    // Named on its own, a file that is not a picture is refused as ever.
    EXPECT_EQ(RunCliProcess({"make", in + "/notes.txt"}, dir_).status, 2);
}

// Fitted, the whole picture lies in the default band and fills every cell: the search finds
// the band of the ellipse over the fitted block counts, or on the custom grid alone, and plain
// make writes the same puzzle with what it reports.
TEST_F(CliMakeBand, UniqueSearchesFittedAndCustomGrids) {
    const fs::path picture = dir_ / "e.ppm";
    WritePpm(picture, 60, 40, Ellipse);
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

}  // namespace
