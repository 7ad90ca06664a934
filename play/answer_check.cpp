#include "play/answer_check.h"

std::vector<CPoint> FindMistakes(const ColumnBuffer& answer, const ColumnBuffer& marks, int n) {
    std::vector<CPoint> cells;
    for (int row = 0; row < n; ++row) {
        for (int col = 0; col < n; ++col) {
            if (IsMistake(answer[col][row], marks[col][row]))
                cells.push_back(CPoint{col, row});
        }
    }
    return cells;
}

int CountMistakes(const ColumnBuffer& answer, const ColumnBuffer& marks, int n) {
    int count = 0;
    for (int col = 0; col < n; ++col) {
        const std::int32_t* a = answer[col];
        const std::int32_t* m = marks[col];
        for (int row = 0; row < n; ++row) {
            if (IsMistake(a[row], m[row]))
                ++count;
        }
    }
    return count;
}

void DrawMistakeFrame(CDC& dc, int x0, int y0, int cellSize, COLORREF color) {
    const int c = cellSize;
    for (int i = 1; i <= c - 1; ++i) {
        for (int j = 1; j <= c - 1; ++j) {
            if (i < 3 || j < 3 || i > c - 3 || j > c - 3)
                dc.SetPixel(x0 + i, y0 + j, color);
        }
    }
}
