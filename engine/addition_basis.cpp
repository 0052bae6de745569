// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/addition_basis.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace gearsel {

namespace {

// The distinct counts of the set and of its fixed gears, by tooth count.
std::vector<char> heldCounts(const SearchRequest& request) {
    std::vector<char> held(kMaxTeeth + 1, 0);
    const auto take = [&](int z) {
        if (z >= kMinTeeth && z <= kMaxTeeth) {
            held[static_cast<std::size_t>(z)] = 1;
        }
    };
    for (const std::int16_t z : request.gears) {
        take(z);
    }
    take(request.firstDriver.value_or(0));
    take(request.lastDriven.value_or(0));
    return held;
}

std::vector<int> countsOf(const std::vector<char>& held) {
    std::vector<int> counts;
    for (int z = kMinTeeth; z <= kMaxTeeth; ++z) {
        if (held[static_cast<std::size_t>(z)] != 0) {
            counts.push_back(z);
        }
    }
    return counts;
}

} // namespace

AdditionBasis::AdditionBasis(const SearchRequest& request, const std::optional<Fraction>& required,
                             double bound, const std::optional<Terms>& best)
    : held(heldCounts(request)), counts(countsOf(held)), pairs(counts),
      target(request.requiredRatio, required), bestTerms(best) {
    const double r = request.requiredRatio;
    const double margin = bound + (std::fabs(r) + bound) * 0x1p-39;
    low = r - margin;
    high = r + margin;
}

std::vector<int> AdditionBasis::grownBy(int tooth) const {
    std::vector<int> grown = counts;
    if (!holds(tooth)) {
        grown.insert(std::lower_bound(grown.begin(), grown.end(), tooth), tooth);
    }
    return grown;
}

bool AdditionBasis::passes(std::uint32_t p, std::uint32_t q) const {
    const double ratio = static_cast<double>(p) / static_cast<double>(q);
    return low <= ratio && ratio <= high &&
           (!bestTerms || target.compareErrors(p, q, bestTerms->first, bestTerms->second) < 0);
}

AdditionBasis::Range AdditionBasis::drivenAgainst(double drivers) const {
    return {drivers / high, low > 0.0 ? drivers / low : std::numeric_limits<double>::infinity()};
}

std::pair<int, int> AdditionBasis::teethUnder(double x) const {
    const double least = std::clamp(std::floor(x / high) - 1, static_cast<double>(kMinTeeth),
                                    static_cast<double>(kMaxTeeth + 1));
    const double most = low > 0.0 ? std::min(static_cast<double>(kMaxTeeth), std::ceil(x / low) + 1)
                                  : static_cast<double>(kMaxTeeth);
    return {static_cast<int>(least), static_cast<int>(most)};
}

} // namespace gearsel
