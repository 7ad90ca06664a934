// The solver against the oracle on one table of puzzle kinds: every grid up to 4 x 4 and every
// clue no such grid has, random small puzzles (fills, short runs, switches, clues swapped
// between rows) with each search method forced, larger generated kinds, and the 600 reference
// puzzles.  A verdict of several solutions carries its proof, two different solutions, which
// are checked; line, unique and none are checked against the oracle's count.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "formats/non_format.h"
#include "oracle.h"
#include "puzzlegen/puzzle_kinds.h"
#include "solver/solver.h"

namespace {

constexpr SearchMethod kMethods[] = {SearchMethod::Automatic, SearchMethod::Probing,
                                     SearchMethod::Learning};

// What the oracle knows of a puzzle: its solutions counted up to two, whether line logic alone
// settles it, and the cells plain probing leaves open (empty when probing finds no way).
struct Truth {
    Count count;
    bool lineAlone = false;
    std::vector<int> probed;
};

Truth Ask(const Puzzle& p, long nodeLimit = 1L << 40) {
    Truth t;
    std::vector<int> cells(p.CellCount(), -1);
    t.lineAlone = PlainLineLogic(p, cells) && std::count(cells.begin(), cells.end(), -1) == 0;
    t.probed.assign(p.CellCount(), -1);
    if (!PlainProbing(p, t.probed))
        t.probed.clear();
    t.count = CountSolutions(p, std::vector<int>(p.CellCount(), -1), 2, nodeLimit);
    return t;
}

void ExpectAgrees(const Puzzle& p, const SolveResult& r, const Truth& t) {
    ASSERT_FALSE(t.count.gaveUp);
    if (t.count.solutions == 0) {
        ASSERT_STREQ(VerdictWord(r.verdict), "none");
        ASSERT_EQ(r.difficulty, 0);
        return;
    }
    ASSERT_EQ(t.probed.size(), r.undecided.size());
    ASSERT_NO_FATAL_FAILURE(ExpectProof(p, r));
    for (std::size_t i = 0; i < t.probed.size(); ++i)
        ASSERT_EQ(r.undecided[i], t.probed[i] < 0) << "cell " << i;
    ASSERT_EQ(r.undecidedCount, std::count(r.undecided.begin(), r.undecided.end(), 1));
    if (t.count.solutions == 1) {
        ASSERT_STREQ(VerdictWord(r.verdict), t.lineAlone ? "line" : "unique");
        const int fewest = t.lineAlone ? 1 : r.undecidedCount == 0 ? 4 : 5;
        ASSERT_GE(r.difficulty, fewest);
        ASSERT_LE(r.difficulty, t.lineAlone ? 3 : fewest);
        return;
    }
    ASSERT_STREQ(VerdictWord(r.verdict), "multiple");
    ASSERT_EQ(r.difficulty, 0);
}

TEST(Kinds, EveryGridUpToFourByFourAndEveryClueNoneHas) {
    for (int w = 1; w <= 4; ++w) {
        for (int h = 1; h <= 4; ++h) {
            // The grids by their clues: how many share them, and the first.
            std::map<std::pair<std::vector<LineClue>, std::vector<LineClue>>, std::pair<int, Cells>>
                grids;
            std::set<LineClue> rowSet, columnSet;
            for (int bits = 0; bits < (1 << (w * h)); ++bits) {
                Cells cells(w * h);
                for (int i = 0; i < w * h; ++i)
                    cells[i] = (bits >> i) & 1;
                const Puzzle p = Puzzle::FromGrid(w, h, cells);
                auto& [count, first] = grids[{p.rows, p.columns}];
                if (count++ == 0)
                    first = cells;
                rowSet.insert(p.rows.begin(), p.rows.end());
                columnSet.insert(p.columns.begin(), p.columns.end());
            }
            for (const auto& [clues, grid] : grids) {
                Puzzle p = Puzzle::FromGrid(w, h, grid.second);
                SCOPED_TRACE(::testing::Message()
                             << w << "x" << h << " " << ::testing::PrintToString(grid.second));
                Truth t = Ask(p, 0);  // counted here, not by the oracle
                t.count = {std::min(grid.first, 2), false};
                for (bool withAnswer : {false, true}) {
                    p.answer = withAnswer ? grid.second : Cells{};
                    ExpectAgrees(p, Solve(p), t);
                }
            }
            if (w * h > 12)
                continue;  // every clue combination of larger grids takes too long
            const std::vector<LineClue> rowClues(rowSet.begin(), rowSet.end()),
                columnClues(columnSet.begin(), columnSet.end());
            long combos = 1;
            for (int i = 0; i < w + h; ++i)
                combos *= static_cast<long>((i < h ? rowClues : columnClues).size());
            for (long code = 0; code < combos; ++code) {
                Puzzle p;
                p.width = w, p.height = h;
                for (long i = 0, c = code; i < w + h; ++i) {
                    const auto& choices = i < h ? rowClues : columnClues;
                    (i < h ? p.rows : p.columns).push_back(choices[c % choices.size()]);
                    c /= static_cast<long>(choices.size());
                }
                if (!grids.contains({p.rows, p.columns})) {
                    ASSERT_EQ(Solve(p).verdict, Verdict::None) << w << "x" << h << " " << code;
                }
            }
        }
    }
}

// A kind of puzzle from a seed.
struct Kind {
    const char* name;
    int count;
    std::function<Puzzle(std::mt19937&)> make;
};

Puzzle Sized(std::mt19937& rng, const std::function<Cells(int, int)>& grid) {
    const int w = 5 + static_cast<int>(rng() % 6), h = 5 + static_cast<int>(rng() % 6);
    Puzzle p = Puzzle::FromGrid(w, h, grid(w, h));
    if (rng() % 2)
        p.answer.clear();
    return p;
}

std::vector<Kind> SmallKinds() {
    return {
        {"random fill", 300,
         [](std::mt19937& r) {
             const int percent = 35 + static_cast<int>(r() % 30);
             return Sized(r, [&](int w, int h) { return puzzlegen::RandomFill(w, h, percent, r); });
         }},
        {"short runs", 100,
         [](std::mt19937& r) {
             const int run = 1 + static_cast<int>(r() % 2);
             return Sized(r, [&](int w, int h) { return puzzlegen::ShortRuns(w, h, run, r); });
         }},
        {"switches", 100,
         [](std::mt19937& r) {
             return Sized(r, [&](int w, int h) { return puzzlegen::Switches(w, h, 1, r); });
         }},
        // Equal totals, but often no grid fits: a none only a search proves.
        {"two row clues swapped", 100,
         [](std::mt19937& r) {
             Puzzle p = Sized(r, [&](int w, int h) { return puzzlegen::RandomFill(w, h, 50, r); });
             std::swap(p.rows[0], p.rows[1 + r() % (p.height - 1)]);
             p.answer.clear();
             return p;
         }},
    };
}

// Each search method alone gives the oracle's verdicts: learned clauses never cut off a
// solution, and no search stops after the first one.
TEST(Kinds, SmallPuzzlesWithEverySearchMethod) {
    std::mt19937 rng(2024);
    int searched = 0, none = 0;
    for (const Kind& kind : SmallKinds()) {
        for (int i = 0; i < kind.count; ++i) {
            const Puzzle p = kind.make(rng);
            SCOPED_TRACE(::testing::Message() << kind.name << " #" << i);
            const Truth t = Ask(p);
            searched += !t.probed.empty() && std::count(t.probed.begin(), t.probed.end(), -1) > 0;
            none += t.count.solutions == 0;
            for (SearchMethod method : kMethods)
                ExpectAgrees(p, Solve(p, {60.0, nullptr, method}), t);
        }
    }
    EXPECT_GT(searched, 150);  // the searches had their share of the work
    EXPECT_GT(none, 20);
}

std::vector<Kind> LargeKinds() {
    auto grid = [](int w, int h, std::function<Cells(std::mt19937&)> make) {
        return [=](std::mt19937& r) { return Puzzle::FromGrid(w, h, make(r)); };
    };
    using namespace puzzlegen;
    return {
        {"random 25x25 at 50%", 6, grid(25, 25, [](auto& r) { return RandomFill(25, 25, 50, r); })},
        {"random 30x30 at 65%", 6, grid(30, 30, [](auto& r) { return RandomFill(30, 30, 65, r); })},
        {"short runs 16x16", 6, grid(16, 16, [](auto& r) { return ShortRuns(16, 16, 2, r); })},
        {"switches 40x40", 4, grid(40, 40, [](auto& r) { return Switches(40, 40, 3, r); })},
        {"permutation 30", 4, grid(30, 30, [](auto& r) { return Permutation(30, r); })},
        {"Sierpinski 64", 1, grid(64, 64, [](auto&) { return Sierpinski(64); })},
        {"Sierpinski 99", 1, grid(99, 99, [](auto&) { return Sierpinski(99); })},
        {"needs a search 20x20", 3,
         grid(20, 20, [](auto& r) { return NeedsSearch(20, 20, 50, 3000, r); })},
    };
}

TEST(Kinds, LargerKindsWithTheAutomaticAndTheLearningSearch) {
    std::mt19937 rng(99);
    for (const Kind& kind : LargeKinds()) {
        for (int i = 0; i < kind.count; ++i) {
            Puzzle p = kind.make(rng);
            ASSERT_GT(p.CellCount(), 0) << kind.name;
            const Cells answer = p.answer;
            p.answer.clear();
            SCOPED_TRACE(::testing::Message() << kind.name << " #" << i);
            for (SearchMethod method : {SearchMethod::Automatic, SearchMethod::Learning}) {
                const SolveResult r = Solve(p, {60.0, nullptr, method});
                ASSERT_NE(r.verdict, Verdict::Timeout);
                ASSERT_NO_FATAL_FAILURE(ExpectProof(p, r));
                if (r.verdict == Verdict::Multiple)
                    continue;  // its own proof
                const Count count =
                    CountSolutions(p, std::vector<int>(p.CellCount(), -1), 2, 200000);
                ASSERT_FALSE(count.gaveUp);
                ASSERT_EQ(count.solutions, 1);
                ASSERT_EQ(r.solution, answer);
            }
        }
    }
}

// The verdicts two independent solvers agree on, with the search methods forced too.
TEST(Kinds, ReferencePuzzles) {
    const std::string dir = std::string(NGM_TEST_DATA) + "/puzzles/";
    std::ifstream list(dir + "verdicts.tsv");
    ASSERT_TRUE(list) << dir;
    std::string line;
    std::getline(list, line);  // header
    int count = 0;
    std::set<int> grades;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        std::string file, expected;
        fields >> file >> expected;
        SCOPED_TRACE(file);
        const PuzzleReadResult read = ReadNonFile(dir + file);
        ASSERT_TRUE(read.ok) << read.line << ": " << read.error;
        const Puzzle& p = read.puzzle;
        for (SearchMethod method : kMethods) {
            const SolveResult r = Solve(p, {60.0, nullptr, method});
            ASSERT_EQ(VerdictWord(r.verdict), expected);
            ASSERT_NO_FATAL_FAILURE(ExpectProof(p, r));
            if (r.verdict != Verdict::Multiple)
                grades.insert(r.difficulty);
        }
        ++count;
    }
    EXPECT_EQ(count, 600);
    // Pictures of 5 to 20 cells a side span the grades of line logic and probing.
    EXPECT_EQ(grades, (std::set<int>{1, 2, 3, 4}));
}

}  // namespace
