#include "engine/ranking.h"

#include <gtest/gtest.h>

namespace gearsel {
namespace {

using Trains = std::vector<GearTrain>;

Trains listed(const Ranking& r) {
    Trains out;
    for (const auto& slot : r.results().slots) {
        if (slot.filled()) {
            out.push_back(slot.train);
        }
    }
    return out;
}

TEST(RankTwoPairTest, SecondAssemblyConditionIsStrictAndRepeatsMayBeRefused) {
    Ranking r(3, 15, false);
    // 30 + 25 = 40 + 15: refused, and the limit stays.
    EXPECT_EQ(r.rankTwoPair(60, 40, 30, 25, 1.125, 0.1), RankOutcome::Unfit);
    EXPECT_EQ(r.errorLimit(), 2.0);
    EXPECT_EQ(r.rankTwoPair(50, 45, 50, 45, 1.2, 0.1), RankOutcome::Unfit);  // repeats 50, 45
    EXPECT_EQ(r.rankTwoPair(60, 40, 30, 26, 1.2, 0.1), RankOutcome::Listed); // 56 > 55
    EXPECT_EQ(listed(r), (Trains{{60, 40, 30, 26}}));
    EXPECT_FALSE(r.results().slots[0].repeat);

    Ranking allowing(3, 15, true);
    EXPECT_EQ(allowing.rankTwoPair(50, 45, 50, 45, 1.2, 0.1), RankOutcome::Listed);
    EXPECT_TRUE(allowing.results().slots[0].repeat);
}

TEST(RankTwoPairTest, RefusesTheFourRearrangementsOnly) {
    Ranking r(10, 15, true);
    r.rankTwoPair(45, 40, 55, 50, 1.2375, 0.00294);
    // The fast search offers a train again only if another arrangement turned it away.
    EXPECT_EQ(r.rankTwoPair(45, 40, 55, 50, 1.2375, 0.00294), RankOutcome::AlreadyListed);
    EXPECT_EQ(r.rankTwoPair(55, 50, 45, 40, 1.2375, 0.00294), RankOutcome::Rearranged); // pairs
    EXPECT_EQ(r.rankTwoPair(55, 40, 45, 50, 1.2375, 0.00294), RankOutcome::Rearranged); // drivers
    EXPECT_EQ(r.rankTwoPair(45, 50, 55, 40, 1.2375, 0.00294), RankOutcome::Rearranged); // driven
    r.rankTwoPair(55, 20, 45, 100, 1.2375, 0.00294); // same ratio, other gears
    EXPECT_EQ(listed(r), (Trains{{45, 40, 55, 50}, {55, 20, 45, 100}}));
}

TEST(RankTwoPairTest, RearrangementBehindTheInsertionPlaceIsNotSeen) {
    Ranking r(4, 15, true);
    r.rankTwoPair(100, 20, 90, 80, 0.0, 0.001);
    r.rankTwoPair(100, 20, 90, 70, 0.0, 0.002);
    r.rankTwoPair(45, 40, 55, 50, 0.0, 0.003);
    // Its rearrangement sits in slot 3, behind slot 2 where this one belongs.
    EXPECT_EQ(r.rankTwoPair(45, 50, 55, 40, 0.0, 0.0015), RankOutcome::Listed);
    EXPECT_EQ(listed(r),
              (Trains{{100, 20, 90, 80}, {45, 50, 55, 40}, {100, 20, 90, 70}, {45, 40, 55, 50}}));
}

TEST(RankingOrderTest, TiesGoBehindEqualErrorsAndTheLimitFollowsTheLastSlot) {
    Ranking r(3, 15, true);
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

TEST(RankingOrderTest, SentinelAndNoSlotsKeepTrainsOut) {
    Ranking r(3, 15, true);
    EXPECT_EQ(r.rankTwoPair(100, 20, 90, 80, 0.0, 1.0), RankOutcome::NoPlace);
    EXPECT_EQ(r.results().slots, std::vector<ResultSlot>(3));
    EXPECT_EQ(r.errorLimit(), 1.0); // the empty last slot's sentinel
    // Without slots the limit drops to 0: nothing later can be ranked.
    Ranking none(0, 15, true);
    none.rankSinglePair(30, 20, 1.5, 0.1);
    EXPECT_EQ(none.errorLimit(), 0.0);
    EXPECT_TRUE(none.results().slots.empty());
}

TEST(RankSinglePairTest, ComparesWithSinglePairSlotsOnly) {
    Ranking r(5, 15, true);
    r.rankTwoPair(40, 40, 30, 30, 1.0, 0.1); // 40/40 x 30/30, marked R
    // The single pair 40/40 is not its duplicate, but a second 40/40 is.
    EXPECT_EQ(r.rankSinglePair(40, 40, 1.0, 0.1), RankOutcome::Listed);
    EXPECT_EQ(r.rankSinglePair(40, 40, 1.0, 0.1), RankOutcome::AlreadyListed);
    EXPECT_EQ(listed(r), (Trains{{40, 40, 30, 30}, {40, 40, 0, 0}}));
    EXPECT_TRUE(r.results().slots[1].repeat);

    Ranking refusing(5, 15, false);
    EXPECT_EQ(refusing.rankSinglePair(40, 40, 1.0, 0.1), RankOutcome::Unfit);
    refusing.rankSinglePair(40, 30, 1.0, 0.1);
    EXPECT_EQ(listed(refusing), (Trains{{40, 30, 0, 0}}));
    EXPECT_FALSE(refusing.results().slots[0].repeat);
}

} // namespace
} // namespace gearsel
