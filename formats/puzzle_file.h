// Puzzle files by kind: the formats a file name's extension names, reading a .non or .xml file
// of bounded size, and the text of a puzzle in either text format.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "formats/puzzle_read_result.h"
#include "model/puzzle.h"

enum class PuzzleFileFormat { kNon, kXml, kPng, kPdf };

// The format named by the extension of a path (any case), or none.
std::optional<PuzzleFileFormat> PuzzleFormatOfPath(std::string_view path);
// "non", "xml", "png" or "pdf".
const char* PuzzleFormatExtension(PuzzleFileFormat format);
// True for the formats that can be read back (.non and .xml).
constexpr bool IsPuzzleTextFormat(PuzzleFileFormat format) {
    return format == PuzzleFileFormat::kNon || format == PuzzleFileFormat::kXml;
}

// Reads puzzle text in a text format; without one (or for .png and .pdf) the text decides:
// a file that begins with '<' is read as XML, any other as .non.
PuzzleReadResult ReadPuzzleText(std::string_view text, std::optional<PuzzleFileFormat> format);
// Reads a regular file named by the bytes of `path` (never a pipe or a device, which could keep the
// reader waiting) of at most the size its format allows, in the format its extension names or else
// the text shows.
PuzzleReadResult ReadPuzzleFile(const std::string& path,
                                std::optional<PuzzleFileFormat> format = std::nullopt);

// The puzzle in a text format.
std::string WritePuzzleText(const Puzzle& puzzle, PuzzleFileFormat format,
                            std::string_view author = {});
