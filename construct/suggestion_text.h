// How a suggestion of the search for a unique puzzle reads and looks in its list: a title (the
// thresholds, or the colour count, and block count, or the number of cells changed), a line with
// the verdict and how far it is from the current puzzle, and a small picture of its grid with the
// changed cells marked.
#pragma once

#include <QImage>
#include <QString>

#include "maker/suggestion.h"

// Side of the picture of a suggestion, in pixels.
constexpr int kSuggestionPictureSide = 64;
// Changed cells in the picture: filled now, and emptied.
constexpr QRgb kNewlyFilledColor = qRgb(220, 0, 0);
constexpr QRgb kNewlyEmptiedColor = qRgb(255, 175, 175);

QString SuggestionTitle(const Suggestion& s);
QString SuggestionDetail(const Suggestion& s, const FilledShare& current);
// The grid (columns x rows) on white, filled cells black; at the block count of the current
// puzzle (whose answer is `current`), the cells that differ from it in the changed colours.  A
// suggestion of other colour counts is drawn in its palette's colours.
QImage SuggestionPicture(const Suggestion& s, const std::vector<std::uint8_t>& current);
