// ngm-cli run in-process, its output cut into lines of tab-separated fields, and a folder of
// each test's own for the files it reads and writes.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out, err;
};

inline CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

// ngm-cli run with the words of each list in turn.
inline CliRun Cli(std::vector<std::string> args, const std::vector<std::string>& more,
                  const std::vector<std::string>& last = {}) {
    args.insert(args.end(), more.begin(), more.end());
    args.insert(args.end(), last.begin(), last.end());
    return Cli(args);
}

inline std::vector<std::vector<std::string>> Fields(const std::string& text) {
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

inline std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / ("ngm_cli_test_" + std::to_string(getpid()) + "_" +
                                            test->test_suite_name() + "_" + test->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};
