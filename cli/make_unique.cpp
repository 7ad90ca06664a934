#include "cli/make_unique.h"

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

UniqueSettings ChooseUniqueSettings(PuzzleSession& session) {
    const AnalysisSettings given = session.Settings();
    const int n = given.blocks.columns;
    UniqueSettings chosen{UniqueSettings::Outcome::None, given.lower, given.upper, n};
    const Verdict verdict = session.Judge().verdict;
    if (verdict == Verdict::Line || verdict == Verdict::Unique) {
        chosen.outcome = UniqueSettings::Outcome::Kept;
        return chosen;
    }
    const Picture& picture = session.GetPicture();
    SearchStart start{given.lower,      given.upper,           n,
                      session.Answer(), picture.CanvasWidth(), picture.CanvasHeight()};
    const std::vector<BlockLevels> levels =
        GatherBlockLevels(MakeLevelPlane(picture.planes), SearchCounts(n));
    BandSearchOptions options;
    options.maxSuggestions = 1;
    const BandSearchResult found = SearchBands(levels, start, options);
    if (found.suggestions.empty())
        return chosen;
    const Suggestion& best = found.suggestions.front();
    session.Analyze({best.lower, best.upper, BlockChoice::Square(best.n)});
    session.Judge();
    return {UniqueSettings::Outcome::Found, best.lower, best.upper, best.n};
}
