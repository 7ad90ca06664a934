#include "cli/make_unique.h"

#include "maker/band_search.h"
#include "maker/block_levels.h"
#include "session/fill_warning.h"
#include "solver/solver.h"

const char* UniqueOutcomeWord(UniqueSettings::Outcome outcome) {
    switch (outcome) {
        case UniqueSettings::Outcome::Kept:
            return "kept";
        case UniqueSettings::Outcome::Found:
            return "found";
        case UniqueSettings::Outcome::None:
            break;
    }
    return "none";
}

namespace {

// The layouts the search looks at for the blocks given: the block counts of the window's
// search on the square canvas, or fitted to the picture; a custom grid alone.
std::vector<BlockLayout> SearchLayouts(const Picture& picture, const BlockChoice& blocks) {
    std::vector<BlockLayout> layouts;
    if (blocks.custom) {
        layouts.push_back(BlockLayout::OfDivision(blocks.columns, DivisionOf(picture, blocks)));
        return layouts;
    }
    for (int count : SearchCounts(blocks.columns)) {
        const BlockDivision division = DivisionOf(picture, {count, count, false, blocks.fit});
        if (!division.IsEmpty())
            layouts.push_back(BlockLayout::OfDivision(count, division));
    }
    return layouts;
}

}  // namespace

UniqueSettings ChooseUniqueSettings(PuzzleSession& session) {
    const AnalysisSettings given = session.Settings();
    const int n = given.blocks.columns;
    UniqueSettings chosen{UniqueSettings::Outcome::None, given.lower, given.upper, n};
    const Verdict verdict = session.Judge().verdict;
    const bool picture = FillProblemOf(session.GetPuzzle()) == FillProblem::kNone;
    if (picture && (verdict == Verdict::Line || verdict == Verdict::Unique)) {
        chosen.outcome = UniqueSettings::Outcome::Kept;
        return chosen;
    }
    const Picture& analysed = session.AnalysedPicture();
    SearchStart start;
    start.lower = given.lower;
    start.upper = given.upper;
    start.n = n;
    start.answer = session.Answer();
    start.width = analysed.CanvasWidth();
    start.height = analysed.CanvasHeight();
    const std::vector<BlockLevels> levels =
        GatherBlockLevels(MakeLevelPlane(analysed.planes), SearchLayouts(analysed, given.blocks));
    BandSearchOptions options;
    options.maxSuggestions = 1;
    options.accepts = MakesAPicture;
    options.currentDivision = session.Division();
    const BandSearchResult found = SearchBands(levels, start, options);
    if (found.suggestions.empty())
        return chosen;
    const Suggestion& best = found.suggestions.front();
    BlockChoice blocks = given.blocks;
    if (!blocks.custom)
        blocks.columns = blocks.rows = best.n;
    session.Analyze({best.lower, best.upper, blocks, given.crop});
    session.Judge();
    return {UniqueSettings::Outcome::Found, best.lower, best.upper, best.n};
}
