// Reading and writing puzzles in the `.non` text format: one key per line (`width`, `height`,
// `rows` and `columns` each followed by one clue line per row or column, `goal` with the answer
// row by row, `title` and `by`); `rows N` and `columns N` give the size as `height N` and
// `width N` do; unknown keys and blank lines, also between clue lines, are ignored.  A colour
// puzzle has `color c #rrggbb` lines (c is `0` for the background, one character for each
// colour), each clue number followed by its colour's character (`3a,1b`) and its goal written
// with the characters.
#pragma once

#include <string>
#include <string_view>

#include "formats/puzzle_read_result.h"
#include "model/puzzle.h"

// Largest .non file the reader accepts: far beyond what a 99 x 99 puzzle needs.
constexpr std::size_t kMaxNonFileBytes = 1 << 20;
// Longest line the reader looks at: a goal of 99 x 99 cells with its key and quotes fits.
constexpr std::size_t kMaxNonLineBytes = 16384;

PuzzleReadResult ReadNon(std::string_view text);
// Reads a .non file (defined with the other file reading, in puzzle_file.cpp).
PuzzleReadResult ReadNonFile(const std::string& path);

// The puzzle as .non text (written in non_writer.cpp): title, by, width, height, rows, columns and,
// when the answer is known, goal.
std::string WriteNon(const Puzzle& puzzle, std::string_view author = {});
