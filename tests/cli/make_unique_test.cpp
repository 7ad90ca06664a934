// ngm-cli make --unique: each picture's line ends with what the search came to and the
// settings of the puzzle written, which is the puzzle those settings make: kept when the
// given settings already make a unique puzzle, found when others do, none (the given
// settings) when no band and block count does.
#include "../maker/block_pictures.h"
#include "cli_support.h"
#include "formats/puzzle_file.h"
#include "solver/solver.h"

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
        EXPECT_EQ(run.err, "");
        const auto lines = Fields(run.out);
        ASSERT_EQ(lines.size(), 1u);
        const std::vector<std::string>& fields = lines[0];
        ASSERT_EQ(fields.size(), 8u);
        EXPECT_EQ(fields[0], picture);
        EXPECT_EQ(fields[2], c.verdict);
        EXPECT_EQ(std::vector<std::string>(fields.begin() + 5, fields.end()), c.tail);

        // The file is the puzzle of the settings reported, as make writes it without the search.
        const std::string written = Path(std::string(c.name) + ".non");
        const Puzzle unique = ReadPuzzleFile(written).puzzle;
        EXPECT_EQ(VerdictWord(Solve(unique).verdict), std::string(c.verdict));
        const auto plain =
            Fields(Cli({"make", "--blocks", c.tail[1], "--band", c.tail[2], picture}).out);
        ASSERT_EQ(plain.size(), 1u);
        EXPECT_EQ(ReadPuzzleFile(written).puzzle.answer, unique.answer);
        EXPECT_EQ(std::vector<std::string>(plain[0].begin() + 1, plain[0].end()),
                  std::vector<std::string>(fields.begin() + 1, fields.begin() + 5));
    }
}

}  // namespace
