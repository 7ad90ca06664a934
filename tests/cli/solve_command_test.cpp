// ngm-cli solve run in-process: one tab-separated line per readable file, "FILE:LINE: reason"
// on standard error for the others, and the exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/commands.h"

namespace {

const std::string kData = std::string(NGM_TEST_DATA) + "/puzzles/";

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

TEST(CliSolve, OneLinePerFileAndErrorsForTheRest) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "ngm_cli_test";
    std::filesystem::create_directories(dir);
    const std::string broken = (dir / "broken.non").string();
    std::ofstream(broken) << "width 3\nheight 1\nrows\n2,2\ncolumns\n1\n1\n1\n";
    const std::string none = (dir / "none.non").string();  // fits and adds up, but no grid
    std::ofstream(none) << "width 2\nheight 2\nrows\n0\n2\ncolumns\n0\n2\n";
    const std::string missing = (dir / "missing.non").string();

    const CliRun run = Cli({"solve", "--timeout", "5", kData + "blob5/p0001.non", broken,
                            kData + "blob20/p0057.non", missing, none, kData + "blob10/p0005.non"});
    EXPECT_EQ(run.status, 2);
    const auto lines = Fields(run.out);
    ASSERT_EQ(lines.size(), 4u) << run.out;
    const struct {
        std::string file, verdict;
    } expected[] = {{kData + "blob5/p0001.non", "line"},
                    {kData + "blob20/p0057.non", "unique"},
                    {none, "none"},
                    {kData + "blob10/p0005.non", "multiple"}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(run.out);
        ASSERT_EQ(lines[i].size(), 5u);
        EXPECT_EQ(lines[i][0], expected[i].file);
        EXPECT_EQ(lines[i][1], expected[i].verdict);
        const int difficulty = std::stoi(lines[i][2]), undecided = std::stoi(lines[i][3]);
        EXPECT_EQ(difficulty == 0,
                  expected[i].verdict == "multiple" || expected[i].verdict == "none");
        EXPECT_EQ(undecided > 0, expected[i].verdict == "multiple" || difficulty == 5);
        EXPECT_GE(std::stoll(lines[i][4]), 0);
    }
    EXPECT_EQ(run.err,
              broken + ":4: ヒントが行に収まりません\n" + missing + ": ファイルを開けません\n");
    std::filesystem::remove_all(dir);

    const CliRun good = Cli({"solve", "--timeout=0.5", kData + "blob10/p0000.non"});
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.err, "");
    EXPECT_EQ(Fields(good.out).size(), 1u);
}

TEST(CliSolve, HelpAndWrongCommandLines) {
    const CliRun help = Cli({"solve", "--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"line", "unique", "multiple", "none", "timeout", "--timeout", "2"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    EXPECT_EQ(Cli({"--help"}).status, 0);
    EXPECT_NE(Cli({"--help"}).out.find("solve"), std::string::npos);
    const struct {
        std::vector<std::string> args;
        const char* message;
    } wrong[] = {
        {{}, "使い方"},
        {{"unsolve"}, "知らないコマンド"},
        {{"solve"}, "ファイルがありません"},
        {{"solve", "--timeout"}, "秒数がありません"},
        {{"solve", "--timeout", "soon", "x.non"}, "秒数が正しくありません"},
        {{"solve", "--timeout=-1", "x.non"}, "秒数が正しくありません"},
        {{"solve", "--fast", "x.non"}, "知らないオプション"},
    };
    for (const auto& w : wrong) {
        const CliRun run = Cli(w.args);
        EXPECT_EQ(run.status, 1) << w.message;
        EXPECT_EQ(run.out, "") << w.message;
        EXPECT_NE(run.err.find(w.message), std::string::npos) << run.err;
    }
}

}  // namespace
