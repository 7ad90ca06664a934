// ngm-cli make --unique: each picture's line ends with what the search came to (kept when the
// settings given already make a unique puzzle, found when others do, none when no band and
// block count does) and the settings of the puzzle written: the puzzle plain make writes with
// those settings.
#include "../maker/block_pictures.h"
#include "cli_support.h"

namespace {

TEST_F(CliTest, MakeUniqueTellsWhatTheSearchCameTo) {
    const struct {
        const char* name;
        LevelMap levels;
        std::vector<std::string> options;
        std::vector<std::string> tail;  // outcome, blocks, band
        const char* verdict;
    } cases[] = {
        {"kept", ThreeLevels(), {"--band", "100,150"}, {"kept", "20", "100,150"}, "line"},
        {"found", CoarseOnly(), {}, {"found", "5", "0,250"}, "line"},
        {"none", Switches(), {"--blocks", "20"}, {"none", "20", "0,250"}, "multiple"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string picture = Path(std::string(c.name) + ".ppm");
        std::ofstream(picture, std::ios::binary) << PpmOf(c.levels);
        std::vector<std::string> args = {"make", "--unique"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(picture);
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, 0);
        const auto lines = Fields(run.out);
        ASSERT_EQ(lines.size(), 1u);
        const std::vector<std::string>& fields = lines[0];
        ASSERT_EQ(fields.size(), 8u);
        EXPECT_EQ(fields[2], c.verdict);
        EXPECT_EQ(std::vector<std::string>(fields.begin() + 5, fields.end()), c.tail);

        const std::string written = Slurp(Path(std::string(c.name) + ".non"));
        const auto plain =
            Fields(Cli({"make", "--blocks", c.tail[1], "--band", c.tail[2], picture}).out);
        ASSERT_EQ(plain.size(), 1u);
        EXPECT_EQ(Slurp(Path(std::string(c.name) + ".non")), written);
        EXPECT_EQ(plain[0], std::vector<std::string>(fields.begin(), fields.begin() + 5));
    }
}

}  // namespace
