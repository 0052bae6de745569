// SPDX-License-Identifier: GPL-3.0-or-later
// What the three-pair search knows before it pairs products: the number of arrangements the
// assembly conditions allow, bounds on their ratios, and for each side the products the other
// side can have; all against a plain walk over every six tooth counts of small sets.

#include "engine/three_pair_bounds.h"
#include "engine/three_pair_chains.h"
#include "engine/three_pair_rules.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace gearsel {
namespace {

TEST(ThreePairChainsTest, AgreeWithAWalkOverEverySixToothCounts) {
    std::mt19937_64 rng(20240624);
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
#ifdef GEARSEL_SANITIZED
    const int rounds = 15;
#else
    const int rounds = 200;
#endif
    for (int round = 0; round < rounds; ++round) {
        SearchRequest request;
        for (int i = 1 + below(7); i > 0; --i) {
            request.gears.push_back(static_cast<std::int16_t>(10 + below(100)));
        }
        std::sort(request.gears.begin(), request.gears.end());
        const int zn = below(6) == 0 ? 60 + below(100) : below(50) - 5;
        if (below(3) == 0) {
            request.firstDriver = 10 + below(100);
        }
        if (below(3) == 0) {
            request.lastDriven = 10 + below(100);
        }
        const GearStock stock(request.gears, request);
        const ThreePairChains chains(stock, zn);
        const ThreePairBounds bounds(stock, zn);
        // Every arrangement of the offered tooth counts, one by one.
        std::vector<int> counts(stock.walked().begin(), stock.walked().end());
        counts.erase(std::unique(counts.begin(), counts.end()), counts.end());
        using Place = GearStock::Place;
        const auto offers = [&](Place place, int teeth) {
            return stock.copiesAt(place, teeth) > 0;
        };
        std::uint64_t count = 0;
        double lowest = INFINITY;
        double highest = 0.0;
        bool boundsHold = true;
        for (const int z1 : counts) {
            for (const int z2 : counts) {
                for (const int z3 : counts) {
                    for (const int z4 : counts) {
                        for (const int z5 : counts) {
                            for (const int z6 : counts) {
                                if (!offers(Place::First, z1) || !offers(Place::Middle, z2) ||
                                    !offers(Place::Middle, z3) || !offers(Place::Middle, z4) ||
                                    !offers(Place::Middle, z5) || !offers(Place::Last, z6) ||
                                    !assemblesThreePair(z1, z2, z3, z4, z5, z6, zn)) {
                                    continue;
                                }
                                ++count;
                                const auto p = static_cast<std::uint32_t>(z1 * z3 * z5);
                                const auto q = static_cast<std::uint32_t>(z2 * z4 * z6);
                                lowest = std::min(lowest, static_cast<double>(p) / q);
                                highest = std::max(highest, static_cast<double>(p) / q);
                                std::array<int, 3> d = {z1, z3, z5};
                                std::array<int, 3> e = {z2, z4, z6};
                                std::sort(d.begin(), d.end());
                                std::sort(e.begin(), e.end());
                                const auto drivers = bounds.driversFor(e[0], e[1], e[2]);
                                const auto driven = bounds.drivenFor(d[0], d[1], d[2]);
                                boundsHold = boundsHold && drivers && drivers->low <= p &&
                                             p <= drivers->high && driven && driven->low <= q &&
                                             q <= driven->high;
                            }
                        }
                    }
                }
            }
        }
        ASSERT_EQ(chains.count(), count) << "round " << round;
        EXPECT_TRUE(boundsHold) << "round " << round;
        if (count > 0) {
            // Below and above every ratio, and no more than a millionth beyond.
            EXPECT_LE(chains.lowestRatio(), lowest) << "round " << round;
            EXPECT_GE(chains.lowestRatio(), lowest * (1 - 1e-6)) << "round " << round;
            EXPECT_GE(chains.highestRatio(), highest) << "round " << round;
            EXPECT_LE(chains.highestRatio(), highest * (1 + 1e-6)) << "round " << round;
        }
        // The walk meets them all, in ascending order.
        std::uint64_t walked = 0;
        ThreePairTrain previous{};
        bool ascending = true;
        chains.forEach([&](const ThreePairTrain& train) {
            ascending = ascending && (walked == 0 || previous < train);
            previous = train;
            ++walked;
        });
        EXPECT_EQ(walked, count) << "round " << round;
        EXPECT_TRUE(ascending) << "round " << round;
    }
}

} // namespace
} // namespace gearsel
