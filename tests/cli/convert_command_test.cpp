// ngm-cli convert: the written text formats exactly as the hand-written files, pictures of a
// puzzle read with its clues only, and a file that cannot be written.
#include "cli_support.h"

TEST_F(CliTest, ConvertWritesEachFormatAsTheHandWrittenFiles) {
    const std::string heart = std::string(NGM_TEST_DATA) + "/expected/heart";
    EXPECT_EQ(Cli({"convert", heart + ".non", Path("h.xml")}).status, 0);
    EXPECT_EQ(Slurp(dir_ / "h.xml"), Slurp(heart + ".xml"));
    EXPECT_EQ(Cli({"convert", Path("h.xml"), Path("h.non")}).status, 0);
    EXPECT_EQ(Slurp(dir_ / "h.non"), Slurp(heart + ".non"));
    // Clues only: the pictures get the answer when it is the only one.
    std::ofstream(dir_ / "unique.non") << "width 2\nheight 2\nrows\n2\n1\ncolumns\n2\n1\n";
    std::ofstream(dir_ / "several.non") << "width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n";
    EXPECT_EQ(Cli({"convert", Path("unique.non"), Path("u.png")}).status, 0);
    EXPECT_TRUE(fs::exists(dir_ / "u-solution.png"));
    EXPECT_EQ(Cli({"convert", Path("several.non"), Path("s.png")}).status, 0);
    EXPECT_TRUE(fs::exists(dir_ / "s.png"));
    EXPECT_FALSE(fs::exists(dir_ / "s-solution.png"));
    const std::string nowhere = Path("no/h.non");
    const CliRun run = Cli({"convert", heart + ".non", nowhere});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind(nowhere + ": ファイルに書き込めませんでした。", 0), 0u) << run.err;
}
