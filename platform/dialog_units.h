// Dialog units to pixels with fixed base units (6 x 13), so that laid-out sizes do not depend
// on the fonts of the machine: x px = du * 6 / 4, y px = du * 13 / 8.
#pragma once

#include <QRect>

constexpr int DluToPixelsX(int du) {
    return du * 6 / 4;
}
constexpr int DluToPixelsY(int du) {
    return du * 13 / 8;
}
inline QRect DluRectToPixels(int x, int y, int w, int h) {
    return QRect(DluToPixelsX(x), DluToPixelsY(y), DluToPixelsX(w), DluToPixelsY(h));
}
