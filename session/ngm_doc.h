// The one document of the window: the session of making and playing a puzzle, under the names
// the window's steps know it by.  The view and the dialogs get it when they are made.
#pragma once

#include <QString>
#include <cstdint>

#include "image/column_buffer.h"
#include "model/picture.h"
#include "model/play_board.h"
#include "model/puzzle.h"
#include "session/puzzle_session.h"

// A thin step for the code that reads the answer grid the way the analysis used to store it
// ([column][row], 1 = filled).  They only read: the session owns the answer.
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
    // First, so that the names below can refer to it.
    PuzzleSession m_session;

public:
    CNGMDoc();
    ~CNGMDoc();
    CNGMDoc(const CNGMDoc&) = delete;
    CNGMDoc& operator=(const CNGMDoc&) = delete;

    PuzzleSession& Session() { return m_session; }
    const PuzzleSession& Session() const { return m_session; }

    // The input picture, loaded from a file or stored from the DrawBox; empty until then.
    Picture& m_picture = m_session.GetPicture();
    // Canvas size of the picture in pixels, 0 without one.
    int Width() const { return m_picture.CanvasWidth(); }
    int Height() const { return m_picture.CanvasHeight(); }
    bool HasPicture() const { return m_session.HasPicture(); }
    // The picture's planes: 3*W columns of H samples, column 3x red, 3x+1 green, 3x+2 blue
    // of pixel column x.
    ColumnBuffer& m_ppInputPlanes = m_picture.planes;

    // The session's puzzle, its answer and the player's marks.
    bool HasPuzzle() const { return m_session.HasPuzzle(); }
    const Puzzle& GetPuzzle() const { return m_session.GetPuzzle(); }
    void SetPuzzle(Puzzle puzzle) { m_session.SetPuzzle(std::move(puzzle)); }
    void ClearPuzzle() { m_session.ClearPuzzle(); }
    bool SetAnswer(std::vector<std::uint8_t> answer) {
        return m_session.SetAnswer(std::move(answer));
    }
    PlayBoard& GetPlayBoard() { return m_session.Board(); }
    const PlayBoard& GetPlayBoard() const { return m_session.Board(); }

    // The answer grid as the analysis used to store it.
    const AnswerGridStep m_ppAnswerGrid{m_session.GetPuzzle()};

    // Document title and path as the frame shows them.  The path is empty for a new document.
    QString m_strTitle;
    QString m_strPathName;
    // True when m_strPathName was chosen in the save dialog (so saving again may write it).
    bool m_bPathFromSave = false;
};
