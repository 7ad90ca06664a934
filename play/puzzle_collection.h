// The puzzles that come with the program: twelve themes of five, difficulties 1 to 5, each
// with one solution (made by play/collection/make_collection.sh, kept as resources).
#pragma once

#include <QString>
#include <vector>

#include "model/puzzle.h"

struct CollectionPuzzle {
    QString title;  // the theme and the difficulty, in the user's language
    int difficulty = 0;
    Puzzle puzzle;  // titled with `title`
};

// The collection in its order; a puzzle that cannot be read is left out.
std::vector<CollectionPuzzle> LoadPuzzleCollection();
