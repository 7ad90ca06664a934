// Judges puzzles off the user-interface thread: one judgement at a time, a new one cancels
// the one still running, and the result comes back as a signal on the thread that owns the
// judge.  Results of a cancelled judgement are never delivered.
#pragma once

#include <QObject>

#include "model/puzzle.h"
#include "session/background_task.h"
#include "solver/solver.h"

class VerdictJudge : public QObject {
    Q_OBJECT
public:
    explicit VerdictJudge(QObject* parent = nullptr);
    ~VerdictJudge() override;

    // Starts judging the puzzle, cancelling the judgement still running.
    void Judge(Puzzle puzzle, const SolveOptions& options = {});
    // Cancels the judgement still running; nothing is delivered for it.
    void Cancel();
    // True while a judgement runs or its result waits to be delivered.
    bool Busy() const { return m_task.Busy(); }
    // Waits until the judgement has finished and its result has been delivered (for tests
    // and the console); returns false when none was delivered within the time.
    bool WaitUntilDelivered(int milliseconds);

signals:
    void judged(const SolveResult& result);

private:
    BackgroundTask m_task{this};
};
