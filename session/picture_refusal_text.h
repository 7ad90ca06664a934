// The words the window uses when a picture file cannot be read, shared with the command line.
#pragma once

#include <QCoreApplication>
#include <QString>

enum class PictureRefusal;

// The Japanese texts, translated by NotPictureText() and CannotOpenText().
inline const char* const kNotPictureText =
    QT_TRANSLATE_NOOP("PictureRefusal", "画像ファイルではありません。");
inline const char* const kCannotOpenText =
    QT_TRANSLATE_NOOP("PictureRefusal", "ファイルがオープンできません。");

// The messages of a file that is not a picture and of a file that cannot be opened, in the
// language of the user interface.
inline QString NotPictureText() {
    return QCoreApplication::translate("PictureRefusal", kNotPictureText);
}
inline QString CannotOpenText() {
    return QCoreApplication::translate("PictureRefusal", kCannotOpenText);
}

// The message of a refused picture.
QString PictureRefusalText(PictureRefusal refusal);
