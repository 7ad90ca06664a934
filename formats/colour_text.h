// How both puzzle-file formats write a colour puzzle's colours: colour 1..K as the letters
// a, b, c, ... and a colour's RGB as six lower-case hex digits.
#pragma once

#include <cstdint>
#include <string>

inline char ColourLetter(int index) {
    return static_cast<char>('a' + index - 1);
}

inline std::string HexRgb(std::uint32_t rgb) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (int shift = 20; shift >= 0; shift -= 4)
        out += kDigits[(rgb >> shift) & 0xf];
    return out;
}
