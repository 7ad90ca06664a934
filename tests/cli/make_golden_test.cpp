// ngm-cli make writes, byte for byte, the files kept under data/expected/make: the samples and
// two made-up pictures, through every block choice (square, custom, fitted), band, format and
// --unique.  Any change to loading, binarization, block division, clues or writing shows here.
// A PDF carries the time it was made: that one value is left out of the comparison.
#include "cli_support.h"

namespace {

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
        std::vector<std::string> args = {"make", "--out", Path(c.name)};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back((kSource / c.picture).string());
        const CliRun run = Cli(args);
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

}  // namespace
