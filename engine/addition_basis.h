// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the screens of additions (addition_screen.h, three_pair_addition_screen.h) start from
// and share: the set's distinct tooth counts, its fixed gears among them, their pairs by
// product, the window of ratios that a train closer than a bound can have, and the exact
// comparison with the best train.

#include "base/tooth_limits.h"
#include "engine/fraction.h"
#include "engine/pair_products.h"
#include "engine/ratio_target.h"
#include "engine/search_request.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace gearsel {

struct AdditionBasis {
    // A train's ratio P/Q: the product of its drivers' tooth counts over its driven gears'.
    using Terms = std::pair<std::uint32_t, std::uint32_t>;
    // Reals from `low` to `high`; `high` may be infinite.
    struct Range {
        double low;
        double high;
    };

    // `bound` is an error: the window is the required ratio ± bound, widened by about 2^-39 of
    // the ratio, far above the rounding of a train's computed ratio and error; infinite for
    // any train at all. `best`, where given, is the ratio a train must be exactly closer to
    // the required one (`required` where given, else the required ratio as the exact double
    // it is) than.
    AdditionBasis(const SearchRequest& request, const std::optional<Fraction>& required,
                  double bound, const std::optional<Terms>& best);

    // The set's counts, ascending, with `tooth` added where the set lacks it.
    std::vector<int> grownBy(int tooth) const;
    bool holds(int tooth) const { return held[static_cast<std::size_t>(tooth)] != 0; }
    // Whether no train at all can pass: the window lies at or below 0.
    bool empty() const { return high <= 0.0; }

    // Whether the ratio p/q lies in the window and is exactly closer than the best train.
    bool passes(std::uint32_t p, std::uint32_t q) const;
    // The products driven gears may make against drivers of product `drivers`, and the
    // products drivers may make against driven gears of product `driven`: those that put the
    // ratio in the window.
    Range drivenAgainst(double drivers) const;
    Range driversAgainst(double driven) const { return {driven * low, driven * high}; }
    // The tooth counts y, kMinTeeth to kMaxTeeth, for which the ratio x / y may lie in the
    // window, with a tooth to spare at either end for the rounding of the bounds.
    std::pair<int, int> teethUnder(double x) const;

    double low = 0.0;
    double high = 0.0;
    std::vector<char> held; // by tooth count, 0 to kMaxTeeth
    std::vector<int> counts;
    PairProducts pairs;
    RatioTarget target;
    std::optional<Terms> bestTerms;
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
