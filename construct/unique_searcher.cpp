#include "construct/unique_searcher.h"

#include <algorithm>
#include <memory>

#include "session/fill_warning.h"

namespace {

// Shares of the progress bar: the bands, then the cell changes.
constexpr int kBandPercent = 80;

}  // namespace

UniqueSearcher::UniqueSearcher(QObject* parent) : QObject(parent) {
    qRegisterMetaType<Suggestion>("Suggestion");
    qRegisterMetaType<UniqueSearchSummary>("UniqueSearchSummary");
}

UniqueSearcher::~UniqueSearcher() {
    Cancel();
}

void UniqueSearcher::Cancel() {
    // The searches look at the flag between judgements, and each judgement looks at it too.
    m_task.Cancel();
}

void UniqueSearcher::Start(LevelPlane plane, SearchStart start, SearchShape shape) {
    m_task.Start([this, plane = std::move(plane), start = std::move(start),
                  shape = std::move(shape)](const BackgroundTask::Run& run) {
        Search(plane, start, shape, run);
    });
}

void UniqueSearcher::StartColour(Picture picture, AnalysisSettings settings, Puzzle puzzle, int n) {
    // The picture moves into the task (its planes cannot be shared with the window, which may
    // analyse again while the search runs).
    auto shared = std::make_shared<const Picture>(std::move(picture));
    m_task.Start(
        [this, shared, settings = std::move(settings), puzzle = std::move(puzzle),
         n](const BackgroundTask::Run& run) { SearchColour(*shared, settings, puzzle, n, run); });
}

void UniqueSearcher::SearchColour(const Picture& picture, const AnalysisSettings& settings,
                                  const Puzzle& puzzle, int n, const BackgroundTask::Run& run) {
    const auto deliver = [&](const Suggestion& s) { run.Post([this, s] { emit found(s); }); };
    const auto report = [&](int percent) { run.Post([this, percent] { emit progress(percent); }); };
    UniqueSearchSummary summary;
    ColourSearchOptions colourOptions;
    colourOptions.seconds = kColourSeconds;
    colourOptions.cancel = run.CancelFlag();
    colourOptions.accepts = MakesAPicture;
    ColourSearchEvents colourEvents;
    colourEvents.found = deliver;
    colourEvents.progress = [&](int done, int total) {
        report(total > 0 ? done * kBandPercent / total : 0);
    };
    summary.colours = SearchColours(picture, settings, colourOptions, colourEvents);
    if (!run.Cancelled()) {
        ColourCellSearchOptions options;
        options.seconds = kColourCellSeconds;
        options.n = n;
        options.cancel = run.CancelFlag();
        CellSearchEvents events;
        events.found = deliver;
        events.progress = [&](int round) {
            report(kBandPercent +
                   (100 - kBandPercent) * (round - 1) / std::max(1, options.maxChanges));
        };
        summary.cells = SearchColourCellChanges(puzzle, options, events);
    }
    summary.cancelled = run.Cancelled();
    if (summary.cancelled)
        return;
    report(100);
    run.Finish([this, summary = std::move(summary)] { emit finished(summary); });
}

void UniqueSearcher::Search(const LevelPlane& plane, const SearchStart& start,
                            const SearchShape& shape, const BackgroundTask::Run& run) {
    int shown = -1;
    const auto report = [&](int percent) {
        if (percent != shown) {
            shown = percent;
            run.Post([this, percent] { emit progress(percent); });
        }
    };
    const auto deliver = [&](const Suggestion& s) { run.Post([this, s] { emit found(s); }); };

    UniqueSearchSummary summary;
    const std::vector<BlockLevels> levels = shape.layouts.empty()
                                                ? GatherBlockLevels(plane, SearchCounts(start.n))
                                                : GatherBlockLevels(plane, shape.layouts);
    BandSearchOptions bandOptions;
    bandOptions.currentDivision = shape.division;
    bandOptions.cancel = run.CancelFlag();
    BandSearchEvents bandEvents;
    bandEvents.found = deliver;
    bandEvents.progress = [&](int done, int total) {
        report(total > 0 ? done * kBandPercent / total : 0);
    };
    summary.bands = SearchBands(levels, start, bandOptions, bandEvents);
    report(kBandPercent);

    // The cell changes are looked for on the blocks of the current puzzle, whatever its shape.
    if (!run.Cancelled()) {
        CellSearchOptions cellOptions;
        cellOptions.currentDivision = shape.division;
        cellOptions.seconds = kCellSeconds;
        cellOptions.cancel = run.CancelFlag();
        CellSearchEvents cellEvents;
        cellEvents.found = deliver;
        cellEvents.progress = [&](int changes) {
            report(kBandPercent +
                   (100 - kBandPercent) * (changes - 1) / std::max(1, cellOptions.maxChanges));
        };
        summary.cells = SearchCellChanges(start, cellOptions, cellEvents);
    }
    summary.cancelled = run.Cancelled();
    if (summary.cancelled)
        return;
    report(100);
    run.Finish([this, summary = std::move(summary)] { emit finished(summary); });
}

bool UniqueSearcher::WaitUntilFinished(int milliseconds) {
    return m_task.WaitUntilFinished(milliseconds);
}
