#include "session/background_task.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <chrono>

void BackgroundTask::Run::Post(std::function<void()> deliver) const {
    m_task->Post(m_generation, std::move(deliver), false);
}

void BackgroundTask::Run::Finish(std::function<void()> deliver) const {
    m_task->Post(m_generation, std::move(deliver), true);
}

void BackgroundTask::Cancel() {
    if (m_cancel)
        m_cancel->store(true);
    // The work looks at the flag often, so the join is short.
    if (m_worker.joinable())
        m_worker.join();
    m_cancel.reset();
    ++m_generation;
    m_busy = false;
}

void BackgroundTask::Start(std::function<void(const Run&)> work) {
    Cancel();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_busy = true;
    {
        std::lock_guard lock(m_mutex);
        m_finishPosted = false;
    }
    Run run;
    run.m_task = this;
    run.m_generation = m_generation;
    run.m_cancel = m_cancel;
    m_worker = std::thread([run = std::move(run), work = std::move(work)] { work(run); });
}

void BackgroundTask::Post(unsigned generation, std::function<void()> deliver, bool last) {
    // Queued to the owner: when it goes first, the call goes with its other pending events
    // (this task, a part of it, joins the worker before that).
    QMetaObject::invokeMethod(
        m_owner,
        [this, generation, last, deliver = std::move(deliver)] {
            if (generation != m_generation)
                return;
            if (last) {
                if (m_worker.joinable())
                    m_worker.join();
                m_cancel.reset();
                m_busy = false;
            }
            deliver();
        },
        Qt::QueuedConnection);
    if (!last)
        return;
    {
        std::lock_guard lock(m_mutex);
        m_finishPosted = true;
    }
    m_posted.notify_all();
}

bool BackgroundTask::WaitUntilFinished(int milliseconds) {
    if (!m_busy)
        return true;
    {
        std::unique_lock lock(m_mutex);
        if (!m_posted.wait_for(lock, std::chrono::milliseconds(milliseconds),
                               [this] { return m_finishPosted; }))
            return false;
    }
    QCoreApplication::sendPostedEvents(m_owner);
    return !m_busy;
}
