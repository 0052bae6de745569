// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/idler_stock.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace gearsel {

IdlerStock::IdlerStock(std::span<const std::int16_t> gears) {
    for (std::int16_t teeth : gears) {
        if (teeth < kMinTeeth || teeth > kMaxTeeth) {
            throw std::invalid_argument("tooth count " + std::to_string(teeth) +
                                        " cannot be an idler");
        }
        ++copies_[static_cast<std::size_t>(teeth)];
    }
    int next = kMaxTeeth + 1;
    for (int teeth = kMaxTeeth + 1; teeth >= 0; --teeth) {
        if (copies_[static_cast<std::size_t>(teeth)] > 0) {
            next = teeth;
        }
        next_[static_cast<std::size_t>(teeth)] = next;
    }
}

std::optional<int> IdlerStock::smallestFree(int low, int high, int z1, int z2) const noexcept {
    high = std::min(high, kMaxTeeth);
    // Each tooth count of the set is passed over only while the pair holds all of its copies,
    // which happens for at most z1 and z2.
    for (int teeth = std::max(low, 0); teeth <= high; ++teeth) {
        teeth = next_[static_cast<std::size_t>(teeth)];
        if (teeth > high) {
            break;
        }
        const int used = static_cast<int>(teeth == z1) + static_cast<int>(teeth == z2);
        if (copies_[static_cast<std::size_t>(teeth)] > used) {
            return teeth;
        }
    }
    return std::nullopt;
}

} // namespace gearsel
