// Puzzle files in both text formats: every reference puzzle survives a round trip through each,
// the heart is written exactly as the hand-written files, and files are read by their
// extension or, without a known one, by what they hold.
#include "formats/puzzle_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const std::string kData = std::string(NGM_TEST_DATA) + "/";
constexpr PuzzleFileFormat kTextFormats[] = {PuzzleFileFormat::kNon, PuzzleFileFormat::kXml};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> ReferenceFiles() {
    std::ifstream list(kData + "puzzles/verdicts.tsv");
    std::vector<std::string> files;
    std::string line;
    std::getline(list, line);
    while (std::getline(list, line))
        files.push_back(line.substr(0, line.find('\t')));
    return files;
}

Puzzle Heart() {
    Puzzle p = Puzzle::FromGrid(
        5, 5, {0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0, 0, 0, 1, 0, 0});
    p.title = "Heart";
    return p;
}

TEST(PuzzleFile, ReferencePuzzlesSurviveARoundTripInEachTextFormat) {
    const std::vector<std::string> files = ReferenceFiles();
    ASSERT_EQ(files.size(), 600u);
    for (PuzzleFileFormat format : kTextFormats) {
        for (const std::string& file : files) {
            SCOPED_TRACE(file + " as ." + PuzzleFormatExtension(format));
            const PuzzleReadResult first = ReadPuzzleFile(kData + "puzzles/" + file);
            ASSERT_TRUE(first.ok) << first.line << ": " << first.error;
            Puzzle puzzle = first.puzzle;
            puzzle.title = "Pic " + file + " <&\"'>";
            // With the answer, and with clues only.
            for (bool answer : {true, false}) {
                if (!answer)
                    puzzle.answer.clear();
                const std::string text = WritePuzzleText(puzzle, format, "NGM & co");
                const PuzzleReadResult back = ReadPuzzleText(text, std::nullopt);
                ASSERT_TRUE(back.ok) << back.line << ": " << back.error << "\n" << text;
                EXPECT_EQ(back.puzzle.width, puzzle.width);
                EXPECT_EQ(back.puzzle.height, puzzle.height);
                EXPECT_EQ(back.puzzle.rows, puzzle.rows);
                EXPECT_EQ(back.puzzle.columns, puzzle.columns);
                EXPECT_EQ(back.puzzle.answer, puzzle.answer);
                EXPECT_EQ(back.puzzle.title, puzzle.title);
                EXPECT_EQ(back.author, "NGM & co");
            }
        }
    }
}

TEST(PuzzleFile, TheHeartIsWrittenAsTheHandWrittenFiles) {
    for (PuzzleFileFormat format : kTextFormats) {
        const std::string name = std::string("expected/heart.") + PuzzleFormatExtension(format);
        SCOPED_TRACE(name);
        std::istringstream got(WritePuzzleText(Heart(), format, "NGM")), want(Slurp(kData + name));
        std::string gotLine, wantLine;
        int line = 0;
        while (std::getline(want, wantLine)) {
            ++line;
            ASSERT_TRUE(std::getline(got, gotLine)) << "missing line " << line;
            EXPECT_EQ(gotLine, wantLine) << "line " << line;
        }
        ASSERT_GT(line, 10);
        EXPECT_FALSE(std::getline(got, gotLine)) << "extra line " << gotLine;
        // And the file reads back as the heart.
        const PuzzleReadResult r = ReadPuzzleFile(kData + name);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.puzzle.answer, Heart().answer);
        EXPECT_EQ(r.puzzle.rows, Heart().rows);
    }
}

TEST(PuzzleFile, FormatsComeFromTheExtensionOrTheText) {
    const struct {
        const char* path;
        std::optional<PuzzleFileFormat> format;
    } names[] = {{"a.non", PuzzleFileFormat::kNon}, {"dir.x/B.XML", PuzzleFileFormat::kXml},
                 {"c.Png", PuzzleFileFormat::kPng}, {"d.pdf", PuzzleFileFormat::kPdf},
                 {"e.txt", std::nullopt},           {"non", std::nullopt},
                 {".xml.bak", std::nullopt}};
    for (const auto& n : names)
        EXPECT_EQ(PuzzleFormatOfPath(n.path), n.format) << n.path;

    // A file named neither way is read as what it holds.
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("ngm_file_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    for (PuzzleFileFormat format : kTextFormats) {
        const std::string path = (dir / "heart.txt").string();
        // XML allows nothing before its declaration but a byte-order mark.
        std::ofstream(path, std::ios::binary)
            << "\xEF\xBB\xBF" << (format == PuzzleFileFormat::kNon ? "\n  " : "")
            << WritePuzzleText(Heart(), format);
        const PuzzleReadResult r = ReadPuzzleFile(path);
        EXPECT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.puzzle.answer, Heart().answer);
    }
    // A named pipe is refused at once instead of waiting for a writer; a folder too.
    const std::string fifo = (dir / "pipe.non").string();
    std::filesystem::remove(fifo);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadPuzzleFile(fifo).error, "ファイルではありません");
    EXPECT_EQ(ReadPuzzleFile(dir.string()).error, "ファイルではありません");
    std::filesystem::remove_all(dir);
}

}  // namespace
