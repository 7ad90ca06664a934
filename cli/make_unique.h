// ngm-cli make --unique: for one picture, the settings whose puzzle has exactly one solution,
// found as the window's "一意なパズルを探す" finds them: from the band and block count given,
// over every band and block count, the best suggestion first.
#pragma once

#include "image/column_buffer.h"
#include "model/picture.h"

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

// `binary`: scratch for the binary image, kept by the caller between pictures.
UniqueSettings ChooseUniqueSettings(const Picture& picture, int lower, int upper, int n,
                                    ColumnBuffer& binary);
