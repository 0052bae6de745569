// SPDX-License-Identifier: GPL-3.0-or-later
// Both rankings: the literal slot scan that the reference enumeration uses and the ordered
// ranking of the production search. The behaviour tests run on both; a random comparison
// feeds them the same offers, rich in ties, rearrangements and trains beyond the sentinel.

#include "engine/ranking.h"
#include "engine/reference_ranking.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace gearsel {
namespace {

using Trains = std::vector<GearTrain>;

template <class R> Trains listed(const R& r) {
    Trains out;
    for (const auto& slot : r.results().slots) {
        if (slot.filled()) {
            out.push_back(slot.train);
        }
    }
    return out;
}

template <class R> class RankingTest : public ::testing::Test {};
using Rankings = ::testing::Types<Ranking, ReferenceRanking>;
TYPED_TEST_SUITE(RankingTest, Rankings);

TYPED_TEST(RankingTest, SecondAssemblyConditionIsStrictAndRepeatsMayBeRefused) {
    TypeParam r(3, 15, false);
    // 30 + 25 = 40 + 15: refused, and the limit stays.
    EXPECT_EQ(r.rankTwoPair(60, 40, 30, 25, 1.125, 0.1), RankOutcome::Unfit);
    EXPECT_EQ(r.errorLimit(), 2.0);
    EXPECT_EQ(r.rankTwoPair(50, 45, 50, 45, 1.2, 0.1), RankOutcome::Unfit);  // repeats 50, 45
    EXPECT_EQ(r.rankTwoPair(60, 40, 30, 26, 1.2, 0.1), RankOutcome::Listed); // 56 > 55
    EXPECT_EQ(listed(r), (Trains{{60, 40, 30, 26}}));
    EXPECT_FALSE(r.results().slots[0].repeat);

    TypeParam allowing(3, 15, true);
    EXPECT_EQ(allowing.rankTwoPair(50, 45, 50, 45, 1.2, 0.1), RankOutcome::Listed);
    EXPECT_TRUE(allowing.results().slots[0].repeat);
}

TYPED_TEST(RankingTest, RefusesTheFourRearrangementsOnly) {
    TypeParam r(10, 15, true);
    r.rankTwoPair(45, 40, 55, 50, 1.2375, 0.00294);
    // The fast search offers a train again only if another arrangement turned it away.
    EXPECT_EQ(r.rankTwoPair(45, 40, 55, 50, 1.2375, 0.00294), RankOutcome::AlreadyListed);
    EXPECT_EQ(r.rankTwoPair(55, 50, 45, 40, 1.2375, 0.00294), RankOutcome::Rearranged); // pairs
    EXPECT_EQ(r.rankTwoPair(55, 40, 45, 50, 1.2375, 0.00294), RankOutcome::Rearranged); // drivers
    EXPECT_EQ(r.rankTwoPair(45, 50, 55, 40, 1.2375, 0.00294), RankOutcome::Rearranged); // driven
    r.rankTwoPair(55, 20, 45, 100, 1.2375, 0.00294); // same ratio, other gears
    EXPECT_EQ(listed(r), (Trains{{45, 40, 55, 50}, {55, 20, 45, 100}}));
}

TYPED_TEST(RankingTest, RearrangementIsSeenUpToTheInsertionPlaceOnly) {
    TypeParam r(4, 15, true);
    r.rankTwoPair(100, 20, 90, 80, 0.0, 0.001);
    r.rankTwoPair(100, 20, 90, 70, 0.0, 0.002);
    r.rankTwoPair(45, 40, 55, 50, 0.0, 0.003);
    // Its rearrangement in slot 3 is the insertion place itself: seen, refused.
    EXPECT_EQ(r.rankTwoPair(45, 50, 55, 40, 0.0, 0.0025), RankOutcome::Rearranged);
    // Here it sits in slot 3, behind slot 2 where this one belongs: not seen, listed.
    EXPECT_EQ(r.rankTwoPair(45, 50, 55, 40, 0.0, 0.0015), RankOutcome::Listed);
    EXPECT_EQ(listed(r),
              (Trains{{100, 20, 90, 80}, {45, 50, 55, 40}, {100, 20, 90, 70}, {45, 40, 55, 50}}));
    // Both arrangements listed: the one in the higher slot answers first.
    EXPECT_EQ(r.rankTwoPair(55, 50, 45, 40, 0.0, 0.0015), RankOutcome::Rearranged);
}

TYPED_TEST(RankingTest, TiesGoBehindEqualErrorsAndTheLimitFollowsTheLastSlot) {
    TypeParam r(3, 15, true);
    r.rankTwoPair(100, 20, 90, 80, 0.0, 0.5);
    r.rankTwoPair(100, 20, 90, 70, 0.0, 0.2);
    r.rankTwoPair(100, 20, 90, 60, 0.0, 0.2); // equal to an inner slot: placed behind it
    EXPECT_EQ(listed(r), (Trains{{100, 20, 90, 70}, {100, 20, 90, 60}, {100, 20, 90, 80}}));
    EXPECT_EQ(r.errorLimit(), 0.5);
    // Inserting at slot 1 of the full list drops the last slot and tightens the limit.
    r.rankTwoPair(100, 20, 90, 50, 0.0, 0.1);
    EXPECT_EQ(listed(r), (Trains{{100, 20, 90, 50}, {100, 20, 90, 70}, {100, 20, 90, 60}}));
    EXPECT_EQ(r.errorLimit(), 0.2);
    // An error equal to the last slot's finds no place.
    EXPECT_EQ(r.rankTwoPair(100, 20, 90, 40, 0.0, 0.2), RankOutcome::NoPlace);
}

TYPED_TEST(RankingTest, SentinelAndNoSlotsKeepTrainsOut) {
    TypeParam r(3, 15, true);
    EXPECT_EQ(r.rankTwoPair(100, 20, 90, 80, 0.0, 1.0), RankOutcome::NoPlace);
    EXPECT_EQ(r.results().slots, std::vector<ResultSlot>(3));
    EXPECT_EQ(r.errorLimit(), 1.0); // the empty last slot's sentinel
    // Without slots the limit drops to 0: nothing later can be ranked.
    TypeParam none(0, 15, true);
    none.rankSinglePair(30, 20, 1.5, 0.1);
    EXPECT_EQ(none.errorLimit(), 0.0);
    EXPECT_TRUE(none.results().slots.empty());
}

TYPED_TEST(RankingTest, SinglePairComparesWithSinglePairSlotsOnly) {
    TypeParam r(5, 15, true);
    r.rankTwoPair(40, 40, 30, 30, 1.0, 0.1); // 40/40 x 30/30, marked R
    // The single pair 40/40 is not its duplicate, but a second 40/40 is.
    EXPECT_EQ(r.rankSinglePair(40, 40, 1.0, 0.1), RankOutcome::Listed);
    EXPECT_EQ(r.rankSinglePair(40, 40, 1.0, 0.1), RankOutcome::AlreadyListed);
    EXPECT_EQ(listed(r), (Trains{{40, 40, 30, 30}, {40, 40, 0, 0}}));
    EXPECT_TRUE(r.results().slots[1].repeat);

    TypeParam refusing(5, 15, false);
    EXPECT_EQ(refusing.rankSinglePair(40, 40, 1.0, 0.1), RankOutcome::Unfit);
    refusing.rankSinglePair(40, 30, 1.0, 0.1);
    EXPECT_EQ(listed(refusing), (Trains{{40, 30, 0, 0}}));
    EXPECT_FALSE(refusing.results().slots[0].repeat);
}

// The error a search would compute for a train: the same for the same train, nearly the same
// (a few units in the last place apart) for its arrangements, a few levels shared by many
// trains, some at or beyond the sentinel 1.0.
double errorOf(int z1, int z2, int z3, int z4) {
    const auto mix = [](unsigned x) { return (x * 2654435761U) >> 16; };
    const unsigned shared = static_cast<unsigned>(std::min(z1, z3) * 31 + std::max(z1, z3) * 17 +
                                                  std::min(z2, z4) * 7 + std::max(z2, z4));
    double error = (mix(shared) % 18 + 1) / 16.0;
    for (unsigned step = mix(static_cast<unsigned>(z1 * 4096 + z2 * 256 + z3 * 16 + z4)) % 3;
         step > 0; --step) {
        error = std::nextafter(error, 2.0);
    }
    return error;
}

TEST(RankingAgreementTest, OrderedRankingDecidesEveryOfferAsTheSlotScan) {
    std::mt19937_64 rng(20240607);
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    for (const int count : {1, 2, 7, 40, 300, 3000}) {
        for (int round = 0; round < 6; ++round) {
            const int zn = below(12);
            const bool repeats = round % 2 == 0;
            Ranking fast(count, zn, repeats);
            ReferenceRanking slow(count, zn, repeats);
            const int offers = 4 * count + 60;
            for (int i = 0; i < offers; ++i) {
                // Eight tooth counts: repeats, rearrangements and unfit trains are common.
                int z[4];
                for (int& teeth : z) {
                    teeth = 10 + below(8);
                }
                const bool single = below(8) == 0;
                if (single) {
                    z[2] = z[3] = 0;
                }
                const double error = errorOf(z[0], z[1], z[2], z[3]);
                const double ratio = error + 0.5;
                const RankOutcome expected =
                    single ? slow.rankSinglePair(z[0], z[1], ratio, error)
                           : slow.rankTwoPair(z[0], z[1], z[2], z[3], ratio, error);
                const RankOutcome outcome =
                    single ? fast.rankSinglePair(z[0], z[1], ratio, error)
                           : fast.rankTwoPair(z[0], z[1], z[2], z[3], ratio, error);
                ASSERT_EQ(outcome, expected) << "count " << count << " offer " << i;
                ASSERT_EQ(fast.errorLimit(), slow.errorLimit()) << "count " << count;
            }
            EXPECT_EQ(fast.results(), slow.results()) << "count " << count;
            EXPECT_EQ(fast.filledCount(), slow.results().filledCount());
        }
    }
}

} // namespace
} // namespace gearsel
