// Drawing the play board into its off-screen image where the board layout puts each part: a
// cell as its mark shows it, the frames of a wrong cell, of a hint and of the keyboard cursor,
// the clue numbers and the grid lines.  Any rectangle of the image can be drawn again on its
// own and comes out as the whole drawing would make it.  Widget-free.
#pragma once

#include <QImage>
#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "model/board_layout.h"
#include "model/clue_strikes.h"
#include "model/play_board.h"
#include "model/puzzle.h"
#include "platform/gdi.h"
#include "render/palette_colours.h"

// Side of a cell of the play board in pixels.
constexpr int kPlayCellSize = 20;

// Colours the play board adds to the cells: the hint's frame and the keyboard cursor.
constexpr COLORREF kHintFrameColor = RGB(255, 140, 0);
constexpr COLORREF kCursorColor = RGB(0, 0, 255);
// Clue numbers of a line whose fills form its clue.
constexpr COLORREF kFinishedClueColor = RGB(160, 160, 160);
// The light tint behind the cells and the clue numbers of the row and the column under the
// cursor; the marks and numbers on it keep their colours.
constexpr COLORREF kHighlightColor = RGB(210, 226, 244);

// The clue numbers as the clue font writes them, kept as small pictures so that drawing one
// again is a copy of its pixels: a board of 99 x 99 cells has thousands of numbers.  Each
// picture is exactly what CDC::TextOut puts down, the glyph's pixels beyond its box included.
class CluePictures {
public:
    // Writes a number with its box's top-left corner at pos, clipped to `clip`, as TextOut
    // in the clue font of the cell size does; returns the width of its box.
    int Write(CDC& dc, const CRect& clip, CPoint pos, int cellSize, int number, COLORREF color,
              COLORREF background);

private:
    struct Glyph {
        QImage pixels;                      // the number written `margin` pixels in
        std::vector<std::uint8_t> written;  // 1 where the writing put a pixel, row by row
        int margin = 0;
        int boxWidth = 0;
    };
    const Glyph& Find(int cellSize, int number, COLORREF color, COLORREF background);
    std::map<std::tuple<int, int, COLORREF, COLORREF>, Glyph> m_glyphs;
};

// Everything the board image shows.  The pointers must stay valid while it is drawn; a null
// or empty vector shows nothing of its kind.
struct BoardScene {
    const BoardLayout* layout = nullptr;
    const Puzzle* puzzle = nullptr;
    const PlayBoard* board = nullptr;
    // 1 for each row and column whose clue is drawn as finished, in grey.
    const std::vector<std::uint8_t>* finishedRows = nullptr;
    const std::vector<std::uint8_t>* finishedColumns = nullptr;
    // Wrong cells framed in green after an answer check.
    const std::vector<CellPos>* mistakes = nullptr;
    // The colour of each filled cell, row by row, once the solved puzzle shows its picture; on
    // a colour puzzle the colour of every cell, which then shows no cross.
    const std::vector<COLORREF>* fillColors = nullptr;
    std::optional<CellPos> hint;    // framed in orange
    std::optional<CellPos> cursor;  // framed in blue
    // The row and the column shown tinted, with their clues.
    std::optional<CellPos> highlight;
    // Every fifth line inside the grid drawn two pixels wide.
    bool thickFifthLines = false;
    // The clue numbers struck through.
    const ClueStrikes* strikes = nullptr;
    // Where the numbers' pictures are kept; without it each number is written afresh.
    CluePictures* glyphs = nullptr;
};

// Draws the part of the scene inside `area` (in image pixels; empty: the whole image) in the
// order the whole drawing uses: the face colour with the highlight's tint, clues, grid lines,
// cells, the thick fifth lines, wrong cells' frames, the hint's frame, the cursor.  Nothing
// outside `area` changes, and whatever the area held before does not show through.
void DrawBoardArea(CDC& dc, const BoardScene& scene, CRect area = {});

// The inside of a cell as its mark shows: the background when blank, `fill` when filled (with
// any colour),
// both diagonals in red on the background when crossed.
void DrawCellMark(CDC& dc, const BoardLayout& layout, CellPos cell, Mark mark,
                  COLORREF fill = RGB(50, 50, 50), COLORREF background = kFaceColor);

// A two-pixel band in `color` just inside a cell's grid lines, moved `inset` pixels further
// in, so that whatever the cell holds stays visible in its middle.  The frame of a wrong cell
// is the green one at inset 0.
void DrawCellFrame(CDC& dc, const BoardLayout& layout, CellPos cell, COLORREF color, int inset = 0);
void DrawMistakeFrame(CDC& dc, const BoardLayout& layout, CellPos cell);

// How the clue numbers show besides their places: the lines finished (grey), the highlighted
// row and column (on the tint) and the numbers struck through.
struct ClueLook {
    const std::vector<std::uint8_t>* finishedRows = nullptr;
    const std::vector<std::uint8_t>* finishedColumns = nullptr;
    std::optional<CellPos> highlight;
    const ClueStrikes* strikes = nullptr;
    CluePictures* glyphs = nullptr;
};

// The clue numbers in their slots on the face colour: green, or grey for the lines marked
// finished; a colour puzzle's on swatches of their colours (a frame of it when finished).  A
// number struck through has a line across it in its colour.  A number's box never
// reaches past its clue area into the grid, where it would wipe the player's marks.  Only the
// numbers whose boxes meet `area` are drawn, clipped to it.
void DrawClues(CDC& dc, const BoardLayout& layout, const Puzzle& puzzle, const ClueLook& look = {},
               CRect area = {});

// The grid lines, every fifth one inside the grid in the accent colour, clipped to `area`.
void DrawGridLines(CDC& dc, const BoardLayout& layout, CRect area = {});
// The second pixel of every fifth line inside the grid (right of or below the line), clipped
// to `area`: drawn over the cells, so that the line stands out on the largest boards.
void DrawThickFifthLines(CDC& dc, const BoardLayout& layout, CRect area = {});
