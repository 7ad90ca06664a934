// The palette of a picture and the colour of each block: flat areas give exactly their colours
// and blocks, locked colours stay, noise and near duplicates invent no colour, and the same
// picture always gives the same palette.
#include <gtest/gtest.h>

#include <functional>

#include "../support/painted.h"
#include "analysis/palette.h"

namespace {

Picture PictureOf(int width, int height, const std::function<Rgb(int x, int y)>& paint) {
    return painted::Filling(width, height, [&](int x, int y) {
        const Rgb c = paint(x, y);
        return painted::Samples{c.r, c.g, c.b};
    });
}

bool Inside(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

double DeltaEOf(Rgb a, Rgb b) {
    const ColourSpace space;
    return DeltaE(space.ToLab(a), space.ToLab(b));
}

// The index of the palette colour within ΔE 2 of c, or -1.
int IndexOf(const Palette& palette, Rgb c) {
    for (std::size_t k = 0; k < palette.colours.size(); ++k) {
        if (DeltaEOf(palette.colours[k].rgb, c) < 2)
            return static_cast<int>(k) + 1;
    }
    return -1;
}

constexpr Rgb kWhite{255, 255, 255}, kRed{200, 30, 40}, kGreen{40, 160, 60}, kBlue{30, 60, 200};

// 120 x 80 on white, in blocks of 10 pixels: a red, a green and a blue area on whole blocks;
// block (0, 6) six tenths red, block (2, 6) half red.
Rgb ThreeAreas(int x, int y) {
    if (Inside(x, y, 10, 10, 40, 30) || Inside(x, y, 0, 60, 10, 66) || Inside(x, y, 20, 60, 30, 65))
        return kRed;
    if (Inside(x, y, 60, 10, 80, 50))
        return kGreen;
    if (Inside(x, y, 90, 50, 110, 70))
        return kBlue;
    return kWhite;
}

TEST(Palette, FlatAreasGiveTheirColoursAndBlocks) {
    // The conversion itself, against the published values of sRGB red.
    const Lab red = ColourSpace().ToLab({255, 0, 0});
    EXPECT_NEAR(red.l, 53.24, 0.01);
    EXPECT_NEAR(red.a, 80.09, 0.01);
    EXPECT_NEAR(red.b, 67.20, 0.01);

    const Picture picture = PictureOf(120, 80, ThreeAreas);
    PaletteOptions options;
    options.colours = 3;
    const Palette palette = FindPalette(picture, options);
    EXPECT_EQ(palette.background.rgb, kWhite);
    ASSERT_EQ(palette.colours.size(), 3u);
    const int r = IndexOf(palette, kRed), g = IndexOf(palette, kGreen), b = IndexOf(palette, kBlue);
    ASSERT_TRUE(r > 0 && g > 0 && b > 0) << r << g << b;
    EXPECT_EQ(r + g + b, 6);

    const std::vector<std::uint8_t> cells =
        BlockColours(picture, CanvasDivision(12, 8, 120, 80), palette);
    ASSERT_EQ(cells.size(), 96u);
    for (int j = 0; j < 8; ++j) {
        for (int i = 0; i < 12; ++i) {
            const Rgb c = ThreeAreas(10 * i + 5, 10 * j + 5);
            int expected = c == kRed ? r : c == kGreen ? g : c == kBlue ? b : 0;
            if (i == 0 && j == 6)
                expected = r;  // mostly red
            if (i == 2 && j == 6)
                expected = 0;  // a tie goes to the background
            EXPECT_EQ(cells[j * 12 + i], expected) << i << ", " << j;
        }
    }

    // Cropped to the left half, the blue area is not in the palette.
    options.crop = PixelRect{0, 0, 60, 80};
    const Palette left = FindPalette(picture, options);
    ASSERT_EQ(left.colours.size(), 1u);
    EXPECT_LT(DeltaEOf(left.colours[0].rgb, kRed), 2);
}

// Two colours with a little noise each on a light gray ground.
Rgb Noisy(int x, int y) {
    std::uint32_t seed = static_cast<std::uint32_t>(x * 7919 + y * 104729);
    seed = seed * 1103515245u + 12345u;
    const int jitter = static_cast<int>((seed >> 16) % 7) - 3;
    const auto at = [jitter](int v) { return static_cast<std::uint8_t>(v + jitter); };
    const bool dark = (x - 50) * (x - 50) + (y - 40) * (y - 40) < 900;
    return dark ? Rgb{at(40), at(50), at(120)} : Rgb{at(230), at(230), at(225)};
}

TEST(Palette, NoiseAndNearDuplicatesInventNoColourAndTheResultRepeats) {
    const Picture picture = PictureOf(100, 80, Noisy);
    PaletteOptions options;
    options.colours = 8;
    const Palette palette = FindPalette(picture, options);
    EXPECT_LT(DeltaEOf(palette.background.rgb, {230, 230, 225}), 2);
    ASSERT_EQ(palette.colours.size(), 1u);
    EXPECT_LT(DeltaEOf(palette.colours[0].rgb, {40, 50, 120}), 2);

    // A picture with more colours than asked: the same palette each time.
    const Picture many = PictureOf(300, 200, [](int x, int y) {
        return Rgb{static_cast<std::uint8_t>(x * 255 / 300), static_cast<std::uint8_t>(y),
                   static_cast<std::uint8_t>((x * y) % 256)};
    });
    options.colours = 5;
    const Palette first = FindPalette(many, options), second = FindPalette(many, options);
    ASSERT_EQ(first.colours.size(), second.colours.size());
    EXPECT_GE(first.colours.size(), 3u);
    for (std::size_t k = 0; k < first.colours.size(); ++k)
        EXPECT_EQ(first.colours[k].rgb, second.colours[k].rgb) << k;
}

TEST(Palette, LockedColoursStayAsGiven) {
    const Rgb lighterRed{220, 40, 40}, locked{200, 30, 30};
    const Picture picture = PictureOf(100, 100, [&](int x, int y) {
        return Inside(x, y, 10, 10, 50, 50)   ? lighterRed
               : Inside(x, y, 60, 60, 90, 90) ? kBlue
                                              : kWhite;
    });
    PaletteOptions options;
    options.colours = 2;
    options.locked = {locked};
    const Palette palette = FindPalette(picture, options);
    ASSERT_EQ(palette.colours.size(), 2u);
    EXPECT_EQ(palette.colours[0].rgb, locked);
    EXPECT_TRUE(palette.colours[0].locked);
    EXPECT_LT(DeltaEOf(palette.colours[1].rgb, kBlue), 2);
    EXPECT_FALSE(palette.colours[1].locked);
    const std::vector<std::uint8_t> cells =
        BlockColours(picture, CanvasDivision(10, 10, 100, 100), palette);
    EXPECT_EQ(cells[2 * 10 + 2], 1);  // the red area takes the locked colour
    EXPECT_EQ(cells[7 * 10 + 7], 2);
    EXPECT_EQ(cells[0], 0);
}

// The white a square canvas adds round a wide picture is background, even when a colour of the
// palette is nearer to white than the background is.
TEST(Palette, TheCanvasPaddingIsBackground) {
    const Rgb darkGreen{0, 80, 0}, lightGrey{200, 200, 200};
    Picture picture = PictureOf(40, 40, [&](int x, int y) {
        if (y < 10 || y >= 30)
            return kWhite;  // the padding above and below the 40 x 20 picture
        return Inside(x, y, 2, 12, 38, 28) ? lightGrey : darkGreen;
    });
    picture.height = 20;
    PaletteOptions options;
    options.colours = 1;
    const Palette palette = FindPalette(picture, options);
    ASSERT_LT(DeltaEOf(palette.background.rgb, darkGreen), 2);
    ASSERT_EQ(IndexOf(palette, lightGrey), 1);
    const std::vector<std::uint8_t> cells =
        BlockColours(picture, CanvasDivision(4, 4, 40, 40), palette);
    EXPECT_EQ(cells, (std::vector<std::uint8_t>{0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0}));
}

}  // namespace
