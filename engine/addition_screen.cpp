// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/addition_screen.h"

#include "engine/addition_basis.h"
#include "engine/ratio_target.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace gearsel {

namespace {

// The trains of a set grown by one tooth count c that hold c, looked for by where c stands:
// among the drivers only, among the driven gears only, or on both sides. The side without c is
// a pair of the set's counts, found by its product in an index of all ordered pairs.
class AdditionScreen {
public:
    AdditionScreen(const SearchRequest& request, const std::optional<Fraction>& required,
                   const std::optional<ResultSlot>& best)
        : request_(request), target_(request.requiredRatio, required),
          basis_(request, best ? best->absError : std::numeric_limits<double>::infinity()) {
        if (best && required) {
            const GearTrain& t = best->train;
            const auto z = [](std::int16_t teeth) { return static_cast<std::uint32_t>(teeth); };
            bestTerms_ = t.z3 == 0 ? std::pair{z(t.z1), z(t.z2)}
                                   : std::pair{z(t.z1) * z(t.z3), z(t.z2) * z(t.z4)};
        }
        // A single pair of the set's own counts that did not fit may fit with the new gear as
        // its idler: then any addition may help.
        if (request.fitGeometry && request.includeSinglePairs) {
            for (const int a : basis_.counts) {
                for (const int b : basis_.counts) {
                    anyMayHelp_ = anyMayHelp_ || singlePasses(a, b);
                }
            }
        }
    }

    bool mayHelp(int c) const {
        if (anyMayHelp_ || basis_.high <= 0.0) {
            return anyMayHelp_;
        }
        const std::vector<int> grown = basis_.grownBy(c);
        for (const int x : grown) {
            if ((request_.includeSinglePairs && (singlePasses(c, x) || singlePasses(x, c))) ||
                driversHold(c, x) || drivenHold(c, x) || bothSidesHold(c, x)) {
                return true;
            }
        }
        return false;
    }

private:
    bool within(long long num, long long den) const {
        const double ratio = static_cast<double>(num) / static_cast<double>(den);
        return basis_.low <= ratio && ratio <= basis_.high &&
               (!bestTerms_ || target_.compareErrors(static_cast<std::uint32_t>(num),
                                                     static_cast<std::uint32_t>(den),
                                                     bestTerms_->first, bestTerms_->second) < 0);
    }

    bool singlePasses(int z1, int z2) const {
        return (!request_.firstDriver || z1 == *request_.firstDriver) &&
               (!request_.lastDriven || z2 == *request_.lastDriven) &&
               (request_.allowRepeats || z1 != z2) && within(z1, z2);
    }

    bool twoPairPasses(int z1, int z2, int z3, int z4) const {
        const int zn = request_.zn;
        return z3 + zn < z1 + z2 && z2 + zn < z3 + z4 &&
               (!request_.firstDriver || z1 == *request_.firstDriver) &&
               (!request_.lastDriven || z4 == *request_.lastDriven) &&
               (request_.allowRepeats || !hasRepeat(z1, z2, z3, z4)) &&
               within(static_cast<long long>(z1) * z3, static_cast<long long>(z2) * z4);
    }

    // Drivers c and x, driven gears u and v of the set: u·v near c·x / r.
    bool driversHold(int c, int x) const {
        const double n = static_cast<double>(c) * x;
        const double most =
            basis_.low > 0.0 ? n / basis_.low : std::numeric_limits<double>::infinity();
        for (const PairProducts::Pair pair : basis_.pairs.between(n / basis_.high, most)) {
            const int u = pair.a;
            const int v = pair.b;
            if (twoPairPasses(c, u, x, v) || twoPairPasses(x, u, c, v)) {
                return true;
            }
        }
        return false;
    }

    // Driven gears c and y, drivers p and q of the set: p·q near c·y · r.
    bool drivenHold(int c, int y) const {
        const double d = static_cast<double>(c) * y;
        for (const PairProducts::Pair pair :
             basis_.pairs.between(d * basis_.low, d * basis_.high)) {
            const int p = pair.a;
            const int q = pair.b;
            if (twoPairPasses(p, c, q, y) || twoPairPasses(p, y, q, c)) {
                return true;
            }
        }
        return false;
    }

    // c a driver and a driven gear, x the other driver: the ratio is x / y.
    bool bothSidesHold(int c, int x) const {
        const double least =
            std::max(static_cast<double>(kMinTeeth), std::floor(x / basis_.high) - 1);
        const double most = basis_.low > 0.0 ? std::min(static_cast<double>(kMaxTeeth),
                                                        std::ceil(x / basis_.low) + 1)
                                             : static_cast<double>(kMaxTeeth);
        for (int y = static_cast<int>(least); y <= static_cast<int>(most); ++y) {
            if ((y == c || basis_.holds(y)) &&
                (twoPairPasses(c, c, x, y) || twoPairPasses(c, y, x, c) ||
                 twoPairPasses(x, c, c, y) || twoPairPasses(x, y, c, c))) {
                return true;
            }
        }
        return false;
    }

    const SearchRequest& request_;
    RatioTarget target_;
    AdditionBasis basis_;
    // The best train's ratio P/Q where trains are compared exactly.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> bestTerms_;
    bool anyMayHelp_ = false;
};

} // namespace

std::vector<char> additionsCloserThan(const SearchRequest& request,
                                      const std::optional<Fraction>& required,
                                      const std::optional<ResultSlot>& best) {
    return eachAddition(AdditionScreen(request, required, best));
}

} // namespace gearsel
