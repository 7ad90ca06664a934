#include "render/block_panels.h"

#include <algorithm>

#include "render/palette_colours.h"
#include "render/panel_drawing.h"

namespace {

void DrawGridLines(CDC& dc, const BlockDivision& d) {
    // Every block edge, the closing ones after the last block column and row included.
    for (int x : d.xs)
        DrawStraightLine(dc, x, d.spanTop, x, d.spanBottom);
    for (int y : d.ys)
        DrawStraightLine(dc, d.spanLeft, y, d.spanRight, y);
}

void WriteInvisibleLabel(CDC& dc) {
    dc.SetTextColor(kInvisibleTextColor);
    dc.SetBkColor(kInvisibleBkColor);
    dc.TextOut(kInvisibleLabelX, kInvisibleLabelY, QString::fromLatin1(kInvisibleLabel));
}

// True when the puzzle is a colour puzzle whose answer covers the division's blocks.
bool ColoursTheBlocks(const Puzzle* colour, const BlockDivision& d) {
    return colour && colour->IsColour() && colour->HasAnswer() && colour->width == d.columns &&
           colour->height == d.rows;
}

// Every held block in the colour of its answer cell.
void FillColourBlocks(CDC& dc, const BlockDivision& d, const Puzzle& puzzle) {
    for (int j = 0; j < d.HeldRows(); ++j) {
        for (int i = 0; i < d.HeldColumns(); ++i) {
            dc.FillSolidRect(d.xs[i], d.ys[j], d.BlockWidth(i), d.BlockHeight(j),
                             ColorRefOf(puzzle.palette[puzzle.AnswerAt(i, j)]));
        }
    }
}

}  // namespace

void DrawBlockPanels(const ColumnBuffer& answer, const BlockDivision& division, bool testMode,
                     CDC& blockPanel, CDC& binaryPanel, const Puzzle* colour) {
    const BlockDivision& d = division;
    const int columns = d.HeldColumns();
    const int rows = d.HeldRows();
    if (!d.IsEmpty() && answer.Columns() >= columns && answer.Length() >= rows) {
        // The red blocks go first: each covers only its own left and top edge, and every
        // line is drawn over them afterwards, so the lines stay whole.
        if (testMode && ColoursTheBlocks(colour, d)) {
            FillColourBlocks(blockPanel, d, *colour);
        } else if (testMode) {
            // One fill per run of black blocks along a block row.
            for (int j = 0; j < rows; ++j) {
                for (int i = 0; i < columns;) {
                    if (answer[i][j] != 1) {
                        ++i;
                        continue;
                    }
                    int end = i + 1;
                    while (end < columns && answer[end][j] == 1)
                        ++end;
                    blockPanel.FillSolidRect(d.xs[i], d.ys[j], d.xs[end] - d.xs[i],
                                             d.BlockHeight(j), kBlockColor);
                    i = end;
                }
            }
        }
        DrawGridLines(blockPanel, d);
        DrawGridLines(binaryPanel, d);
    }
    if (!testMode) {
        WriteInvisibleLabel(binaryPanel);
        WriteInvisibleLabel(blockPanel);
    }
}

void DrawUndecidedMarks(const std::vector<std::uint8_t>& undecided, const BlockDivision& division,
                        CDC& blockPanel, const Puzzle* colour) {
    const BlockDivision& d = division;
    if (d.IsEmpty() || undecided.size() != static_cast<std::size_t>(d.columns) * d.rows)
        return;
    for (int j = 0; j < d.HeldRows(); ++j) {
        for (int i = 0; i < d.HeldColumns(); ++i) {
            if (!undecided[static_cast<std::size_t>(j) * d.columns + i])
                continue;
            const int w = d.BlockWidth(i), h = d.BlockHeight(j);
            const int s = UndecidedMarkSide(std::min(w, h));
            COLORREF mark = kUndecidedMarkColor;
            if (ColoursTheBlocks(colour, d)) {
                const std::uint32_t yellow = (GetRValue(kUndecidedMarkColor) << 16) |
                                             (GetGValue(kUndecidedMarkColor) << 8) |
                                             GetBValue(kUndecidedMarkColor);
                mark = ColorRefOf(UndecidedMarkOn(colour->palette[colour->AnswerAt(i, j)], yellow));
            }
            // Centred on the block's inside, the pixels right of and below its grid lines.
            blockPanel.FillSolidRect(d.xs[i] + (w - s + 1) / 2, d.ys[j] + (h - s + 1) / 2, s, s,
                                     mark);
        }
    }
}
