// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Random machines to fit trains to, for the tests that compare searches with a fit-only rule:
// module or diametral pitch, a centre distance that the set's pairs reach, often exactly (a
// pair meshes directly there), mostly a slot and sometimes a cover, often with bounds that a
// train meets exactly, so that every rule decides some trains and many are left out.

#include "engine/machine_geometry.h"

#include <cstdint>
#include <random>
#include <vector>

namespace gearsel {

inline MachineGeometry randomGeometry(std::mt19937_64& rng,
                                      const std::vector<std::int16_t>& gears) {
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(rng);
    };
    const auto gear = [&] {
        return gears.empty()
                   ? 40
                   : static_cast<int>(
                         gears[static_cast<std::size_t>(below(static_cast<int>(gears.size())))]);
    };
    const double modules[] = {1.0, 1.25, 2.0, 2.5, 3.0};
    const double m = modules[below(5)];
    MachineGeometry g;
    g.toothSize = below(4) == 0 ? ToothSize{ToothSize::Unit::DiametralPitch, 25.4 / m}
                                : ToothSize{ToothSize::Unit::Module, m};
    const int sum = below(3) == 0 ? gear() + gear() : 40 + below(300);
    g.centre = m * sum / 2 + (below(3) == 0 ? uniform(-0.02, 0.02) : 0.0);
    if (below(4) != 0) {
        const double low = m * (below(2) == 0 ? gear() + gear() : 40 + below(200)) / 2;
        g.stud = StudRange{low, low + m * below(80) / 2};
    }
    if (below(3) == 0) {
        g.maxDiameter = m * (gear() + 2) + (below(2) == 0 ? 0.0 : uniform(-1.0, 1.0));
    }
    return g;
}

} // namespace gearsel
