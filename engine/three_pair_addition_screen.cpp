// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/three_pair_addition_screen.h"

#include "engine/addition_basis.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace gearsel {

namespace {

constexpr std::uint32_t kMaxTriple = kMaxTeeth * kMaxTeeth * kMaxTeeth;
using Side = std::array<int, 3>;

class ThreePairScreen {
public:
    ThreePairScreen(const SearchRequest& request, const std::optional<Fraction>& required,
                    const std::optional<ThreePairSlot>& best)
        : request_(request),
          basis_(request, required, best ? best->absError : std::numeric_limits<double>::infinity(),
                 best ? std::optional(AdditionBasis::Terms{driverProduct(best->train),
                                                           drivenProduct(best->train)})
                      : std::nullopt) {
        indexTriples();
    }

    bool mayHelp(int c) const {
        if (basis_.empty()) {
            return false;
        }
        const std::vector<int> grown = basis_.grownBy(c);
        for (std::size_t i = 0; i < grown.size(); ++i) {
            for (std::size_t j = i; j < grown.size(); ++j) {
                const Side withC{c, grown[i], grown[j]};
                if (oppositeTriple(withC, true) || oppositeTriple(withC, false) ||
                    bothSides(withC)) {
                    return true;
                }
            }
        }
        return false;
    }

private:
    // Which products three of the set's counts make, as bits and ascending.
    void indexTriples() {
        bits_.assign(kMaxTriple / 64 + 1, 0);
        for (std::size_t i = 0; i < basis_.counts.size(); ++i) {
            for (std::size_t j = i; j < basis_.counts.size(); ++j) {
                for (std::size_t k = j; k < basis_.counts.size(); ++k) {
                    const auto p = static_cast<std::uint32_t>(basis_.counts[i] * basis_.counts[j] *
                                                              basis_.counts[k]);
                    bits_[p / 64] |= std::uint64_t{1} << (p % 64);
                }
            }
        }
        for (std::size_t w = 0; w < bits_.size(); ++w) {
            for (std::uint64_t word = bits_[w]; word != 0; word &= word - 1) {
                products_.push_back(static_cast<std::uint32_t>(w * 64) +
                                    static_cast<std::uint32_t>(std::countr_zero(word)));
            }
        }
    }

    // The whole numbers from `low` to `high`, cut to the triple products there can be.
    static std::pair<std::uint32_t, std::uint32_t> wholeBetween(double low, double high) {
        const double first = std::max(1.0, std::ceil(low));
        const double last = std::min(static_cast<double>(kMaxTriple), std::floor(high));
        if (!(first <= last)) {
            return {1, 0};
        }
        return {static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(last)};
    }

    // Whether `visit` (a product) holds for a triple product from `first` to `last`.
    template <class Visit>
    bool anyProduct(std::uint32_t first, std::uint32_t last, Visit visit) const {
        if (first > last) {
            return false;
        }
        if (last - first < 256) {
            for (std::uint32_t p = first; p <= last; ++p) {
                if ((bits_[p / 64] >> (p % 64) & 1) != 0 && visit(p)) {
                    return true;
                }
            }
            return false;
        }
        for (auto at = std::lower_bound(products_.begin(), products_.end(), first);
             at != products_.end() && *at <= last; ++at) {
            if (visit(*at)) {
                return true;
            }
        }
        return false;
    }

    // Whether some triple of the set's counts with the product `product` and `side` (three
    // counts holding the added one) make a train that passes: `side` as the drivers when
    // `driving`, else as the driven gears.
    bool tripleOf(std::uint32_t product, const Side& side, bool driving) const {
        for (const int u : basis_.counts) {
            if (static_cast<std::uint64_t>(u) * u * u > product) {
                break;
            }
            for (const int v : basis_.counts) {
                if (v < u) {
                    continue;
                }
                const std::uint64_t uv = static_cast<std::uint64_t>(u) * v;
                if (uv * v > product) {
                    break;
                }
                if (product % uv != 0) {
                    continue;
                }
                const std::uint64_t w = product / uv;
                if (w > kMaxTeeth || !basis_.holds(static_cast<int>(w))) {
                    continue;
                }
                const Side other{u, v, static_cast<int>(w)};
                if (driving ? passes(side, other) : passes(other, side)) {
                    return true;
                }
            }
        }
        return false;
    }

    // `side` on one side of the train, a triple of the set's counts on the other.
    bool oppositeTriple(const Side& side, bool driving) const {
        const double product = static_cast<double>(side[0]) * side[1] * side[2];
        const auto [least, most] =
            driving ? basis_.drivenAgainst(product) : basis_.driversAgainst(product);
        const auto [first, last] = wholeBetween(least, most);
        return anyProduct(first, last,
                          [&](std::uint32_t other) { return tripleOf(other, side, driving); });
    }

    // The drivers `side` = {c, x, y} and the driven gears {c, u, v}: x·y / (u·v) is the ratio.
    bool bothSides(const Side& side) const {
        const int c = side[0];
        const double xy = static_cast<double>(side[1]) * side[2];
        const auto [least, most] = basis_.drivenAgainst(xy);
        for (const PairProducts::Pair pair : basis_.pairs.between(least, most)) {
            if (passes(side, Side{c, pair.a, pair.b})) {
                return true;
            }
        }
        // u = c: v from the grown set.
        const auto [first, last] = basis_.teethUnder(xy / c);
        for (int v = first; v <= last; ++v) {
            if ((v == c || basis_.holds(v)) && passes(side, Side{c, c, v})) {
                return true;
            }
        }
        return false;
    }

    // Whether the drivers `d` and the driven gears `e` make a train closer than the best that
    // some arrangement of them mounts under the request's rules.
    bool passes(Side d, Side e) const {
        const auto p = static_cast<std::uint32_t>(d[0] * d[1] * d[2]);
        const auto q = static_cast<std::uint32_t>(e[0] * e[1] * e[2]);
        if (!basis_.passes(p, q)) {
            return false;
        }
        if (!request_.allowRepeats &&
            hasRepeat(
                ThreePairTrain{static_cast<std::int16_t>(d[0]), static_cast<std::int16_t>(e[0]),
                               static_cast<std::int16_t>(d[1]), static_cast<std::int16_t>(e[1]),
                               static_cast<std::int16_t>(d[2]), static_cast<std::int16_t>(e[2])})) {
            return false;
        }
        const int zn = request_.zn;
        std::sort(d.begin(), d.end());
        std::sort(e.begin(), e.end());
        do {
            if (request_.firstDriver && d[0] != *request_.firstDriver) {
                continue;
            }
            Side f = e;
            do {
                // z1..z6 = d0 f0 d1 f1 d2 f2.
                if ((!request_.lastDriven || f[2] == *request_.lastDriven) &&
                    d[1] + zn < d[0] + f[0] && f[0] + zn < d[1] + f[1] && d[2] + zn < d[1] + f[1] &&
                    f[1] + zn < d[2] + f[2]) {
                    return true;
                }
            } while (std::next_permutation(f.begin(), f.end()));
        } while (std::next_permutation(d.begin(), d.end()));
        return false;
    }

    const SearchRequest& request_;
    AdditionBasis basis_;
    std::vector<std::uint64_t> bits_;
    std::vector<std::uint32_t> products_;
};

} // namespace

std::vector<char> threePairAdditionsCloserThan(const SearchRequest& request,
                                               const std::optional<Fraction>& required,
                                               const std::optional<ThreePairSlot>& best) {
    return eachAddition(ThreePairScreen(request, required, best));
}

} // namespace gearsel
