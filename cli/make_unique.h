// ngm-cli make --unique: for one picture, the settings whose puzzle has exactly one solution,
// found as the window's "一意なパズルを探す" finds them: from the band (or, for a colour
// puzzle, the colour count) and block count given, over the others, the best suggestion first.
#pragma once

#include "session/puzzle_session.h"

struct UniqueSettings {
    enum class Outcome {
        Kept,   // the settings given make a puzzle with one solution already
        Found,  // other settings do; these are the best of them
        None,   // no band and block count does; these are the settings given
    };
    Outcome outcome = Outcome::None;
    int lower = 0;
    int upper = 0;
    int n = 0;
    int colours = 0;  // a colour puzzle's colour count
};

// "kept", "found" or "none".
const char* UniqueOutcomeWord(UniqueSettings::Outcome outcome);

// From the session's puzzle, analysed with the band and blocks given (square, fitted or
// custom): the settings chosen, whose puzzle (judged) the session then holds.  The search
// looks over the bands of the block counts of its kind (a custom grid keeps its own).
UniqueSettings ChooseUniqueSettings(PuzzleSession& session);

// The same for a colour puzzle: over its colour counts and block counts (SearchColours), the
// band, crop and locked colours kept.
UniqueSettings ChooseUniqueColours(PuzzleSession& session);
