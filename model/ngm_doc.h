// The one document: it owns the picture, the puzzle made from it and the board the player
// marks.  The view and the dialogs get it when they are made.
#pragma once

#include <QString>
#include <cstdint>

#include "image/column_buffer.h"
#include "model/picture.h"

class CNGMDoc {
public:
    CNGMDoc();
    ~CNGMDoc();
    CNGMDoc(const CNGMDoc&) = delete;
    CNGMDoc& operator=(const CNGMDoc&) = delete;

    // The input picture, loaded from a file or stored from the DrawBox; empty until then.
    Picture m_picture;
    // Canvas size of the picture in pixels, 0 without one.
    int Width() const { return m_picture.CanvasWidth(); }
    int Height() const { return m_picture.CanvasHeight(); }
    bool HasPicture() const { return !m_picture.IsEmpty(); }
    // N, blocks per side, stored by the view after every analysis.
    std::int32_t m_nGridSize = 0;
    // The picture's planes: 3*W columns of H samples, column 3x red, 3x+1 green, 3x+2 blue
    // of pixel column x.
    ColumnBuffer& m_ppInputPlanes = m_picture.planes;
    // N x N, [column][row], 1 = black.
    ColumnBuffer m_ppAnswerGrid;
    // N x N, [column][row], 1 = filled by the player.
    ColumnBuffer m_ppPlayGrid;

    // Document title and path as the frame shows them.  The path is empty for a new document.
    QString m_strTitle;
    QString m_strPathName;
    // True when m_strPathName was chosen in the save dialog (so saving again may write it).
    bool m_bPathFromSave = false;

    // The application's document: the most recently constructed one still alive.
    static CNGMDoc* Current();
};
