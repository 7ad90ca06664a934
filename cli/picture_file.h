// Reading a picture file for the command line into a session, by the window's rules and with
// the reasons the window gives when a file cannot be read.  The questions the window asks
// are taken as answered Yes: a bitmap of few colours and a picture larger than the panel are
// read all the same.
#pragma once

#include <QString>

#include "cli/memory_budget.h"
#include "model/picture_loader.h"
#include "session/puzzle_session.h"

// The picture at path becomes the session's; the reason it cannot be read otherwise, or an
// empty text.  sumsOnly: the gray sums alone, enough for the puzzle at any band
// (Picture::SumsOnly).  budget: when given, what the picture and the making of its puzzle will
// need is taken from it (into lease) before the data is decoded.  A picture whose data is
// damaged is refused.
QString ReadPictureFile(PuzzleSession& session, const QString& path, bool sumsOnly = false,
                        MemoryBudget* budget = nullptr, MemoryBudget::Lease* lease = nullptr);

// Bytes a picture of this header needs while it is read and made into a puzzle: its decoded
// image (decodedBytes, from the loader), its gray sums and the binary image, and with the
// planes (not sumsOnly) the planes as well.
std::int64_t PictureMemoryBytes(const PictureHeader& header, std::int64_t decodedBytes,
                                bool sumsOnly);
