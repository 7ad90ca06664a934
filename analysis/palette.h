// The colours of a picture for a colour puzzle: a background and up to eight colours, and the
// colour each block of a division takes.
//
// The background is the commonest colour along the border of the part analysed (near colours
// counted together).  The other colours are found by k-means in CIELAB over a subsample of at
// most 256 x 256 pixels, starting from k-means++ picks made with a fixed seed, so the same
// picture always gives the same palette.  Colours the user locked are kept as given while the
// others are fitted; colours nearer each other than kMergeDeltaE become one, and a colour that
// near the background, or holding too few of the pixels, goes into the background or the
// colour nearest to it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/colour_space.h"
#include "model/block_division.h"
#include "model/picture.h"

// Colours of a puzzle besides the background, at most.
constexpr int kMaxPaletteColours = 8;
// Colours closer than this (ΔE 1976) count as one.
constexpr double kMergeDeltaE = 10;

struct PaletteOptions {
    int colours = 4;  // K, 1..kMaxPaletteColours
    // The part of the picture's own pixels looked at; none: the whole picture.
    std::optional<PixelRect> crop;
    // Colours the user has chosen: in the palette as they are, first and in this order.  They
    // count towards `colours`, and all stay even when they are more (up to
    // kMaxPaletteColours; those beyond are cut).
    std::vector<Rgb> locked;
};

struct PaletteColour {
    Rgb rgb;
    Lab lab;
    bool locked = false;
};

struct Palette {
    PaletteColour background;
    // Index 1..colours.size() of a cell: the locked colours first, then the fitted ones, the
    // most used first.
    std::vector<PaletteColour> colours;
};

// The palette of the picture (its planes; a picture without them gives a white background
// and no colours, as does a crop outside the picture).
Palette FindPalette(const Picture& picture, const PaletteOptions& options);

// The palette of the picture as an analysis with these settings finds it, looking at the
// settings' crop of the picture: its colours and its locked colours.
Palette PaletteOf(const Picture& picture, const AnalysisSettings& settings);

// For each block of the division (canvas pixels, as the analysis cuts them) the palette index
// most of its pixels are nearest to, 0 for the background, ties to the lower index; row by
// row, division.columns x division.rows cells, 0 where the canvas holds no whole block.
std::vector<std::uint8_t> BlockColours(const Picture& picture, const BlockDivision& division,
                                       const Palette& palette);

// The bounding box of the picture's own pixels (inside `within`, clipped to the picture, when
// given) whose nearest palette colour is not the background, with a pixel more on each side
// where the area has one, so that the border of the crop still shows the background: what
// trimming keeps of a colour picture.  None when every pixel is background, or without planes.
std::optional<PixelRect> ColourTrimRect(const Picture& picture, const Palette& palette,
                                        const std::optional<PixelRect>& within = std::nullopt);
