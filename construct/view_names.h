// The names the form view's steps know the session's values by.  Each is the session's own
// value, not a copy: the view keeps none of the session's state itself.
#pragma once

#include <QString>
#include <cstdint>

#include "image/column_buffer.h"
#include "session/puzzle_session.h"

struct CNGMViewNames {
    explicit CNGMViewNames(PuzzleSession& session)
        : m_strImageInfo(session.Info()),
          m_strPictureName(session.PictureName()),
          m_nLowerThreshold(session.Settings().lower),
          m_nUpperThreshold(session.Settings().upper),
          m_ppBinaryImage(session.BinaryBuffer()),
          m_bTestMode(session.TestModeFlag()) {}

    // The information text of edit 1000, lines ended by CR LF.
    QString& m_strImageInfo;
    // The name of the picture in the planes, which its puzzle takes as title: the file's name
    // without its extension, or "Ro Rudav Izedo" for a drawing.
    QString& m_strPictureName;
    // The brightness band [lower, upper) the thresholds set.
    std::int32_t& m_nLowerThreshold;
    std::int32_t& m_nUpperThreshold;
    // Black and white of the picture's canvas, made by the analysis.
    ColumnBuffer& m_ppBinaryImage;
    // 1 in test mode, 0 in play mode.
    std::int32_t& m_bTestMode;
};
