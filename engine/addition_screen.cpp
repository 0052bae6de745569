// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/addition_screen.h"

#include "engine/addition_basis.h"

#include <cstdint>
#include <limits>

namespace gearsel {

namespace {

// The trains of a set grown by one tooth count c that hold c, looked for by where c stands:
// among the drivers only, among the driven gears only, or on both sides. The side without c is
// a pair of the set's counts, found by its product in an index of all ordered pairs.
class AdditionScreen {
public:
    AdditionScreen(const SearchRequest& request, const std::optional<Fraction>& required,
                   const std::optional<ResultSlot>& best)
        : request_(request),
          basis_(request, required, best ? best->absError : std::numeric_limits<double>::infinity(),
                 best && required ? std::optional(exactTerms(best->train)) : std::nullopt) {
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
        if (anyMayHelp_ || basis_.empty()) {
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
    // The best train's ratio P/Q, where trains are compared exactly.
    static AdditionBasis::Terms exactTerms(const GearTrain& t) {
        const auto z = [](std::int16_t teeth) { return static_cast<std::uint32_t>(teeth); };
        return t.z3 == 0 ? AdditionBasis::Terms{z(t.z1), z(t.z2)}
                         : AdditionBasis::Terms{z(t.z1) * z(t.z3), z(t.z2) * z(t.z4)};
    }

    bool singlePasses(int z1, int z2) const {
        return (!request_.firstDriver || z1 == *request_.firstDriver) &&
               (!request_.lastDriven || z2 == *request_.lastDriven) &&
               (request_.allowRepeats || z1 != z2) &&
               basis_.passes(static_cast<std::uint32_t>(z1), static_cast<std::uint32_t>(z2));
    }

    bool twoPairPasses(int z1, int z2, int z3, int z4) const {
        const int zn = request_.zn;
        return z3 + zn < z1 + z2 && z2 + zn < z3 + z4 &&
               (!request_.firstDriver || z1 == *request_.firstDriver) &&
               (!request_.lastDriven || z4 == *request_.lastDriven) &&
               (request_.allowRepeats || !hasRepeat(z1, z2, z3, z4)) &&
               basis_.passes(static_cast<std::uint32_t>(z1 * z3),
                             static_cast<std::uint32_t>(z2 * z4));
    }

    // Drivers c and x, driven gears u and v of the set: u·v near c·x / r.
    bool driversHold(int c, int x) const {
        const auto [least, most] = basis_.drivenAgainst(static_cast<double>(c) * x);
        for (const PairProducts::Pair pair : basis_.pairs.between(least, most)) {
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
        const auto [least, most] = basis_.driversAgainst(static_cast<double>(c) * y);
        for (const PairProducts::Pair pair : basis_.pairs.between(least, most)) {
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
        const auto [least, most] = basis_.teethUnder(x);
        for (int y = least; y <= most; ++y) {
            if ((y == c || basis_.holds(y)) &&
                (twoPairPasses(c, c, x, y) || twoPairPasses(c, y, x, c) ||
                 twoPairPasses(x, c, c, y) || twoPairPasses(x, y, c, c))) {
                return true;
            }
        }
        return false;
    }

    const SearchRequest& request_;
    AdditionBasis basis_;
    bool anyMayHelp_ = false;
};

} // namespace

std::vector<char> additionsCloserThan(const SearchRequest& request,
                                      const std::optional<Fraction>& required,
                                      const std::optional<ResultSlot>& best) {
    return eachAddition(AdditionScreen(request, required, best));
}

} // namespace gearsel
