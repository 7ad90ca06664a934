// Reading a picture file for the command line by the window's rules (the model's loader), with
// the reasons the window gives when a file cannot be read.  The questions the window asks
// are taken as answered Yes: a bitmap of few colours and a picture larger than the panel are
// read all the same.
#pragma once

#include <QString>
#include <variant>

#include "model/picture.h"

// sumsOnly: the gray sums alone, enough for the puzzle at any band (Picture::SumsOnly).
std::variant<Picture, QString> ReadPictureFile(const QString& path, bool sumsOnly = false);
