// SPDX-License-Identifier: GPL-3.0-or-later
// Gearbox positions searched jointly: each position's ratio divides the required one, rows of
// all positions are ranked by relative error. The lists are worked out by hand.

#include "differential_cases.h"
#include "engine/gearbox_positions.h"

#include <algorithm>
#include <bit>

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <tuple>

namespace gearsel {
namespace {

TEST(GearboxPositionsTest, SinglePairsOfTwoPositions) {
    // Shafts of 1000 leave single pairs only. A = 2 needs 1/2: 20/40 and 30/60 hit it; B = 2/3
    // needs 3/2: 30/20 and 60/40 hit it, and 40/30 lies 1/6 away, 1/9 of 3/2. A's nearest
    // misses lie 1/6 away, a third of 1/2.
    const SearchRequest request{{20, 30, 40, 60}, 1.0, 5, 1000, true, true};
    const GearboxPosition positions[] = {{"A", Quantity(Fraction(2, 1))},
                                         {"B", Quantity(Fraction(2, 3))}};
    for (const EngineKind engine : {EngineKind::Production, EngineKind::Reference}) {
        const auto results = searchPositions(request, Quantity::whole(1), positions, engine);
        ASSERT_EQ(results.required.size(), 2U);
        EXPECT_EQ(results.required[0].fraction(), Fraction(1, 2));
        EXPECT_EQ(results.required[1].fraction(), Fraction(3, 2));
        std::vector<std::tuple<std::size_t, int, int, int>> rows;
        for (const auto& row : results.rows) {
            rows.emplace_back(row.position, row.slot.train.z1, row.slot.train.z2,
                              row.slot.train.z3);
        }
        const std::vector<std::tuple<std::size_t, int, int, int>> expected = {
            {0, 20, 40, 0}, {0, 30, 60, 0}, {1, 30, 20, 0}, {1, 60, 40, 0}, {1, 40, 30, 0}};
        EXPECT_EQ(rows, expected);
        ASSERT_EQ(results.rows.size(), 5U);
        EXPECT_EQ(results.rows[0].relError, 0.0);
        EXPECT_NEAR(results.rows[4].relError, 1.0 / 9.0, 1e-15);
    }
}

TEST(GearboxPositionsTest, ThreePairTrainsOfTwoPositions) {
    // Gears 20 and 40 make the ratios 2^(k - m). "low" = 4 needs 1/4: two trains hit it;
    // "high" = 1/3 needs 3: 2 and 4 lie 1 away, a third of 3, and of their five trains the
    // two first in the order of their teeth are 20/40 x 40/20 x 40/20 (2) and
    // 40/20 x 20/20 x 20/20 (2). low's next rows lie 1/8 away, half of 1/4.
    const SearchRequest request{{20, 40}, 1.0, 4, 15, true, true};
    const GearboxPosition positions[] = {{"low", Quantity(Fraction(4, 1))},
                                         {"high", Quantity(Fraction(1, 3))}};
    for (const EngineKind engine : {EngineKind::Production, EngineKind::Reference}) {
        const auto results =
            searchPositionsThreePairs(request, Quantity::whole(1), positions, engine);
        std::vector<std::pair<std::size_t, ThreePairTrain>> rows;
        for (const auto& row : results.rows) {
            rows.emplace_back(row.position, row.slot.train);
        }
        const std::vector<std::pair<std::size_t, ThreePairTrain>> expected = {
            {0, {20, 20, 20, 40, 20, 40}},
            {0, {20, 40, 20, 40, 40, 40}},
            {1, {20, 40, 40, 20, 40, 20}},
            {1, {40, 20, 20, 20, 20, 20}}};
        EXPECT_EQ(rows, expected);
        ASSERT_EQ(results.rows.size(), 4U);
        EXPECT_EQ(results.rows[2].relError, 1.0 / 3.0);
    }
}

TEST(GearboxPositionsTest, RandomPositionsGiveTheReferenceList) {
    // Small sets, two to four positions of small fractions or doubles, every option: the
    // production searches and the references must give the same joint rows.
    std::mt19937_64 rng(diffSeed(20240625));
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
#ifdef GEARSEL_SANITIZED
    const int cases = diffCases(40, 20);
#else
    const int cases = diffCases(200, 20);
#endif
    for (int i = 0; i < cases; ++i) {
        SearchRequest request;
        for (int g = 3 + below(4); g > 0; --g) {
            request.gears.push_back(static_cast<std::int16_t>(20 + 5 * below(12)));
        }
        request.resultCount = below(12);
        request.zn = 5 + below(30);
        request.includeSinglePairs = below(2) == 0;
        request.allowRepeats = below(3) != 0;
        request.useOnce = below(3) == 0;
        if (below(4) == 0) {
            request.firstDriver = request.gears.front();
        }
        std::vector<GearboxPosition> positions;
        for (int at = 2 + below(3); at > 0; --at) {
            positions.push_back({"P" + std::to_string(at),
                                 below(3) == 0 ? Quantity(0.3 + below(100) / 50.0)
                                               : Quantity(Fraction(1 + below(8), 1 + below(8)))});
        }
        const Quantity ratio = below(2) == 0 ? Quantity(Fraction(1 + below(30), 1 + below(30)))
                                             : Quantity(0.1 + below(1000) / 300.0);
        const auto same = [](const auto& x, const auto& y) {
            const auto bits = [](double d) { return std::bit_cast<std::uint64_t>(d); };
            return x.position == y.position && x.slot.train == y.slot.train &&
                   bits(x.slot.absError) == bits(y.slot.absError) &&
                   bits(x.relError) == bits(y.relError);
        };
        const auto fast = searchPositions(request, ratio, positions);
        const auto reference = searchPositions(request, ratio, positions, EngineKind::Reference);
        ASSERT_TRUE(std::equal(fast.rows.begin(), fast.rows.end(), reference.rows.begin(),
                               reference.rows.end(), same))
            << "case " << i;
        const auto fast3 = searchPositionsThreePairs(request, ratio, positions);
        const auto reference3 =
            searchPositionsThreePairs(request, ratio, positions, EngineKind::Reference);
        ASSERT_TRUE(std::equal(fast3.rows.begin(), fast3.rows.end(), reference3.rows.begin(),
                               reference3.rows.end(), same))
            << "case " << i;
    }
}

TEST(GearboxPositionsTest, RefusesPositionsItCannotSearch) {
    using Kind = PositionProblem::Kind;
    const GearboxPosition a{"A1", Quantity(Fraction(1, 2))};
    const struct {
        const char* name;
        std::vector<GearboxPosition> positions;
        Kind kind;
        std::size_t index;
        const char* named; // the name the problem carries for its wording
    } rows[] = {
        {"none", {}, Kind::NoPositions, 0, ""},
        {"no name", {a, {"", Quantity::whole(1)}}, Kind::NoName, 1, ""},
        {"twice", {a, {"B", Quantity::whole(1)}, a}, Kind::SameName, 2, "A1"},
        {"zero", {{"C", Quantity(Fraction(0, 1))}}, Kind::RatioNotPositive, 0, "C"},
        {"negative", {a, {"D", Quantity(-0.5)}}, Kind::RatioNotPositive, 1, "D"},
        {"not a number", {{"E", Quantity(std::nan(""))}}, Kind::RatioNotPositive, 0, "E"},
    };
    const SearchRequest request{{20, 40}, 1.0, 4, 15, true, true};
    for (const auto& row : rows) {
        const auto problem = findPositionProblem(row.positions);
        ASSERT_TRUE(problem) << row.name;
        EXPECT_EQ(problem->kind, row.kind) << row.name;
        EXPECT_EQ(problem->index, row.index) << row.name;
        EXPECT_EQ(problem->name, row.named) << row.name;
        try {
            searchPositions(request, Quantity::whole(1), row.positions);
            ADD_FAILURE() << row.name << ": searched although refused";
        } catch (const PositionsRefused& e) {
            EXPECT_EQ(e.problem().kind, row.kind) << row.name;
            EXPECT_EQ(e.problem().name, row.named) << row.name;
        }
    }
    // A position whose ratio leaves no finite ratio for the change gears.
    const GearboxPosition tiny[] = {{"F", Quantity(1e-320)}};
    EXPECT_THROW(searchPositions(request, Quantity::whole(1), tiny), SearchRefused);
}

} // namespace
} // namespace gearsel
