// The solver's verdict in the words of the status bar: a short line and a sentence that says
// what the verdict means for a player.
#pragma once

#include <QString>

#include "solver/solver.h"

struct VerdictLabel {
    QString text;
    QString toolTip;
};

VerdictLabel DescribeVerdict(const SolveResult& result);
