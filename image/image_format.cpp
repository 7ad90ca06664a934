#include "image/image_format.h"

int FormatFromMagic(const char magic[2]) {
    static const char* const kMagics[] = {"P1", "P2", "P3", "P4", "P5", "P6", "BM"};
    for (int i = 0; i < 7; ++i) {
        if (magic[0] == kMagics[i][0] && magic[1] == kMagics[i][1])
            return i + 1;
    }
    return kFormatUnknown;
}
