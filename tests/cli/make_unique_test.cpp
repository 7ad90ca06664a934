// ngm-cli make --unique: each picture's line ends with what the search came to and the
// settings of the puzzle written, which is the puzzle those settings make: kept when the
// given settings already make a unique puzzle, found when others do, none (the given
// settings) when no band and block count does.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/commands.h"
#include "formats/puzzle_file.h"
#include "solver/solver.h"

namespace {

namespace fs = std::filesystem;

// Gray levels of 10-pixel blocks of a 200 x 200 picture; the rest is white.
using Levels = std::map<std::pair<int, int>, int>;

void AddSwitch(Levels& levels, int i, int j, int level) {
    levels[{i, j}] = level;
    levels[{i + 1, j + 1}] = level;
}
void AddRectangle(Levels& levels, int i0, int j0, int w, int h, int level) {
    for (int i = i0; i < i0 + w; ++i)
        for (int j = j0; j < j0 + h; ++j)
            levels[{i, j}] = level;
}

std::vector<std::string> MakeLine(const std::vector<std::string>& args, int& status) {
    std::ostringstream out, err;
    status = RunCli(args, out, err);
    EXPECT_EQ(err.str(), "");
    std::vector<std::string> fields;
    std::istringstream line(out.str().substr(0, out.str().find('\n')));
    for (std::string f; std::getline(line, f, '\t');)
        fields.push_back(f);
    return fields;
}

class CliMakeUnique : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("ngm_make_unique_test_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Picture(const std::string& name, const Levels& levels) {
        const fs::path path = dir_ / (name + ".ppm");
        std::ofstream out(path, std::ios::binary);
        out << "P6\n200 200\n255\n";
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x) {
                const auto it = levels.find({x / 10, y / 10});
                out << std::string(3, static_cast<char>(it == levels.end() ? 255 : it->second));
            }
        }
        return path.string();
    }
    Puzzle Written(const std::string& name) {
        const PuzzleReadResult r = ReadPuzzleFile((dir_ / (name + ".non")).string());
        EXPECT_TRUE(r.ok) << r.error;
        return r.puzzle;
    }
    fs::path dir_;
};

TEST_F(CliMakeUnique, TheLineTellsWhatTheSearchCameTo) {
    // A rectangle on the 40-pixel lattice: unique at every block count.
    Levels rectangle;
    AddRectangle(rectangle, 4, 8, 12, 4, 90);
    // Switches of 20- and 10-pixel squares spoil N = 10 and 20 and vanish at N = 5.
    Levels coarse = rectangle;
    AddRectangle(coarse, 2, 12, 2, 2, 90);
    AddRectangle(coarse, 4, 14, 2, 2, 90);
    AddSwitch(coarse, 16, 16, 90);
    // Switches at three levels, across 20-pixel blocks: no band and block count solves.
    Levels switches;
    AddSwitch(switches, 1, 1, 40);
    AddSwitch(switches, 5, 5, 120);
    AddSwitch(switches, 11, 3, 120);
    AddSwitch(switches, 15, 15, 200);

    const struct {
        const char* name;
        Levels levels;
        std::vector<std::string> options;
        std::vector<std::string> tail;  // outcome, blocks, band
        const char* verdict;
    } cases[] = {
        {"kept", rectangle, {"--band", "50,100"}, {"kept", "20", "50,100"}, "line"},
        {"found", coarse, {}, {"found", "5", "0,250"}, "line"},
        {"none", switches, {"--blocks", "20"}, {"none", "20", "0,250"}, "multiple"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string picture = Picture(c.name, c.levels);
        std::vector<std::string> args = {"make", "--unique"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(picture);
        int status = -1;
        const std::vector<std::string> fields = MakeLine(args, status);
        EXPECT_EQ(status, 0);
        ASSERT_EQ(fields.size(), 8u);
        EXPECT_EQ(fields[0], picture);
        EXPECT_EQ(fields[2], c.verdict);
        EXPECT_EQ(std::vector<std::string>(fields.begin() + 5, fields.end()), c.tail);

        // The file is the puzzle of the settings reported, as make writes it without the search.
        const Puzzle unique = Written(c.name);
        EXPECT_EQ(VerdictWord(Solve(unique).verdict), std::string(c.verdict));
        const std::vector<std::string> plain =
            MakeLine({"make", "--blocks", c.tail[1], "--band", c.tail[2], picture}, status);
        ASSERT_EQ(plain.size(), 5u);
        EXPECT_EQ(Written(c.name).answer, unique.answer);
        EXPECT_EQ(std::vector<std::string>(plain.begin() + 2, plain.end()),
                  std::vector<std::string>(fields.begin() + 2, fields.begin() + 5));
    }
}

}  // namespace
