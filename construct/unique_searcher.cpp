#include "construct/unique_searcher.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <chrono>

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
    if (m_cancel)
        m_cancel->store(true);
    // The searches look at the flag between judgements, and each judgement looks at it too.
    if (m_worker.joinable())
        m_worker.join();
    m_cancel.reset();
    ++m_generation;
    m_bBusy = false;
}

void UniqueSearcher::Post(unsigned generation, std::function<void()> deliver) {
    // Queued to this object: when the searcher goes first, the call goes with its other
    // pending events (the destructor joins the worker before that).
    QMetaObject::invokeMethod(
        this,
        [this, generation, deliver = std::move(deliver)] {
            if (generation == m_generation)
                deliver();
        },
        Qt::QueuedConnection);
}

void UniqueSearcher::Start(LevelPlane plane, SearchStart start) {
    Cancel();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_bBusy = true;
    {
        std::lock_guard lock(m_mutex);
        m_bPosted = false;
    }
    const unsigned generation = m_generation;
    m_worker = std::thread(
        [this, generation, cancel = m_cancel, plane = std::move(plane), start = std::move(start)] {
            int shown = -1;
            const auto report = [&](int percent) {
                if (percent != shown) {
                    shown = percent;
                    Post(generation, [this, percent] { emit progress(percent); });
                }
            };
            const auto deliver = [&](const Suggestion& s) {
                Post(generation, [this, s] { emit found(s); });
            };

            UniqueSearchSummary summary;
            const std::vector<BlockLevels> levels = GatherBlockLevels(plane, SearchCounts(start.n));
            BandSearchOptions bandOptions;
            bandOptions.cancel = cancel.get();
            BandSearchEvents bandEvents;
            bandEvents.found = deliver;
            bandEvents.progress = [&](int done, int total) {
                report(total > 0 ? done * kBandPercent / total : 0);
            };
            summary.bands = SearchBands(levels, start, bandOptions, bandEvents);
            report(kBandPercent);

            if (!cancel->load()) {
                CellSearchOptions cellOptions;
                cellOptions.seconds = kCellSeconds;
                cellOptions.cancel = cancel.get();
                CellSearchEvents cellEvents;
                cellEvents.found = deliver;
                cellEvents.progress = [&](int changes) {
                    report(kBandPercent + (100 - kBandPercent) * (changes - 1) /
                                              std::max(1, cellOptions.maxChanges));
                };
                summary.cells = SearchCellChanges(start, cellOptions, cellEvents);
            }
            summary.cancelled = cancel->load();
            if (summary.cancelled)
                return;
            report(100);
            Post(generation, [this, summary = std::move(summary)] {
                if (m_worker.joinable())
                    m_worker.join();
                m_cancel.reset();
                m_bBusy = false;
                emit finished(summary);
            });
            {
                std::lock_guard lock(m_mutex);
                m_bPosted = true;
            }
            m_posted.notify_all();
        });
}

bool UniqueSearcher::WaitUntilFinished(int milliseconds) {
    if (!m_bBusy)
        return true;
    {
        std::unique_lock lock(m_mutex);
        if (!m_posted.wait_for(lock, std::chrono::milliseconds(milliseconds),
                               [this] { return m_bPosted; }))
            return false;
    }
    QCoreApplication::sendPostedEvents(this);
    return !m_bBusy;
}
