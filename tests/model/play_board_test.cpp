// The play board's rules: buttons on marks, strokes undone and redone whole, finished lines,
// the answer check against the answer or the clues, hints, and the document's board.
// The board layout: the grid's place for each size and cell size, the cell under a point, the
// clue slots and their numbers, the lines with their fifth-line accents, and the clue areas
// that grow with the longest clue while the square boards keep their layout.
#include "model/play_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <utility>

#include "../support/puzzles.h"
#include "model/board_layout.h"
#include "session/play_board_hint.h"
#include "solver/solver.h"

namespace {

// A colour puzzle from its rows: '.' background, '#' colour 1, digits the colours 1..8.
Puzzle ColourPuzzleOf(const std::vector<std::string>& rows) {
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    std::vector<std::uint8_t> cells;
    int colours = 2;
    for (const std::string& row : rows)
        for (char c : row) {
            const int colour = c == '.' ? 0 : c == '#' ? 1 : c - '0';
            cells.push_back(static_cast<std::uint8_t>(colour));
            colours = std::max(colours, colour);
        }
    std::vector<std::uint32_t> palette(static_cast<std::size_t>(colours) + 1);
    for (std::size_t k = 0; k < palette.size(); ++k)
        palette[k] = 0xffffffu - static_cast<std::uint32_t>(k) * 0x102030u;
    return Puzzle::FromColourGrid(w, h, cells, palette);
}

// Marks from rows: '.' blank, '#' filled, 'x' crossed, a digit 2..8 a fill of that colour (on a
// board of as many colours as the largest digit).
PlayBoard BoardOf(const std::vector<std::string>& rows) {
    int colours = 1;
    for (const std::string& row : rows)
        for (char c : row)
            colours = std::max(colours, std::isdigit(c) ? c - '0' : 1);
    PlayBoard board(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), colours);
    for (int r = 0; r < board.Height(); ++r) {
        for (int c = 0; c < board.Width(); ++c) {
            const char m = rows[r][c];
            if (m != '.')
                board.Apply(m == 'x' ? StrokeKind::Cross : StrokeKind::Fill, {c, r},
                            std::isdigit(m) ? m - '0' : 1);
        }
    }
    return board;
}

// The marks as BoardOf reads them, rows separated by '/'.
std::string MarksOf(const PlayBoard& board) {
    std::string s;
    for (int r = 0; r < board.Height(); ++r) {
        s += r > 0 ? "/" : "";
        for (int c = 0; c < board.Width(); ++c)
            s += ".#x2345678"[static_cast<int>(board.At({c, r}))];
    }
    return s;
}

std::string CellsOf(const std::vector<CellPos>& cells) {
    std::string s;
    for (const CellPos& c : cells)
        s += "(" + std::to_string(c.column) + "," + std::to_string(c.row) + ")";
    return s;
}

TEST(PlayBoard, EachButtonOnEachMark) {
    // Mark before, button (L left, R right, lower case with Ctrl), mark after: a fill covers
    // a cross and never toggles, Ctrl + left clears, the right button crosses with or without
    // Ctrl.
    for (const std::string t : {"xL#", "#L#", "#l.", "#Rx", ".rx"}) {
        PlayBoard board = BoardOf({"...", ".." + t.substr(0, 1)});
        const MouseButton button =
            std::toupper(t[1]) == 'L' ? MouseButton::Left : MouseButton::Right;
        const auto change = board.Apply(StrokeOf(button, std::islower(t[1])), {2, 1});
        EXPECT_EQ(MarksOf(board), ".../.." + t.substr(2)) << t;  // only that cell changed
        EXPECT_EQ(change.has_value(), t[0] != t[2]) << t;
    }
}

// Scripts on a board of 5 x 1 of three colours: "[" press, "]" release, f/x/c + cell a fill
// (of colour 1), cross or clear, 2/3 + cell a fill of that colour, "u" undo, "r" redo, "k"
// answer check, "n" retry.
TEST(PlayBoard, StrokesAreUndoneAndRedoneWhole) {
    const struct {
        const char* script;
        const char* after;
    } cases[] = {
        {"[ f0 f1 f2 ] u", "....."},                // a drag goes back as one step
        {"[ f0 f1 ] u [ f4 ] r", "....#"},          // a new change forgets what was undone
        {"[ f0 ] [ f0 ] u", "....."},               // a stroke that changed nothing is no step
        {"[ x0 ] [ f0 c0 f1 ] u", "x...."},         // a cell changed twice gets its first mark
        {"f0 f1 ] f2 u", "##..."},                  // steps outside a press make a stroke
        {"[ x4 ] [ f0 f1 u f2 ] u", "....x"},       // undo ends the stroke it falls in
        {"[ f0 ] k u r [ f1 ] x2", "#...."},        // a checked board takes no change
        {"[ f0 ] [ f1 ] u k n r [ f2 ]", "..#.."},  // a new game forgets the history and the check
        {"[ f0 x1 ] k R f2", "..#.."},              // restart blanks the board, ends the check
        {"[ f0 ] [ x1 ] R u", "#x..."},             // and is one step that undo takes back
        {"[ f0 ] [ x1 ] R u u", "#...."},           // after the steps before it
        {"[ f0 ] u u u r r r", "#...."},            // nothing to walk to: nothing happens
        {"[ 20 21 ] [ 31 32 f3 ] u", "22..."},      // another colour replaces a fill, undone
        {"[ 20 ] [ 30 ] [ 20 ] u u", "2...."},      // each colour comes back in turn
        {"[ 20 20 x1 31 ] u r", "23..."},           // the same colour is no change
        {"[ 20 30 c1 ] [ 34 ] u r R u", "3...3"},   // a colour's cell changed twice, restart
    };
    using Op = std::function<void(PlayBoard&, CellPos)>;
    const std::map<char, Op> ops = {
        {'[', [](PlayBoard& b, CellPos) { b.BeginStroke(); }},
        {']', [](PlayBoard& b, CellPos) { b.EndStroke(); }},
        {'f', [](PlayBoard& b, CellPos c) { b.Apply(StrokeKind::Fill, c); }},
        {'x', [](PlayBoard& b, CellPos c) { b.Apply(StrokeKind::Cross, c); }},
        {'c', [](PlayBoard& b, CellPos c) { b.Apply(StrokeKind::Clear, c); }},
        {'2', [](PlayBoard& b, CellPos c) { b.Apply(StrokeKind::Fill, c, 2); }},
        {'3', [](PlayBoard& b, CellPos c) { b.Apply(StrokeKind::Fill, c, 3); }},
        {'u', [](PlayBoard& b, CellPos) { b.Undo(); }},
        {'r', [](PlayBoard& b, CellPos) { b.Redo(); }},
        {'k', [](PlayBoard& b, CellPos) { b.SetChecked(); }},
        {'n', [](PlayBoard& b, CellPos) { b.Clear(); }},
        {'R', [](PlayBoard& b, CellPos) { b.Restart(); }},
    };
    for (const auto& t : cases) {
        PlayBoard board(5, 1, 3);
        std::istringstream in(t.script);
        for (std::string op; in >> op;)
            ops.at(op[0])(board, {op.size() > 1 ? op[1] - '0' : 0, 0});
        EXPECT_EQ(MarksOf(board), t.after) << t.script;
    }
}

// A drag's path between two cells: one cell per step along the longer side, nothing skipped.
TEST(PlayBoard, CellsOnLine) {
    EXPECT_EQ(CellsOf(CellsOnLine({2, 3}, {2, 3})), "(2,3)");
    EXPECT_EQ(CellsOf(CellsOnLine({0, 0}, {4, 0})), "(0,0)(1,0)(2,0)(3,0)(4,0)");
    EXPECT_EQ(CellsOf(CellsOnLine({1, 3}, {1, 0})), "(1,3)(1,2)(1,1)(1,0)");
    EXPECT_EQ(CellsOf(CellsOnLine({0, 0}, {4, 2})), "(0,0)(1,1)(2,1)(3,2)(4,2)");
    EXPECT_EQ(CellsOf(CellsOnLine({3, 3}, {0, 0})), "(3,3)(2,2)(1,1)(0,0)");
    EXPECT_EQ(CellsOf(CellsOnLine({-1, 5}, {1, -1})),  // steep, off the board
              "(-1,5)(-1,4)(0,3)(0,2)(0,1)(1,0)(1,-1)");
}

// A drag takes the axis of its first step off the start cell (the longer side, the row on a
// tie) and then holds every pointer cell on the start's row or column.
TEST(PlayBoard, DragKeepsToItsLine) {
    const CellPos start{3, 4};
    EXPECT_EQ(DragAxisOf(start, start), std::nullopt);
    EXPECT_EQ(DragAxisOf(start, {5, 4}), DragAxis::Row);
    EXPECT_EQ(DragAxisOf(start, {3, 2}), DragAxis::Column);
    EXPECT_EQ(DragAxisOf(start, {6, 2}), DragAxis::Row);     // diagonal, wider
    EXPECT_EQ(DragAxisOf(start, {2, 7}), DragAxis::Column);  // diagonal, taller
    EXPECT_EQ(DragAxisOf(start, {2, 5}), DragAxis::Row);     // a tie
    EXPECT_EQ(CellsOf({OnDragLine(start, DragAxis::Row, {7, 5}),
                       OnDragLine(start, DragAxis::Row, {-2, 3}),
                       OnDragLine(start, DragAxis::Column, {2, 9}),
                       OnDragLine(start, DragAxis::Column, {4, -1})}),
              "(7,4)(-2,4)(3,9)(3,-1)");
}

// A line is finished while its fills form its clue exactly, in the runs' colours on a colour
// puzzle, where two colours touching are two runs.
TEST(PlayBoard, FinishedLines) {
    const struct {
        LineClue clue;
        const char* marks;
        bool finished;
        LineColours colours = {};
    } cases[] = {
        {{}, ".....", true},
        {{}, "..#..", false},
        {{5}, "#####", true},
        {{1, 2}, ".#x##", true},
        {{1, 2}, "##.#.", false},
        {{1, 2}, "#....", false},
        {{1, 1}, "#.#.#", false},  // a run too many
        {{1, 2}, "2x##.", true, {2, 1}},
        {{1, 2}, "#x##.", false, {2, 1}},
        {{1, 2}, "#22..", true, {1, 2}},
        {{3}, "#22..", false, {1}},
        {{2}, "..22.", true, {2}},
        {{2, 1}, "..223", false, {2, 2}},
        {{}, "....2", false, {}},
    };
    for (const auto& t : cases) {
        Puzzle puzzle = ColourPuzzleOf({"...3."});
        if (t.colours.empty() && std::string(t.marks).find('2') == std::string::npos)
            puzzle = PuzzleOf({"....."});
        puzzle.rows = {t.clue};
        if (puzzle.IsColour())
            puzzle.rowColours = {t.colours};
        EXPECT_EQ(BoardOf({t.marks}).FormsClue(puzzle, {false, 0}), t.finished) << t.marks;
    }
}

// A board whose fills form every clue is solved, with a note when it is not the answer; any
// other board is wrong where it disagrees with the answer (a cross counts as blank), or, for a
// puzzle read with its clues only, where a wrong row crosses a wrong column (along the wrong
// lines when they run one way only).  Mistakes() compares with the answer whatever the clues.
TEST(PlayBoard, TheAnswerCheckAcceptsEverySolutionOfTheClues) {
    const Puzzle wide = PuzzleOf({"##...", "....#", "#...."});
    const Puzzle diagonal = PuzzleOf({"#..", ".#.", "..#"});  // the other diagonals fit too
    Puzzle cluesOnly = PuzzleOf({"#..", ".#.", "..."});       // either diagonal of 2 x 2 fits
    cluesOnly.answer.clear();
    const Puzzle colour = ColourPuzzleOf({"#2.", ".2."});
    Puzzle colourClues = colour;
    colourClues.answer.clear();
    const struct {
        const Puzzle& puzzle;
        std::vector<std::string> marks;
        const char* mistakes;
        bool solved, other;
    } cases[] = {
        {wide, {"##xxx", "xxxx#", "#xxxx"}, "", true, false},
        {wide, {"#x..#", "#...#", "x...."}, "(1,0)(4,0)(0,1)(0,2)", false, false},
        {wide, {"#.", ".."}, "", false, false},  // a board of another size: nothing compared
        {diagonal, {".#x", "x.#", "#.."}, "(0,0)(1,0)(1,1)(2,1)(0,2)(2,2)", true, true},
        {cluesOnly, {".#.", "#..", "..."}, "", true, false},
        {cluesOnly, {"#..", ".#.", "..#"}, "(2,2)", false, false},
        {cluesOnly, {"##.", "...", "..."}, "(0,0)(1,0)(2,0)(0,1)(1,1)(2,1)", false, false},
        {cluesOnly, {"#..", "#..", "..."}, "(0,0)(1,0)(0,1)(1,1)(0,2)(1,2)", false, false},
        {colour, {"#2x", "x2x"}, "", true, false},
        {colour, {"22x", "x#x"}, "(0,0)(1,1)", false, false},  // fills of the wrong colour
        {colour, {"2#.", ".2."}, "(0,0)(1,0)", false, false},
        {colourClues, {"2#.", ".2."}, "(0,0)(1,0)", false, false},
        {colourClues, {"#2.", ".22"}, "(2,1)", false, false},
    };
    for (const auto& t : cases) {
        const PlayBoard board = BoardOf(t.marks);
        SCOPED_TRACE(MarksOf(board));
        const AnswerCheck check = board.Check(t.puzzle);
        EXPECT_EQ(CellsOf(board.Mistakes(t.puzzle)), t.mistakes);
        EXPECT_EQ(check.solved, t.solved);
        EXPECT_EQ(check.otherSolution, t.other);
        EXPECT_EQ(CellsOf(check.mistakes), t.solved ? "" : t.mistakes);
    }
}

// Hints on puzzles from random pictures (black and white, then of two to four colours),
// followed to the end from a blank board: each fills or crosses a blank cell whose every other
// mark line logic refutes, so it follows from the marks; the puzzles line logic solves are
// solved by hints alone.
TEST(PlayHint, EveryHintFollowsFromTheMarksByLineLogic) {
    std::mt19937 random(13);
    int solvedByHints = 0;
    for (int k = 0; k < 30; ++k) {
        const int w = 5 + k % 4 * 5, h = k < 20 || k >= 24 ? w : 30;  // 5 .. 20 square, 20 x 30
        const int colours = k < 24 ? 1 : 2 + k % 3;
        std::vector<std::uint8_t> cells(static_cast<std::size_t>(w) * h);
        for (auto& cell : cells)
            cell = random() % 100 < 60 ? static_cast<std::uint8_t>(1 + random() % colours) : 0;
        const Puzzle puzzle =
            colours == 1 ? Puzzle::FromGrid(w, h, cells)
                         : Puzzle::FromColourGrid(
                               w, h, cells, std::vector<std::uint32_t>(colours + 1, 0x808080u));
        PlayBoard board(w, h, colours);
        int hints = 0;
        CellPos near{};
        while (const std::optional<PlayHint> hint = FindHint(board, puzzle, near)) {
            ASSERT_NE(hint->kind, PlayHint::Kind::WrongMark) << k;
            ASSERT_EQ(board.At(hint->cell), Mark::Blank) << k;
            const bool fill = hint->kind == PlayHint::Kind::Fill;
            // Every other mark contradicts the marks by line logic.
            std::vector<std::int8_t> grid(cells.size(), -1);
            for (int i = 0; i < w * h; ++i)
                if (board.At({i % w, i / w}) != Mark::Blank)
                    grid[i] = static_cast<std::int8_t>(FillColour(board.At({i % w, i / w})));
            for (int other = 0; other <= colours; ++other) {
                if (other == (fill ? hint->colour : 0))
                    continue;
                grid[static_cast<std::size_t>(hint->cell.row) * w + hint->cell.column] =
                    static_cast<std::int8_t>(other);
                ASSERT_TRUE(ApplyLineLogic(puzzle, grid).contradiction) << k << " hint " << hints;
            }
            board.Apply(fill ? StrokeKind::Fill : StrokeKind::Cross, hint->cell, hint->colour);
            near = hint->cell;
            ++hints;
        }
        const bool lineSolvable = Solve(puzzle).verdict == Verdict::Line;
        EXPECT_EQ(board.Check(puzzle).solved, lineSolvable) << k;
        EXPECT_EQ(hints == w * h, lineSolvable) << k;
        solvedByHints += lineSolvable;
    }
    EXPECT_GT(solvedByHints, 15);  // the property is checked on solved boards too
}

// A mark against the answer is pointed at before anything is deduced, the one nearest the
// player's cell first; of the cells line logic decides, the nearest wins too, the first row by
// row on a tie.  With two solutions and no marks nothing follows.
TEST(PlayHint, WrongMarksFirstAndNearestToThePlayer) {
    using Kind = PlayHint::Kind;
    const Puzzle stripes = PuzzleOf({"###", "...", "###"});
    const Puzzle twoWays = PuzzleOf({"#.", ".#"});
    const Puzzle colour = ColourPuzzleOf({"#2", "3."});
    const struct {
        const Puzzle& puzzle;
        std::vector<std::string> marks;
        CellPos near;
        std::optional<PlayHint> hint;
    } cases[] = {
        {stripes, {"...", "...", "..."}, {1, 2}, PlayHint{Kind::Fill, {1, 2}}},
        {stripes, {"###", "x..", "..."}, {0, 1}, PlayHint{Kind::Cross, {1, 1}}},  // a tie
        {stripes, {"#x#", "...", "..#"}, {2, 2}, PlayHint{Kind::WrongMark, {1, 0}}},
        {stripes, {"...", "x#.", "x.."}, {0, 2}, PlayHint{Kind::WrongMark, {0, 2}}},
        {twoWays, {"..", ".."}, {}, std::nullopt},
        {colour, {"#3", ".."}, {0, 0}, PlayHint{Kind::WrongMark, {1, 0}}},  // another colour
        {colour, {"#.", "x."}, {0, 1}, PlayHint{Kind::WrongMark, {0, 1}}},
        {colour, {"#2", ".."}, {0, 1}, PlayHint{Kind::Fill, {0, 1}, 3}},
        {colour, {"#2", "3."}, {0, 1}, PlayHint{Kind::Cross, {1, 1}}},
    };
    for (const auto& t : cases) {
        const PlayBoard board = BoardOf(t.marks);
        EXPECT_EQ(FindHint(board, t.puzzle, t.near), t.hint) << MarksOf(board);
    }
}

// The grid's outer lines belong to no cell; an inner line to the cell right of it or below it.
// A wide board takes its left margin from the width and its top one from the height.
TEST(BoardLayout, CellAtPoint) {
    const BoardLayout five(5, 5, 20);  // grid x 50..150, y 70..170
    const BoardLayout wide(7, 3, 20);  // grid x 70..210, y 50..110
    const struct {
        const BoardLayout& layout;
        CPoint p;
        int column, row;  // -1: no cell
    } cases[] = {
        {five, {50, 79}, -1, 0},   {five, {51, 79}, 0, 0},    {five, {70, 79}, 1, 0},
        {five, {59, 70}, -1, 0},   {five, {59, 90}, 0, 1},    {wide, {209, 109}, 6, 2},
        {wide, {210, 100}, -1, 0}, {wide, {150, 110}, -1, 0},
    };
    for (const auto& t : cases) {
        const std::optional<CellPos> cell = t.layout.CellAt(t.p);
        const auto expected = t.column < 0 ? std::nullopt : std::optional(CellPos{t.column, t.row});
        EXPECT_EQ(cell, expected) << t.p.x << "," << t.p.y;
    }
}

TEST(BoardLayout, CluePositions) {
    const struct {
        bool column;
        int columns, rows, cell, line, slot, number;
        CPoint expected;
    } cases[] = {
        // Panel, N = 5, L/2 = 17: column slots go up from y = 17, single digits move in by 2.
        {true, 5, 5, 7, 0, 0, 1, {19, 17}},
        // Row slots go left from x = L/2 - c: the third starts at -2.
        {false, 5, 5, 7, 4, 2, 1, {-2, 52}},
        // N = 20, L/2 = 70: 10 and 20 are not shifted.
        {false, 20, 20, 7, 0, 0, 20, {63, 77}},
        // Width and height each place their own clues on a board that is not square.
        {true, 7, 3, 20, 6, 0, 3, {196, 30}},
        {false, 7, 3, 20, 2, 3, 1, {-4, 90}},
    };
    for (const auto& t : cases) {
        const BoardLayout l(t.columns, t.rows, t.cell);
        const CPoint p = t.column ? l.ColumnCluePosition(t.line, t.slot, t.number)
                                  : l.RowCluePosition(t.line, t.slot, t.number);
        EXPECT_EQ(p, t.expected) << (t.column ? "column " : "row ") << t.line << " slot " << t.slot
                                 << " of " << t.columns << "x" << t.rows << " c " << t.cell;
    }
}

// The runs of a line from the far end: column 0 of a grid reading 1, 1, 0, 1, 0 from the top
// has its lower run in slot 0.
TEST(BoardLayout, ClueSlotsFromTheFarEnd) {
    const std::uint8_t column[] = {1, 1, 0, 1, 0};
    EXPECT_EQ(ClueSlots(RunsOf(column, 5)), (std::vector<int>{1, 2}));
    EXPECT_EQ(ClueSlots({}), (std::vector<int>{0}));
}

// The lines run across the clue areas; every fifth one inside the grid is an accent, never an
// outer edge (here at 10 rows and 15 columns).
TEST(BoardLayout, LinesCrossTheClueAreasWithAnAccentEveryFifthCell) {
    const BoardLayout l(15, 10, 20);  // grid x 150..450, y 120..320
    const std::vector<BoardLayout::Line> lines = l.Lines();
    std::string fifths;
    for (const BoardLayout::Line& line : lines)
        fifths += line.fifth ? 'F' : '.';
    // The rows from the top, then the columns from the left.
    EXPECT_EQ(fifths, ".....F..........F....F.....");
    EXPECT_EQ(lines.front(), (BoardLayout::Line{{0, 120}, {450, 120}, false}));
    EXPECT_EQ(lines.back(), (BoardLayout::Line{{450, 0}, {450, 320}, false}));
}

// A w x h puzzle whose rows and columns alternate filled and blank cells as often as they can,
// so that its clues are as long as clues get.
TEST(BoardLayout, ClueAreasGrowWithTheLongestClueButSquareBoardsStayAsTheyWere) {
    // Square boards up to 20 cells keep their layout whatever the clues (at 7 cells a side the
    // longest row clue needs exactly the room they always had).
    for (int n : {7, 20}) {
        for (int cell : {7, 20}) {
            const BoardLayout grown = BoardLayout::ForPuzzle(Checkered(n, n), cell),
                              plain(n, n, cell);
            EXPECT_EQ(std::pair(grown.GridLeft(), grown.GridTop()),
                      std::pair(plain.GridLeft(), plain.GridTop()))
                << n << " " << cell;
        }
    }
    // Off the square, or beyond 20 cells a side, every slot of the longest clues lies inside
    // the board.
    for (auto [w, h] : {std::pair{3, 40}, {99, 1}, {21, 21}}) {
        const Puzzle p = Checkered(w, h);
        const BoardLayout layout = BoardLayout::ForPuzzle(p, 20);
        for (int j = 0; j < h; ++j) {
            const int last = static_cast<int>(ClueSlots(p.rows[j]).size()) - 1;
            EXPECT_GE(layout.RowCluePosition(j, last, 10).x, 0) << w << "x" << h;
        }
        for (int i = 0; i < w; ++i) {
            const int last = static_cast<int>(ClueSlots(p.columns[i]).size()) - 1;
            EXPECT_GE(layout.ColumnCluePosition(i, last, 10).y, 0) << w << "x" << h;
        }
    }
}

}  // namespace
