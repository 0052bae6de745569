// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the screens of additions (addition_screen.h, three_pair_addition_screen.h) start from:
// the set's distinct tooth counts, its fixed gears among them, their pairs by product, and the
// window of ratios that a train closer than a bound can have.

#include "engine/pair_products.h"
#include "engine/search_request.h"

#include <vector>

namespace gearsel {

struct AdditionBasis {
    // `bound` is an error: the window is the required ratio ± bound, widened by about 2^-39 of
    // the ratio, far above the rounding of a train's computed ratio and error; infinite for
    // any train at all.
    AdditionBasis(const SearchRequest& request, double bound);

    // The set's counts, ascending, with `tooth` added where the set lacks it.
    std::vector<int> grownBy(int tooth) const;
    bool holds(int tooth) const { return held[static_cast<std::size_t>(tooth)] != 0; }

    double low = 0.0;
    double high = 0.0;
    std::vector<char> held; // by tooth count, 0 to kMaxTeeth
    std::vector<int> counts;
    PairProducts pairs;
};

// For each tooth count z from kMinTeeth to kMaxTeeth (index z - kMinTeeth): screen.mayHelp(z).
template <class Screen> std::vector<char> eachAddition(const Screen& screen) {
    std::vector<char> helps(static_cast<std::size_t>(kMaxTeeth - kMinTeeth + 1), 0);
    for (int z = kMinTeeth; z <= kMaxTeeth; ++z) {
        helps[static_cast<std::size_t>(z - kMinTeeth)] = screen.mayHelp(z) ? 1 : 0;
    }
    return helps;
}

} // namespace gearsel
