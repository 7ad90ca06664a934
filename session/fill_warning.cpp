#include "session/fill_warning.h"

#include <QCoreApplication>

namespace {

FillProblem ProblemOfCount(long long filled, long long cells) {
    if (cells <= 0)
        return FillProblem::kNone;
    if (filled == 0)
        return FillProblem::kEmpty;
    if (filled == cells)
        return FillProblem::kFull;
    // Under 5 % and over 90 %, compared in integers.
    if (filled * 100 < cells * 5)
        return FillProblem::kSparse;
    if (filled * 100 > cells * 90)
        return FillProblem::kDense;
    return FillProblem::kNone;
}

}  // namespace

FillProblem FillProblemOf(const Puzzle& puzzle) {
    long long filled = 0;
    for (const LineClue& row : puzzle.rows) {
        for (int run : row)
            filled += run;
    }
    return ProblemOfCount(filled, static_cast<long long>(puzzle.width) * puzzle.height);
}

bool MakesAPicture(const std::vector<std::uint8_t>& cells, int) {
    long long filled = 0;
    for (std::uint8_t cell : cells)
        filled += cell != 0;
    return ProblemOfCount(filled, static_cast<long long>(cells.size())) == FillProblem::kNone;
}

const char* FillProblemWord(FillProblem problem) {
    switch (problem) {
        case FillProblem::kEmpty:
            return "empty";
        case FillProblem::kFull:
            return "full";
        case FillProblem::kSparse:
            return "sparse";
        case FillProblem::kDense:
            return "dense";
        case FillProblem::kNone:
            break;
    }
    return "";
}

namespace {

QString ProblemText(FillProblem problem) {
    switch (problem) {
        case FillProblem::kEmpty:
            return QCoreApplication::translate("FillWarning", "塗るマスがありません");
        case FillProblem::kFull:
            return QCoreApplication::translate("FillWarning", "すべてのマスが塗られています");
        case FillProblem::kSparse:
            return QCoreApplication::translate("FillWarning", "塗るマスが 5 % 未満です");
        case FillProblem::kDense:
            return QCoreApplication::translate("FillWarning", "塗るマスが 90 % を超えています");
        case FillProblem::kNone:
            break;
    }
    return {};
}

}  // namespace

VerdictLabel WarnedVerdict(FillProblem problem, const VerdictLabel& verdict) {
    if (problem == FillProblem::kNone)
        return verdict;
    return {QCoreApplication::translate("FillWarning",
                                        "注意: %1。「自動」を試すか、範囲を動かしてください")
                .arg(ProblemText(problem)),
            QCoreApplication::translate("FillWarning",
                                        "これでは絵になりません。判定は「%1」ですが、"
                                        "明るさの範囲かブロック数を変えてください。")
                .arg(verdict.text)};
}
