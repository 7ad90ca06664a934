// ngm-cli run as a process over inputs that once lost a user's files or held the program:
// outputs that are inputs or meet each other, pipes and folders in an output's place, names that
// are not UTF-8, damaged pictures and option values read too freely.  (Puzzle files the readers
// took wrongly or slowly are the readers' own tests.)
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "../support/picture_files.h"
#include "cli_process.h"

namespace {

std::string Ppm() {
    return picture_files::Ppm(40, 40).toStdString();
}

class CliProcess : public CliTest {
protected:
    CliRun Run(const std::vector<std::string>& args) { return RunCliProcess(args, dir_); }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
};

TEST_F(CliProcess, MakeNeverWritesOverItsOwnInputs) {
    // A picture named photo.png made into a .png puzzle would be its own output.
    Write("photo.png", Ppm());
    CliRun run = Run({"make", "--format", "png", Path("photo.png")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Has(run.err, Path("photo.png") + " = " + Path("photo.png"))) << run.err;
    EXPECT_TRUE(Slurp(dir_ / "photo.png") == Ppm());
    // Another name of the same file is the same file.
    fs::create_directories(dir_ / "out");
    Write("pic.ppm", Ppm());
    fs::create_hard_link(dir_ / "pic.ppm", dir_ / "out" / "pic.non");
    run = Run({"make", "--out", Path("out"), Path("pic.ppm")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Has(run.err, Path("out/pic.non") + " = " + Path("pic.ppm"))) << run.err;
    EXPECT_TRUE(Slurp(dir_ / "pic.ppm") == Ppm());
    // convert as well.
    Write("h.xml", Slurp(std::string(NGM_TEST_DATA) + "/expected/heart.xml"));
    EXPECT_EQ(Run({"convert", Path("h.xml"), Path("./h.xml")}).status, 2);
}

TEST_F(CliProcess, OutputsOfOneBatchNeverMeet) {
    fs::create_directories(dir_ / "a");
    Write("a/x.png", Ppm());
    Write("a/x.bmp", Ppm());
    CliRun run = Run({"make", Path("a/x.png"), Path("a/./x.bmp")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(Fields(run.out).size(), 1u);
    EXPECT_TRUE(Has(run.err, Path("a/./x.bmp") + ": ")) << run.err;
    // A picture's answer picture is another's puzzle picture.
    Write("p.ppm", Ppm());
    Write("p-solution.ppm", Ppm());
    run =
        Run({"make", "--format", "png", "--out", Path("o"), Path("p.ppm"), Path("p-solution.ppm")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(Fields(run.out).size(), 1u);
    EXPECT_TRUE(Has(run.err, Path("p-solution.ppm") + ": ")) << run.err;
}

TEST_F(CliProcess, OnlyNewNamesAndRegularFilesAreWritten) {
    const std::string heart = std::string(NGM_TEST_DATA) + "/expected/heart.non";
    ASSERT_EQ(mkfifo(Path("pipe.xml").c_str(), 0600), 0);
    EXPECT_EQ(Run({"convert", heart, Path("pipe.xml")}).status, 2);
    EXPECT_TRUE(fs::is_fifo(dir_ / "pipe.xml"));
    fs::create_directories(dir_ / "out");
    ASSERT_EQ(mkfifo(Path("out/pic.non").c_str(), 0600), 0);
    Write("pic.ppm", Ppm());
    EXPECT_EQ(Run({"make", "--out", Path("out"), Path("pic.ppm")}).status, 2);
    EXPECT_TRUE(fs::is_fifo(dir_ / "out" / "pic.non"));
    // The answer picture cannot be written: the puzzle picture stays as it was.
    Write("u.png", "old");
    fs::create_directories(dir_ / "u-solution.png");
    const CliRun run = Run({"convert", heart, Path("u.png")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Has(run.err, "u-solution.png")) << run.err;
    EXPECT_TRUE(Slurp(dir_ / "u.png") == "old");
}

TEST_F(CliProcess, NamesThatAreNotUtf8AreOpenedAndWritten) {
    const std::string name = "\x83\x65\x83\x58\x83\x67";  // テスト in Shift-JIS
    Write(name + ".non", Slurp(std::string(NGM_TEST_DATA) + "/expected/heart.non"));
    CliRun run = Run({"solve", Path(name + ".non")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, Path(name + ".non") + "\t")) << run.out;
    EXPECT_EQ(Run({"convert", Path(name + ".non"), Path(name + ".xml")}).status, 0);
    EXPECT_TRUE(fs::exists(dir_ / (name + ".xml")));
    Write(name + ".ppm", Ppm());
    run = Run({"make", "--out", Path(name), Path(name + ".ppm")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, Path(name + "/" + name + ".non"))) << run.out;
    EXPECT_TRUE(fs::exists(dir_ / name / (name + ".non")));
}

TEST_F(CliProcess, DamagedPicturesAreNamedAndLibrariesKeepQuiet) {
    const QImage image = picture_files::PatternImage(64, 48);
    const struct {
        const char* name;
        QByteArray bytes;
    } pictures[] = {
        {"png", picture_files::Encoded(image, "png")},
        {"jpg", picture_files::Encoded(image, "jpg")},
        {"gif", QByteArray::fromStdString(
                    Slurp(std::string(NGM_TEST_DATA) + "/../../fuzz/corpus/picture/gif.gif"))},
        {"bmp", picture_files::Bmp24(64, 48)},
        {"tif", picture_files::Encoded(image, "tiff")},
        {"webp", QByteArray::fromStdString(
                     Slurp(std::string(NGM_TEST_DATA) + "/../../fuzz/corpus/picture/webp.webp"))},
    };
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.name);
        ASSERT_FALSE(p.bytes.isEmpty());
        const std::string path = Path(std::string("cut.") + p.name);
        Write(path, p.bytes.left(p.bytes.size() * 2 / 3).toStdString());
        const CliRun run = Run({"make", "--out", Path("out"), path});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, path + ": 画像のデータが壊れているか途中で切れています。\n");
    }
}

TEST_F(CliProcess, OptionValuesAreReadAsWrittenOrRefusedWithTheReason) {
    const std::string heart = std::string(NGM_TEST_DATA) + "/expected/heart.non";
    for (const char* bad : {"0x10", "1e308", "1e3", "inf", "-1", "0", "86401", " 5", "5s", "."})
        EXPECT_EQ(Run({"solve", "--timeout", bad, heart}).status, 1) << bad;
    for (const char* good : {"16", "2.5", ".5", "86400"})
        EXPECT_EQ(Run({"solve", "--timeout", good, heart}).status, 0) << good;
    Write("file", "x");
    Write("pic.ppm", Ppm());
    const CliRun run = Run({"make", "--out", Path("file/sub"), Path("pic.ppm")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, std::strerror(ENOTDIR))) << run.err;
}

}  // namespace
