// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ranked list of the best trains of one search: N slots, ascending by error.

#include "engine/gear_train.h"

#include <vector>

namespace gearsel {

// Slot m of the list is slots[m - 1]. Invariants kept by the ranking: errors never decrease
// from slot to slot, the filled slots form a prefix, and no train appears twice.
struct ResultList {
    std::vector<ResultSlot> slots;

    // Number of leading filled slots.
    int filledCount() const {
        int count = 0;
        while (count < static_cast<int>(slots.size()) &&
               slots[static_cast<std::size_t>(count)].filled()) {
            ++count;
        }
        return count;
    }

    friend bool operator==(const ResultList&, const ResultList&) = default;
};

} // namespace gearsel
