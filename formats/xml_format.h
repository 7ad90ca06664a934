// Reading and writing puzzles in the XML puzzle format: a <puzzleset> (or a lone <puzzle>) with
// a grid puzzle in two colours, its <clues type="columns"> and <clues type="rows"> of <line>s
// of <count>s, and the answer as <solution type="goal"><image> rows such as "|.X.X.|".  A colour
// puzzle names its background and colours in <color name char>RGB</color> elements, each
// <count> its colour in a color attribute, and its image uses the colours' characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "formats/puzzle_read_result.h"
#include "model/puzzle.h"

// Largest .xml file the reader accepts: room for any 99 x 99 puzzle with notes around it.
constexpr std::size_t kMaxXmlFileBytes = 4 << 20;
// Deepest nesting of elements the reader follows.
constexpr int kMaxXmlDepth = 32;

// Reads the first puzzle of the text.  A pure function of its bytes.
PuzzleReadResult ReadPuzzleXml(std::string_view text);

// The puzzle as XML (written in xml_writer.cpp): title, author when there is one, the colours, the
// clues and, when the answer is known, the goal.  No DOCTYPE, so that nothing is fetched to read
// it.
std::string WritePuzzleXml(const Puzzle& puzzle, std::string_view author = {});
