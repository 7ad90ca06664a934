// The words the window uses when a picture file cannot be read, shared with the command line.
#pragma once

#include <QString>

enum class PictureRefusal;

inline const QString kNotPictureText = QStringLiteral("画像ファイルではありません。");
inline const QString kCannotOpenText = QStringLiteral("ファイルがオープンできません。");

// The message of a refused picture.
QString PictureRefusalText(PictureRefusal refusal);
