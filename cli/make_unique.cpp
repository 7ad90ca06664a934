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
    SearchStart start{given.lower,
                      given.upper,
                      n,
                      session.Answer(),
                      analysed.CanvasWidth(),
                      analysed.CanvasHeight()};
    const std::vector<BlockLevels> levels =
        GatherBlockLevels(MakeLevelPlane(analysed.planes), SearchCounts(n));
    // The best suggestion that makes a picture: a few are asked for, as the rule of the
    // verdict pane is stricter than the search's own (neither empty nor full).
    BandSearchOptions options;
    options.maxSuggestions = 20;
    const BandSearchResult found = SearchBands(levels, start, options);
    const auto best =
        std::find_if(found.suggestions.begin(), found.suggestions.end(), [](const Suggestion& s) {
            return FillProblemOf(Puzzle::FromGrid(s.n, s.n, s.cells)) == FillProblem::kNone;
        });
    if (best == found.suggestions.end())
        return chosen;
    session.Analyze({best->lower, best->upper, BlockChoice::Square(best->n), given.crop});
    session.Judge();
    return {UniqueSettings::Outcome::Found, best->lower, best->upper, best->n};
}
