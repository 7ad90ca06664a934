// ngm-cli in English: the language option taken out of the words, and every text it prints in
// English with no Japanese left over.
#include <algorithm>

#include "../support/english_texts.h"
#include "cli/cli_language.h"
#include "cli/drawing_app.h"
#include "cli_support.h"

TEST(CliLanguage, OptionIsTakenOutOfTheWordsAndTheRestKeptByteForByte) {
    const std::string odd = "\xff\xfe.ppm";  // not UTF-8
    const QStringList ja = {QStringLiteral("ja-JP")}, en = {QStringLiteral("en-US")};
    struct Case {
        std::vector<std::string> words;
        QString forced;
        QStringList preferred;
        UiLanguage expected;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {{"make", odd}, {}, ja, UiLanguage::Japanese, {"make", odd}},
        {{"--lang", "en", "make", odd}, {}, ja, UiLanguage::English, {"make", odd}},
        {{"make", "--lang=en", odd}, {}, ja, UiLanguage::English, {"make", odd}},
        {{"make", odd, "--lang", "ja"}, "en", en, UiLanguage::Japanese, {"make", odd}},
        // After "--" every word is a file; a last "--lang" without a value is left for the
        // command to refuse.
        {{"make", "--", "--lang=en"}, {}, ja, UiLanguage::Japanese, {"make", "--", "--lang=en"}},
        {{"make", "--lang"}, {}, ja, UiLanguage::Japanese, {"make", "--lang"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words = c.words;
        EXPECT_EQ(TakeCliLanguage(words, c.forced, c.preferred), c.expected) << c.words.back();
        EXPECT_EQ(words, c.left);
    }
}

TEST_F(CliTest, EnglishTextsHaveNoJapaneseAndHelpFitsEightyColumns) {
    { std::ofstream(Path("short.non")) << "width 2\nheight 2\nrows\n1\ncolumns\n1\n1\n"; }
    const std::vector<std::vector<std::string>> runs = {
        {},
        {"--help"},
        {"frobnicate"},
        {"make", "--help"},
        {"make", "--bogus"},
        {"make", "--blocks", "7", "x.ppm"},
        {"make"},
        {"solve", "--help"},
        {"solve", "--timeout"},
        {"solve", Path("missing.non")},
        {"solve", Path("short.non")},
        {"convert", "--help"},
        {"convert", Path("short.non"), Path("out.txt")},
    };
    EnsureDrawingApplication();  // the texts need an application; make and convert draw
    {
        EnglishTexts english;
        ASSERT_TRUE(english.Loaded());
        for (const auto& words : runs) {
            const CliRun run = Cli(words);
            const std::string all = run.out + run.err;
            const std::string what = words.empty() ? "(none)" : words[0] + " " + words.back();
            EXPECT_FALSE(all.empty()) << what;
            EXPECT_TRUE(
                std::all_of(all.begin(), all.end(), [](unsigned char c) { return c < 0x80; }))
                << what << ":\n"
                << all;
            std::istringstream lines(run.out);
            for (std::string line; std::getline(lines, line);) {
                std::size_t columns = 0;  // tabs stop every 8 columns
                for (const char c : line)
                    columns = c == '\t' ? (columns / 8 + 1) * 8 : columns + 1;
                EXPECT_LE(columns, 80u) << line;
            }
        }
        EXPECT_EQ(Cli({"solve", Path("short.non")}).err,
                  Path("short.non") + ":5: too few row clues\n");
    }
    // Japanese again once the English texts are gone.
    EXPECT_EQ(Cli({"frobnicate"}).err.rfind("ngm-cli: 知らないコマンドです: frobnicate\n", 0), 0u);
}
