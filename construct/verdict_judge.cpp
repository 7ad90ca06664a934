#include "construct/verdict_judge.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <chrono>

VerdictJudge::VerdictJudge(QObject* parent) : QObject(parent) {
    qRegisterMetaType<SolveResult>("SolveResult");
}

VerdictJudge::~VerdictJudge() {
    Cancel();
}

void VerdictJudge::Cancel() {
    if (m_cancel)
        m_cancel->store(true);
    // The solver looks at the flag often, so the join is short.
    if (m_worker.joinable())
        m_worker.join();
    m_cancel.reset();
    ++m_generation;
    m_pending = false;
}

void VerdictJudge::Judge(Puzzle puzzle, const SolveOptions& options) {
    Cancel();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_pending = true;
    {
        std::lock_guard lock(m_mutex);
        m_bPosted = false;
    }
    const unsigned generation = m_generation;
    m_worker = std::thread([this, generation, cancel = m_cancel, options,
                            puzzle = std::move(puzzle)]() mutable {
        SolveOptions own = options;
        own.cancel = cancel.get();
        SolveResult result = Solve(puzzle, own);
        if (cancel->load())
            return;
        // Queued to this object: when the judge is destroyed first, the call is dropped with
        // its other pending events (the destructor joins this thread before that happens).
        QMetaObject::invokeMethod(
            this, [this, generation, result = std::move(result)]() mutable {
                Deliver(generation, std::move(result));
            },
            Qt::QueuedConnection);
        {
            std::lock_guard lock(m_mutex);
            m_bPosted = true;
        }
        m_posted.notify_all();
    });
}

void VerdictJudge::Deliver(unsigned generation, SolveResult result) {
    if (generation != m_generation)
        return;
    if (m_worker.joinable())
        m_worker.join();
    m_cancel.reset();
    m_pending = false;
    emit judged(result);
}

bool VerdictJudge::WaitUntilDelivered(int milliseconds) {
    if (!m_pending)
        return true;
    {
        std::unique_lock lock(m_mutex);
        if (!m_posted.wait_for(lock, std::chrono::milliseconds(milliseconds),
                               [this] { return m_bPosted; }))
            return false;
    }
    QCoreApplication::sendPostedEvents(this);
    return !m_pending;
}
