// The part of a picture that is analysed: a rectangle of its own pixels, given or trimmed to
// what lies in the band, copied onto a canvas of its own as a picture read from a file would
// be (centred on a white square whose side is its larger dimension rounded up to 20).
#pragma once

#include <optional>

#include "analysis/analysis.h"
#include "model/picture.h"

// The rectangle clipped to the picture's own pixels; none when nothing of it is left.
std::optional<PixelRect> ClipToPicture(const Picture& picture, const PixelRect& rect);

// The bounding box of the pixels whose gray level lies in [lower, upper), inside within
// (clipped to the picture) when given; none when no pixel is in the band.
std::optional<PixelRect> TrimRect(const Picture& picture, int lower, int upper,
                                  const std::optional<PixelRect>& within = std::nullopt);

// The pixels of rect (clipped to the picture) as a picture of their own on its square white
// canvas, with its gray sums made; a picture read as gray sums alone gives one of gray sums
// alone.  An empty picture when nothing of rect is in the picture.  Throws std::bad_alloc.
Picture CroppedPicture(const Picture& picture, const PixelRect& rect);

// Reads the gray sums (R + G + B) of the canvas: from the picture's gray sums when they hold,
// otherwise from its planes.
class CanvasSums {
public:
    explicit CanvasSums(const Picture& picture)
        : m_picture(picture),
          m_fromSums(picture.SumsOnly() || picture.gray.Match(picture.planes)) {}
    // Copies the sums of rows top .. top + count - 1 of canvas column x into out.
    void ReadColumn(int x, int top, int count, int* out) const;
    // The sums of column x starting at row top, when the picture has them stored; null
    // otherwise (then ReadColumn computes them).
    const std::uint16_t* StoredColumn(int x, int top) const {
        return m_fromSums ? m_picture.gray[x] + top : nullptr;
    }

private:
    const Picture& m_picture;
    bool m_fromSums;
};
