// ngm-cli make --unique: for one picture, the settings whose puzzle has exactly one solution,
// found as the window's "一意なパズルを探す" finds them: from the band and block count given,
// over every band and block count, the best suggestion first.
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
};

// "kept", "found" or "none".
const char* UniqueOutcomeWord(UniqueSettings::Outcome outcome);

// From the session's puzzle, analysed with the band and blocks given (square, fitted or
// custom): the settings chosen, whose puzzle (judged) the session then holds.  The search
// looks over the bands of the block counts of its kind (a custom grid keeps its own).
UniqueSettings ChooseUniqueSettings(PuzzleSession& session);
