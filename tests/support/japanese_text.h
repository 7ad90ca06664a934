// Whether a text holds Japanese: kana, CJK ideographs, CJK punctuation or full- and half-width
// forms.  Header-only, for the window tests and the translation check alike.
#pragma once

#include <QString>

inline bool HasJapanese(const QString& s) {
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30ff) || (u >= 0x4e00 && u <= 0x9fff) ||
            (u >= 0xff00 && u <= 0xffef))
            return true;
    }
    return false;
}
