#include "construct/verdict_judge.h"

VerdictJudge::VerdictJudge(QObject* parent) : QObject(parent) {
    qRegisterMetaType<SolveResult>("SolveResult");
}

VerdictJudge::~VerdictJudge() {
    Cancel();
}

void VerdictJudge::Cancel() {
    m_task.Cancel();
}

void VerdictJudge::Judge(Puzzle puzzle, const SolveOptions& options) {
    m_task.Start([this, options, puzzle = std::move(puzzle)](const BackgroundTask::Run& run) {
        SolveOptions own = options;
        own.cancel = run.CancelFlag();
        SolveResult result = Solve(puzzle, own);
        if (run.Cancelled())
            return;
        run.Finish([this, result = std::move(result)] { emit judged(result); });
    });
}

bool VerdictJudge::WaitUntilDelivered(int milliseconds) {
    return m_task.WaitUntilFinished(milliseconds);
}
