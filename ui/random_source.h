// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one random generator, seeded from the clock when the window loads: it picks
// the banners and the starting ratio.

#include <cstdint>
#include <random>

namespace gearsel {

class RandomSource {
public:
    // Seeded from the clock.
    RandomSource();
    explicit RandomSource(std::uint32_t seed) : engine_(seed) {}

    // A uniform number in [0, 1).
    double uniform();
    // The integer part of uniform() x n: 0 to n - 1.
    int below(int n);

private:
    std::mt19937 engine_;
};

} // namespace gearsel
