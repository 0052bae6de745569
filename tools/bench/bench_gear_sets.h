// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gear sets the benchmarks run on, shared by the search and the workshop benchmarks.

#include <cstdint>
#include <string>
#include <vector>

namespace gearsel {

struct GearSet {
    std::string name;
    std::vector<std::int16_t> gears;
};

// `count` tooth counts from low to high, as evenly spaced as whole numbers allow.
inline std::vector<std::int16_t> evenlySpread(int count, int low, int high) {
    std::vector<std::int16_t> gears;
    for (int i = 0; i < count; ++i) {
        gears.push_back(static_cast<std::int16_t>(low + i * (high - low + 1) / count));
    }
    return gears;
}

// A hobbing machine's set: many primes, so few trains share a ratio.
inline GearSet hobbingSet() {
    return {"38", {20, 23, 24, 25, 28, 30, 32, 33, 35, 36, 37, 40, 41, 43, 45, 47, 48, 50, 53,
                   55, 56, 57, 59, 60, 61, 62, 65, 67, 70, 71, 73, 75, 79, 80, 83, 85, 90, 100}};
}

// The 211 distinct tooth counts 10 to 220.
inline GearSet fullSet() {
    return {"211", evenlySpread(211, 10, 220)};
}

} // namespace gearsel
