// Runs the search for a puzzle with exactly one solution off the user-interface thread: the
// bands and block counts (for a colour puzzle the colour counts and block counts) first, then
// the fewest cell changes.  Suggestions, progress and the
// end of the search come back as signals on the thread that owns the searcher, as they are
// found; a new search or a cancel stops the one running, and nothing of it arrives after that.
#pragma once

#include <QMetaType>
#include <QObject>

#include "maker/band_search.h"
#include "maker/block_levels.h"
#include "maker/cell_search.h"
#include "maker/colour_cell_search.h"
#include "session/background_task.h"
#include "session/colour_search.h"
#include "session/search_shape.h"

// How the two searches ended.
struct UniqueSearchSummary {
    BandSearchResult bands;
    CellSearchResult cells;
    ColourSearchResult colours;  // a colour puzzle's, instead of the bands
    bool cancelled = false;
};

class UniqueSearcher : public QObject {
    Q_OBJECT
public:
    // Time the search for cell changes may take; a colour puzzle's, which has only that one.
    static constexpr double kCellSeconds = 0.45;
    static constexpr double kColourCellSeconds = 2.0;
    // Time the search over colour counts and block counts may take.
    static constexpr double kColourSeconds = 10.0;

    explicit UniqueSearcher(QObject* parent = nullptr);
    ~UniqueSearcher() override;

    // Starts searching from the picture's gray levels and the current puzzle, stopping the
    // search still running.
    // shape: the grids to look over (SearchShapeOf); empty, those of the square canvas.
    void Start(LevelPlane plane, SearchStart start, SearchShape shape = {});
    // Starts the searches of a colour puzzle: its colour counts and block counts over the
    // picture its analysis reads, with the settings it was made with (SearchColours), then its
    // cell changes (SearchColourCellChanges), the suggestions given block count n.
    void StartColour(Picture picture, AnalysisSettings settings, Puzzle puzzle, int n);
    // Stops the search still running; nothing more is delivered for it.
    void Cancel();
    // True from Start until `finished` is delivered or the search is cancelled.
    bool Busy() const { return m_task.Busy(); }
    // Delivers what the running search has posted until it has finished (for tests); false
    // when it has not finished within the time.
    bool WaitUntilFinished(int milliseconds);

signals:
    void found(const Suggestion& suggestion);
    // 0..100.
    void progress(int percent);
    void finished(const UniqueSearchSummary& summary);

private:
    // The two searches, on the worker thread.
    void Search(const LevelPlane& plane, const SearchStart& start, const SearchShape& shape,
                const BackgroundTask::Run& run);
    void SearchColour(const Picture& picture, const AnalysisSettings& settings,
                      const Puzzle& puzzle, int n, const BackgroundTask::Run& run);

    BackgroundTask m_task{this};
};

Q_DECLARE_METATYPE(Suggestion)
Q_DECLARE_METATYPE(UniqueSearchSummary)
