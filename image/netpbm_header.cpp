#include "image/netpbm_header.h"

#include <algorithm>

namespace {

// Far above any canvas the program accepts, far below overflow.
constexpr std::int64_t kNumberBound = std::int64_t{1} << 40;

bool IsWhitespace(std::uint8_t b) {
    return b == ' ' || b == '\t' || b == '\n' || b == '\r' || b == '\v' || b == '\f';
}
bool IsDigit(std::uint8_t b) {
    return b >= '0' && b <= '9';
}

// Skips the rest of a comment, through the CR or LF that ends it.
bool SkipComment(ByteReader& reader) {
    std::uint8_t b = 0;
    while (reader.Get(b)) {
        if (b == '\n' || b == '\r')
            return true;
    }
    return false;
}

// One number: separators first (at least one, unless the previous number's end was one),
// then its digits, then the byte that ends it, which must be whitespace or begin a comment.
bool ReadNumber(ByteReader& reader, bool separated, std::int64_t& value) {
    std::uint8_t b = 0;
    for (;;) {
        if (!reader.Get(b))
            return false;
        if (IsWhitespace(b)) {
            separated = true;
        } else if (b == '#') {
            if (!SkipComment(reader))
                return false;
            separated = true;
        } else {
            break;
        }
    }
    if (!separated || !IsDigit(b))
        return false;
    value = 0;
    do {
        value = std::min(value * 10 + (b - '0'), kNumberBound);
        if (!reader.Get(b))
            return false;
    } while (IsDigit(b));
    if (b == '#')
        return SkipComment(reader);
    return IsWhitespace(b);
}

}  // namespace

bool ReadNetpbmHeader(ByteReader& reader, NetpbmHeader& header) {
    header = NetpbmHeader{};
    std::uint8_t magic[2] = {0, 0};
    if (reader.Read(magic, 2) != 2 || magic[0] != 'P' || magic[1] < '1' || magic[1] > '6')
        return false;
    header.kind = magic[1] - '0';
    // The byte that ends a number is its separator from the next one.
    if (!ReadNumber(reader, false, header.width) || !ReadNumber(reader, true, header.height))
        return false;
    if (header.kind == 1 || header.kind == 4)
        return true;
    std::int64_t maxval = 0;
    if (!ReadNumber(reader, true, maxval) || maxval < 1 || maxval > 65535)
        return false;
    header.maxval = static_cast<int>(maxval);
    return true;
}
