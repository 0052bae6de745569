#include "engine/ranking.h"

#include <gtest/gtest.h>

namespace gearsel {
namespace {

GearTrain train(int z1, int z2, int z3, int z4) {
    return GearTrain{static_cast<std::int16_t>(z1), static_cast<std::int16_t>(z2),
                     static_cast<std::int16_t>(z3), static_cast<std::int16_t>(z4)};
}

std::vector<GearTrain> listed(const Ranking& r) {
    std::vector<GearTrain> out;
    for (const auto& slot : r.results().slots) {
        if (slot.filled()) {
            out.push_back(slot.train);
        }
    }
    return out;
}

TEST(RankTwoPairTest, SecondAssemblyConditionIsStrict) {
    Ranking r(3, 15, true);
    // 30 + 25 = 40 + 15: refused
    EXPECT_EQ(r.rankTwoPair(60, 40, 30, 25, 1.125, 0.1), RankOutcome::Unfit);
    EXPECT_TRUE(listed(r).empty());
    EXPECT_EQ(r.errorLimit(), 2.0);
    EXPECT_EQ(r.rankTwoPair(60, 40, 30, 26, 1.2, 0.1), RankOutcome::Listed); // 56 > 55
    EXPECT_EQ(listed(r), (std::vector<GearTrain>{train(60, 40, 30, 26)}));
}

TEST(RankTwoPairTest, RepeatMarkComparesToothCounts) {
    Ranking refusing(3, 15, false);
    EXPECT_EQ(refusing.rankTwoPair(50, 45, 50, 45, 1.2345679, 0.0000079), RankOutcome::Unfit);
    EXPECT_TRUE(listed(refusing).empty());
    refusing.rankTwoPair(50, 90, 100, 45, 1.2345679, 0.0000079);
    EXPECT_EQ(listed(refusing).size(), 1U);

    Ranking allowing(3, 15, true);
    allowing.rankTwoPair(50, 45, 50, 45, 1.2345679, 0.0000079);
    ASSERT_EQ(listed(allowing).size(), 1U);
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
    EXPECT_EQ(listed(r).size(), 1U);
    r.rankTwoPair(55, 20, 45, 100, 1.2375, 0.00294); // same ratio, other gears
    EXPECT_EQ(listed(r), (std::vector<GearTrain>{train(45, 40, 55, 50), train(55, 20, 45, 100)}));
}

TEST(RankTwoPairTest, RearrangementBehindTheInsertionPlaceIsNotSeen) {
    Ranking r(4, 15, true);
    r.rankTwoPair(100, 20, 90, 80, 0.0, 0.001);
    r.rankTwoPair(100, 20, 90, 70, 0.0, 0.002);
    r.rankTwoPair(45, 40, 55, 50, 0.0, 0.003);
    // Its rearrangement sits in slot 3, behind slot 2 where this one belongs.
    r.rankTwoPair(45, 50, 55, 40, 0.0, 0.0015);
    EXPECT_EQ(listed(r), (std::vector<GearTrain>{train(100, 20, 90, 80), train(45, 50, 55, 40),
                                                 train(100, 20, 90, 70), train(45, 40, 55, 50)}));
}

TEST(RankingOrderTest, TiesGoBehindEqualErrorsAndTheLimitFollowsTheLastSlot) {
    Ranking r(3, 15, true);
    r.rankTwoPair(100, 20, 90, 80, 0.0, 0.5);
    r.rankTwoPair(100, 20, 90, 70, 0.0, 0.2);
    r.rankTwoPair(100, 20, 90, 60, 0.0, 0.2); // equal to an inner slot: placed behind it
    EXPECT_EQ(listed(r), (std::vector<GearTrain>{train(100, 20, 90, 70), train(100, 20, 90, 60),
                                                 train(100, 20, 90, 80)}));
    EXPECT_EQ(r.errorLimit(), 0.5);
    // Inserting at slot 1 of the full list drops the last slot and tightens the limit.
    r.rankTwoPair(100, 20, 90, 50, 0.0, 0.1);
    EXPECT_EQ(listed(r), (std::vector<GearTrain>{train(100, 20, 90, 50), train(100, 20, 90, 70),
                                                 train(100, 20, 90, 60)}));
    EXPECT_EQ(r.errorLimit(), 0.2);
}

TEST(RankingOrderTest, SentinelKeepsFarTrainsOut) {
    Ranking r(3, 15, true);
    EXPECT_EQ(r.rankTwoPair(100, 20, 90, 80, 0.0, 1.0), RankOutcome::NoPlace);
    EXPECT_TRUE(listed(r).empty());
    // The scan found no place: the limit drops to the empty last slot's 1.0.
    EXPECT_EQ(r.errorLimit(), 1.0);
}

TEST(RankingOrderTest, NoSlotsStopsEveryLaterCandidate) {
    Ranking r(0, 15, true);
    r.rankSinglePair(30, 20, 1.5, 0.1);
    EXPECT_EQ(r.errorLimit(), 0.0);
    EXPECT_TRUE(r.results().slots.empty());
}

TEST(RankSinglePairTest, ComparesWithSinglePairSlotsOnly) {
    Ranking r(5, 15, true);
    r.rankTwoPair(40, 40, 30, 30, 1.0, 0.1); // 40/40 x 30/30, marked R
    // The single pair 40/40 is not its duplicate, but a second 40/40 is.
    EXPECT_EQ(r.rankSinglePair(40, 40, 1.0, 0.1), RankOutcome::Listed);
    EXPECT_EQ(r.rankSinglePair(40, 40, 1.0, 0.1), RankOutcome::AlreadyListed);
    EXPECT_EQ(listed(r), (std::vector<GearTrain>{train(40, 40, 30, 30), train(40, 40, 0, 0)}));
    EXPECT_TRUE(r.results().slots[1].repeat);

    Ranking refusing(5, 15, false);
    refusing.rankSinglePair(40, 40, 1.0, 0.1);
    refusing.rankSinglePair(40, 30, 1.0, 0.1);
    EXPECT_EQ(listed(refusing), (std::vector<GearTrain>{train(40, 30, 0, 0)}));
    EXPECT_FALSE(refusing.results().slots[0].repeat);
}

} // namespace
} // namespace gearsel
