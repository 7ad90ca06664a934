// Any text through the puzzle-file readers (.non and .xml, or the text deciding), and every
// puzzle read written back in both formats and read again: the same grid and clues must come
// back, colours too.  The texts themselves are not compared: XML folds their whitespace and bounds
// their length.
#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "formats/puzzle_file.h"

namespace {

// A broken promise is a finding: it is named, then the run stops as a crash does.
#define Check(condition) \
    ((condition) ? void() : (std::fprintf(stderr, "broken: %s\n", #condition), std::abort()))

// Valid UTF-8.
bool Utf8(const std::string& text) {
    const QString decoded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return decoded.toUtf8() == QByteArray::fromStdString(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte chooses the format the file's name would give: none, .non or .xml.
    std::optional<PuzzleFileFormat> format;
    if (data[0] % 3 == 1)
        format = PuzzleFileFormat::kNon;
    if (data[0] % 3 == 2)
        format = PuzzleFileFormat::kXml;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const PuzzleReadResult read = ReadPuzzleText(text, format);
    if (!read.ok)
        return 0;
    const Puzzle& p = read.puzzle;
    // Texts come out as UTF-8 whatever the bytes were, so that every puzzle read can be written
    // and read back.
    Check(Utf8(p.title) && Utf8(read.author));
    for (PuzzleFileFormat again : {PuzzleFileFormat::kNon, PuzzleFileFormat::kXml}) {
        const PuzzleReadResult back = ReadPuzzleText(WritePuzzleText(p, again, read.author), again);
        Check(back.ok);
        Check(back.puzzle.width == p.width && back.puzzle.height == p.height);
        Check(back.puzzle.rows == p.rows && back.puzzle.columns == p.columns);
        Check(back.puzzle.answer == p.answer);
        Check(back.puzzle.palette == p.palette && back.puzzle.rowColours == p.rowColours &&
              back.puzzle.columnColours == p.columnColours);
    }
    return 0;
}
