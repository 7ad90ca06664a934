#include <cstdint>
#include <string>

#include "formats/colour_text.h"
#include "formats/xml_format.h"

namespace {

void AppendEscaped(std::string& out, std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        // U+FFFE and U+FFFF (EF BF BE, EF BF BF) are no XML characters either: a file holding
        // them could not be read back.
        if (c == '\xEF' && s.substr(i + 1, 1) == "\xBF" && i + 2 < s.size() &&
            (s[i + 2] == '\xBE' || s[i + 2] == '\xBF')) {
            out += ' ';
            i += 2;
            continue;
        }
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // Control characters have no place in XML 1.0.
                out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        }
    }
}

// A colour puzzle's colour names: "background", then "color1" ... "colorK"; and the
// characters of its solution image: '.', then 'a' ... for the colours.
std::string ColourName(int index) {
    return index == 0 ? "background" : "color" + std::to_string(index);
}

char ColourChar(int index) {
    return index == 0 ? '.' : ColourLetter(index);
}

// The clues; with `colours` every count names its run's colour.
void AppendClues(std::string& out, const char* type, const std::vector<LineClue>& lines,
                 const std::vector<LineColours>* colours = nullptr) {
    out += "<clues type=\"";
    out += type;
    out += "\">\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += "<line>";
        for (std::size_t k = 0; k < lines[i].size(); ++k) {
            if (colours && k < (*colours)[i].size())
                out += "<count color=\"" + ColourName((*colours)[i][k]) + "\">";
            else
                out += "<count>";
            out += std::to_string(lines[i][k]) + "</count>";
        }
        out += "</line>\n";
    }
    out += "</clues>\n";
}

}  // namespace

std::string WritePuzzleXml(const Puzzle& puzzle, std::string_view author) {
    const bool colour = puzzle.IsColour();
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<puzzleset>\n<puzzle type=\"grid\" ";
    out += colour ? "defaultcolor=\"color1\" backgroundcolor=\"background\">\n<title>"
                  : "defaultcolor=\"black\">\n<title>";
    AppendEscaped(out, puzzle.title);
    out += "</title>\n";
    if (!author.empty()) {
        out += "<author>";
        AppendEscaped(out, author);
        out += "</author>\n";
    }
    if (!colour) {
        out +=
            "<color name=\"white\" char=\".\">fff</color>\n"
            "<color name=\"black\" char=\"X\">000</color>\n";
    }
    for (std::size_t k = 0; colour && k < puzzle.palette.size(); ++k) {
        const int index = static_cast<int>(k);
        out += "<color name=\"" + ColourName(index) + "\" char=\"" + ColourChar(index) + "\">" +
               HexRgb(puzzle.palette[k]) + "</color>\n";
    }
    AppendClues(out, "columns", puzzle.columns, colour ? &puzzle.columnColours : nullptr);
    AppendClues(out, "rows", puzzle.rows, colour ? &puzzle.rowColours : nullptr);
    if (puzzle.HasAnswer()) {
        out += "<solution type=\"goal\">\n<image>\n";
        for (int y = 0; y < puzzle.height; ++y) {
            out += '|';
            for (int x = 0; x < puzzle.width; ++x)
                out += colour                  ? ColourChar(puzzle.AnswerAt(x, y))
                       : puzzle.AnswerAt(x, y) ? 'X'
                                               : '.';
            out += "|\n";
        }
        out += "</image>\n</solution>\n";
    }
    out += "</puzzle>\n</puzzleset>\n";
    return out;
}
