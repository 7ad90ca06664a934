#include "cli/make_unique.h"

#include "analysis/analysis.h"
#include "maker/band_search.h"
#include "maker/block_levels.h"
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

UniqueSettings ChooseUniqueSettings(const Picture& picture, int lower, int upper, int n,
                                    ColumnBuffer& binary) {
    UniqueSettings chosen{UniqueSettings::Outcome::None, lower, upper, n};
    const Puzzle given = Analyze(picture, {lower, upper, BlockChoice::Square(n)}, binary).puzzle;
    const Verdict verdict = Solve(given).verdict;
    if (verdict == Verdict::Line || verdict == Verdict::Unique) {
        chosen.outcome = UniqueSettings::Outcome::Kept;
        return chosen;
    }
    SearchStart start{lower, upper, n, given.answer, picture.CanvasWidth(), picture.CanvasHeight()};
    const std::vector<BlockLevels> levels =
        GatherBlockLevels(MakeLevelPlane(picture.planes), SearchCounts(n));
    BandSearchOptions options;
    options.maxSuggestions = 1;
    const BandSearchResult found = SearchBands(levels, start, options);
    if (found.suggestions.empty())
        return chosen;
    const Suggestion& best = found.suggestions.front();
    return {UniqueSettings::Outcome::Found, best.lower, best.upper, best.n};
}
