#include <cstdint>
#include <string>

#include "formats/colour_text.h"
#include "formats/non_format.h"

namespace {

// Longest title or author written, in bytes: quoted, each byte at most doubles, and the line
// must stay within what the reader reads.
constexpr std::size_t kMaxTextBytes = kMaxNonLineBytes / 2 - 16;

std::string Quoted(std::string_view s) {
    if (s.size() > kMaxTextBytes) {
        // Cut at the start of a character.
        std::size_t cut = kMaxTextBytes;
        while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80)
            --cut;
        s = s.substr(0, cut);
    }
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c == '\n' || c == '\r' ? ' ' : c;
    }
    return out + "\"";
}

// The clue; with colours each number followed by its colour's character.
std::string ClueText(const LineClue& clue, const LineColours* colours = nullptr) {
    if (clue.empty())
        return "0";
    std::string out;
    for (std::size_t i = 0; i < clue.size(); ++i) {
        out += (i ? "," : "") + std::to_string(clue[i]);
        if (colours && i < colours->size())
            out += ColourLetter((*colours)[i]);
    }
    return out;
}

// The colour lines (background '0', then a, b, ...), the clues and the goal of the puzzle.
std::string ColourBody(const Puzzle& puzzle) {
    std::string out;
    for (std::size_t k = 0; k < puzzle.palette.size(); ++k)
        out += std::string("color ") + (k ? ColourLetter(static_cast<int>(k)) : '0') + " #" +
               HexRgb(puzzle.palette[k]) + "\n";
    out += "rows\n";
    for (std::size_t i = 0; i < puzzle.rows.size(); ++i)
        out += ClueText(puzzle.rows[i], &puzzle.rowColours[i]) + "\n";
    out += "columns\n";
    for (std::size_t i = 0; i < puzzle.columns.size(); ++i)
        out += ClueText(puzzle.columns[i], &puzzle.columnColours[i]) + "\n";
    if (puzzle.HasAnswer()) {
        out += "goal \"";
        for (std::uint8_t cell : puzzle.answer)
            out += cell ? ColourLetter(cell) : '0';
        out += "\"\n";
    }
    return out;
}

}  // namespace

std::string WriteNon(const Puzzle& puzzle, std::string_view author) {
    std::string out = "title " + Quoted(puzzle.title) + "\nby " + Quoted(author) + "\nwidth " +
                      std::to_string(puzzle.width) + "\nheight " + std::to_string(puzzle.height) +
                      "\n";
    if (puzzle.IsColour())
        return out + ColourBody(puzzle);
    out += "rows\n";
    for (const LineClue& clue : puzzle.rows)
        out += ClueText(clue) + "\n";
    out += "columns\n";
    for (const LineClue& clue : puzzle.columns)
        out += ClueText(clue) + "\n";
    if (puzzle.HasAnswer()) {
        out += "goal \"";
        for (std::uint8_t cell : puzzle.answer)
            out += cell ? '1' : '0';
        out += "\"\n";
    }
    return out;
}
