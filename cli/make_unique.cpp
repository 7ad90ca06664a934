#include "cli/make_unique.h"

#include "maker/band_search.h"
#include "maker/block_levels.h"
#include "session/colour_search.h"
#include "session/fill_warning.h"
#include "session/search_shape.h"
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
    const SearchShape shape = SearchShapeOf(analysed, given.blocks, session.Division());
    const LevelPlane plane = MakeLevelPlane(analysed.planes);
    const std::vector<BlockLevels> levels = shape.layouts.empty()
                                                ? GatherBlockLevels(plane, SearchCounts(n))
                                                : GatherBlockLevels(plane, shape.layouts);
    BandSearchOptions options;
    options.maxSuggestions = 1;
    options.accepts = MakesAPicture;
    options.currentDivision = shape.division;
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

UniqueSettings ChooseUniqueColours(PuzzleSession& session) {
    const AnalysisSettings given = session.Settings();
    UniqueSettings chosen{UniqueSettings::Outcome::None, given.lower, given.upper,
                          given.blocks.columns, given.colours};
    const Verdict verdict = session.Judge().verdict;
    const bool picture = FillProblemOf(session.GetPuzzle()) == FillProblem::kNone;
    if (picture && (verdict == Verdict::Line || verdict == Verdict::Unique)) {
        chosen.outcome = UniqueSettings::Outcome::Kept;
        return chosen;
    }
    ColourSearchOptions options;
    options.maxSuggestions = 1;
    options.accepts = MakesAPicture;
    const ColourSearchResult found = SearchColours(session.AnalysedPicture(), given, options);
    if (found.suggestions.empty())
        return chosen;
    const Suggestion& best = found.suggestions.front();
    AnalysisSettings settings = given;
    settings.colours = best.colours;
    if (!settings.blocks.custom)
        settings.blocks.columns = settings.blocks.rows = best.n;
    session.Analyze(settings);
    session.Judge();
    return {UniqueSettings::Outcome::Found, given.lower, given.upper, best.n, best.colours};
}
