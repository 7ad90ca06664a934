#include "maker/suggestion.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

FilledShare ShareOf(const std::vector<std::uint8_t>& cells) {
    FilledShare share;
    share.cells = static_cast<long>(cells.size());
    share.filled = static_cast<long>(
        std::count_if(cells.begin(), cells.end(), [](std::uint8_t c) { return c != 0; }));
    return share;
}

bool IsPicture(const FilledShare& share) {
    return share.filled > 0 && share.filled < share.cells;
}

bool ShareWithin(const FilledShare& share, const FilledShare& current) {
    if (share.cells <= 0 || current.cells <= 0)
        return false;
    // |filled / cells - filled0 / cells0| * 100 <= tolerance, multiplied out.
    const long long difference = std::llabs(static_cast<long long>(share.filled) * current.cells -
                                            static_cast<long long>(current.filled) * share.cells);
    return difference * 100 <=
           static_cast<long long>(kShareTolerance) * share.cells * current.cells;
}

namespace {

int VerdictRank(Verdict v) {
    switch (v) {
        case Verdict::Line:
            return 0;
        case Verdict::Unique:
            return 1;
        default:
            return 2;
    }
}

}  // namespace

bool RanksBefore(const Suggestion& a, const Suggestion& b, int currentN) {
    const auto key = [currentN](const Suggestion& s) {
        return std::make_tuple(!s.withinShare, VerdictRank(s.verdict), s.changedArea,
                               s.bandDistance, std::abs(s.n - currentN), s.difficulty,
                               s.undecidedCount, s.n, s.lower, s.upper);
    };
    const auto ka = key(a), kb = key(b);
    if (ka != kb)
        return ka < kb;
    return a.changed < b.changed;
}
