// The one document: it owns the picture, the puzzle made from it and the board the player
// marks.  The view and the dialogs get it when they are made.
#pragma once

#include <QString>
#include <cstdint>

#include "image/column_buffer.h"
#include "model/picture.h"
#include "model/play_board.h"
#include "model/puzzle.h"

// A thin step for the code that reads the answer grid the way the analysis used to store it
// ([column][row], 1 = filled).  They only read: the puzzle and the board own what they show.
class AnswerGridStep {
public:
    explicit AnswerGridStep(const Puzzle& puzzle) : m_puzzle(puzzle) {}
    bool IsAllocated() const { return m_puzzle.HasAnswer(); }
    int Columns() const { return IsAllocated() ? m_puzzle.width : 0; }
    int Length() const { return IsAllocated() ? m_puzzle.height : 0; }
    struct Column {
        const Puzzle& puzzle;
        int x;
        int operator[](int y) const { return puzzle.AnswerAt(x, y); }
    };
    Column operator[](int x) const { return {m_puzzle, x}; }

private:
    const Puzzle& m_puzzle;
};

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
    // The picture's planes: 3*W columns of H samples, column 3x red, 3x+1 green, 3x+2 blue
    // of pixel column x.
    ColumnBuffer& m_ppInputPlanes = m_picture.planes;

    // The puzzle of the last analysis, with its answer; none before the first analysis and
    // after a new picture.
    bool HasPuzzle() const { return m_puzzle.width > 0 && m_puzzle.height > 0; }
    const Puzzle& GetPuzzle() const { return m_puzzle; }
    // Makes `puzzle` the document's puzzle, with a blank board of its size.
    void SetPuzzle(Puzzle puzzle);
    void ClearPuzzle() { SetPuzzle(Puzzle{}); }
    // Gives a puzzle read with its clues only the answer found for it later; the player's marks
    // stay.  Nothing changes unless the answer is a grid of the puzzle's size that forms its
    // clues.
    bool SetAnswer(std::vector<std::uint8_t> answer);
    // The player's marks on the puzzle's cells.
    PlayBoard& GetPlayBoard() { return m_board; }
    const PlayBoard& GetPlayBoard() const { return m_board; }

    // The answer grid as the analysis used to store it.
    const AnswerGridStep m_ppAnswerGrid{m_puzzle};

    // Document title and path as the frame shows them.  The path is empty for a new document.
    QString m_strTitle;
    QString m_strPathName;
    // True when m_strPathName was chosen in the save dialog (so saving again may write it).
    bool m_bPathFromSave = false;

private:
    Puzzle m_puzzle;
    PlayBoard m_board;
};
