// One piece of work at a time off the owner's thread: a new start or a cancel stops the one
// running (it looks at its cancel flag) and waits for it, and whatever it posts comes back on
// the owner's thread, dropped once a newer start or a cancel came.  The verdict judge and the
// search for a unique puzzle both run this way.
#pragma once

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class BackgroundTask {
public:
    // What the work sees of its own run: its cancel flag, and the way back to the owner.
    class Run {
    public:
        const std::atomic<bool>* CancelFlag() const { return m_cancel.get(); }
        bool Cancelled() const { return m_cancel->load(); }
        // Queues deliver to the owner's thread.
        void Post(std::function<void()> deliver) const;
        // The last post: when deliver runs, the run has ended (Busy() is false).
        void Finish(std::function<void()> deliver) const;

    private:
        friend class BackgroundTask;
        BackgroundTask* m_task = nullptr;
        unsigned m_generation = 0;
        std::shared_ptr<std::atomic<bool>> m_cancel;
    };

    // Posts are queued to owner, which must outlive this task (a member of it does).
    explicit BackgroundTask(QObject* owner) : m_owner(owner) {}
    ~BackgroundTask() { Cancel(); }
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    // Runs work on a worker thread, cancelling the run before.
    void Start(std::function<void(const Run&)> work);
    // Stops the run still going; nothing more of it is delivered.
    void Cancel();
    // True from Start until the finishing post is delivered or the run is cancelled.
    bool Busy() const { return m_busy; }
    // Delivers what the run has posted once it has posted its finish (for tests and the
    // console); false when it has not within the time.
    bool WaitUntilFinished(int milliseconds);

private:
    void Post(unsigned generation, std::function<void()> deliver, bool last);

    QObject* m_owner;
    std::thread m_worker;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    // Set by the worker once its finish is posted, so that a waiter need not poll.
    std::mutex m_mutex;
    std::condition_variable m_posted;
    bool m_finishPosted = false;
    unsigned m_generation = 0;
    bool m_busy = false;
};
