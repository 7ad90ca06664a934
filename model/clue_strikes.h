// The clue numbers the player has struck through, as bookkeeping of the numbers already
// placed: each number of each line on its own, toggled by a click.
#pragma once

#include <set>
#include <tuple>

#include "model/board_layout.h"

class ClueStrikes {
public:
    // Strikes the number through, or takes the stroke back; returns whether it is struck now.
    bool Toggle(const ClueSlotRef& ref) {
        if (m_struck.erase(Key(ref)) > 0)
            return false;
        m_struck.insert(Key(ref));
        return true;
    }
    bool IsStruck(const ClueSlotRef& ref) const { return m_struck.count(Key(ref)) > 0; }
    bool Empty() const { return m_struck.empty(); }
    void Clear() { m_struck.clear(); }

private:
    using KeyType = std::tuple<bool, int, int>;
    static KeyType Key(const ClueSlotRef& ref) { return {ref.column, ref.line, ref.slot}; }
    std::set<KeyType> m_struck;
};
