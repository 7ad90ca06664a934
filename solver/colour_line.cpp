#include "solver/colour_line.h"

#include <algorithm>

bool ColourLineSolver::AllAllow(int c, int from, int to) const {
    const std::vector<int>& refusing = refusing_[c];
    return refusing[to] - refusing[from] == 0;
}

void ColourLineSolver::Tables(const LineClue& lengths, const LineColours& colours, int n) {
    const int k = static_cast<int>(lengths.size());
    width_ = n + 2;
    const std::size_t size = static_cast<std::size_t>(k + 2) * width_;
    for (auto* table : {&e_, &r_, &be_, &br_})
        table->assign(size, 0);
    const auto at = [this](std::vector<std::uint8_t>& t, int j, int i) -> std::uint8_t& {
        return t[static_cast<std::size_t>(j) * width_ + i];
    };
    const auto bg = [this](int i) { return (line_[i] & 1) != 0; };
    // Runs 1..j before cell i.  A run may follow the one before it at once only when their
    // colours differ.
    at(e_, 0, 0) = 1;
    for (int i = 1; i <= n; ++i)
        at(e_, 0, i) = at(e_, 0, i - 1) && bg(i - 1);
    for (int j = 1; j <= k; ++j) {
        const int len = lengths[j - 1], c = colours[j - 1];
        const bool touch = j >= 2 && colours[j - 2] != c;
        for (int i = 0; i <= n; ++i) {
            if (i >= 1)
                at(e_, j, i) = (at(e_, j, i - 1) || at(r_, j, i - 1)) && bg(i - 1);
            const int s = i - len;
            if (s >= 0 && AllAllow(c, s, i))
                at(r_, j, i) = at(e_, j - 1, s) || (touch && at(r_, j - 1, s));
        }
    }
    // Runs j..k from cell i on.
    at(be_, k + 1, n) = 1;
    for (int i = n - 1; i >= 0; --i)
        at(be_, k + 1, i) = at(be_, k + 1, i + 1) && bg(i);
    for (int j = k; j >= 1; --j) {
        const int len = lengths[j - 1], c = colours[j - 1];
        const bool touch = j < k && colours[j] != c;
        for (int i = n; i >= 0; --i) {
            if (i < n)
                at(be_, j, i) = (at(be_, j, i + 1) || at(br_, j, i + 1)) && bg(i);
            const int e = i + len;
            if (e <= n && AllAllow(c, i, e))
                at(br_, j, i) = at(be_, j + 1, e) || (touch && at(br_, j + 1, e));
        }
    }
}

bool ColourLineSolver::Solve(const LineClue& lengths, const LineColours& colours, ColourSet* cells,
                             int n, int stride) {
    line_.resize(n);
    ColourSet used = 1;
    for (int i = 0; i < n; ++i)
        line_[i] = cells[static_cast<std::ptrdiff_t>(i) * stride];
    for (std::uint8_t c : colours)
        used |= ColourSet(1u << c);
    const int top = 32 - __builtin_clz(static_cast<unsigned>(used));  // highest colour + 1
    refusing_.resize(std::max<std::size_t>(refusing_.size(), static_cast<std::size_t>(top)));
    for (int c = 0; c < top; ++c) {
        if (!(used & (1u << c)))
            continue;
        std::vector<int>& refusing = refusing_[c];
        refusing.assign(n + 1, 0);
        for (int i = 0; i < n; ++i)
            refusing[i + 1] = refusing[i] + ((line_[i] >> c) & 1 ? 0 : 1);
    }
    Tables(lengths, colours, n);
    const int k = static_cast<int>(lengths.size());
    const auto at = [this](const std::vector<std::uint8_t>& t, int j, int i) {
        return t[static_cast<std::size_t>(j) * width_ + i] != 0;
    };
    if (!at(e_, k, n) && !at(r_, k, n))
        return false;
    // Which colours each cell takes in some placement: the background between runs j and
    // j + 1, and colour c_j under every placement of run j that both sides allow.
    const int colourCount = top;
    marks_.assign(static_cast<std::size_t>(colourCount) * (n + 1), 0);
    std::vector<ColourSet>& allowed = allowed_;
    allowed.assign(n, 0);
    for (int p = 0; p < n; ++p) {
        if (!(line_[p] & 1))
            continue;
        for (int j = 0; j <= k; ++j) {
            if ((at(e_, j, p) || at(r_, j, p)) &&
                (at(be_, j + 1, p + 1) || at(br_, j + 1, p + 1))) {
                allowed[p] |= 1;
                break;
            }
        }
    }
    for (int j = 1; j <= k; ++j) {
        const int len = lengths[j - 1], c = colours[j - 1];
        const bool touchBefore = j >= 2 && colours[j - 2] != c;
        const bool touchAfter = j < k && colours[j] != c;
        for (int s = 0; s + len <= n; ++s) {
            if (!AllAllow(c, s, s + len))
                continue;
            const bool before = at(e_, j - 1, s) || (touchBefore && at(r_, j - 1, s));
            const bool after = at(be_, j + 1, s + len) || (touchAfter && at(br_, j + 1, s + len));
            if (before && after) {
                ++marks_[static_cast<std::size_t>(c) * (n + 1) + s];
                --marks_[static_cast<std::size_t>(c) * (n + 1) + s + len];
            }
        }
    }
    for (int c = 1; c < colourCount; ++c) {
        if (!(used & (1u << c)))
            continue;
        int covered = 0;
        for (int p = 0; p < n; ++p) {
            covered += marks_[static_cast<std::size_t>(c) * (n + 1) + p];
            if (covered > 0)
                allowed[p] |= ColourSet(1u << c);
        }
    }
    for (int i = 0; i < n; ++i)
        cells[static_cast<std::ptrdiff_t>(i) * stride] = line_[i] & allowed[i];
    return true;
}
