// Reading and writing puzzles in the `.non` text format: one key per line (`width`, `height`,
// `rows` and `columns` each followed by one clue line per row or column, `goal` with the answer
// row by row, `title` and `by`); `rows N` and `columns N` give the size as `height N` and
// `width N` do; unknown keys and blank lines, also between clue lines, are ignored.
#pragma once

#include <string>
#include <string_view>

#include "formats/puzzle_read_result.h"
#include "model/puzzle.h"

// Largest .non file the reader accepts: far beyond what a 99 x 99 puzzle needs.
constexpr std::size_t kMaxNonFileBytes = 1 << 20;

PuzzleReadResult ReadNon(std::string_view text);
// Reads a .non file (defined with the other file reading, in puzzle_file.cpp).
PuzzleReadResult ReadNonFile(const std::string& path);

// The puzzle as .non text: title, by, width, height, rows, columns and, when the answer is
// known, goal.
std::string WriteNon(const Puzzle& puzzle, std::string_view author = {});
