#include "engine/number_text.h"
#include "engine/selection.h"

#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>
#include <tuple>

namespace gearsel {
namespace {

const std::vector<std::int16_t> kFourteen = {20, 25, 30, 35, 40, 45,  50,
                                             55, 60, 70, 80, 90, 100, 120};

// A train as the tests write it: z1, z2, z3, z4 and the repeat mark.
using Expected = std::tuple<int, int, int, int, bool>;

SearchRequest request(std::vector<std::int16_t> gears, double ratio, int count, int zn,
                      bool singles, bool repeats) {
    return SearchRequest{std::move(gears), ratio, count, zn, singles, repeats};
}

std::vector<Expected> trains(const ResultList& list) {
    std::vector<Expected> out;
    for (int s = 0; s < list.filledCount(); ++s) {
        const ResultSlot& slot = list.slots[static_cast<std::size_t>(s)];
        out.emplace_back(slot.train.z1, slot.train.z2, slot.train.z3, slot.train.z4, slot.repeat);
    }
    return out;
}

// The ratio exactly as the search must compute it, step by rounded step.
double trainRatio(const ResultSlot& slot) {
    const double r12 = static_cast<double>(slot.train.z1) / slot.train.z2;
    return slot.train.z3 == 0 ? r12 : (slot.train.z3 * r12) / slot.train.z4;
}

void expectExactArithmetic(const ResultList& list, double required) {
    for (int s = 0; s < list.filledCount(); ++s) {
        const ResultSlot& slot = list.slots[static_cast<std::size_t>(s)];
        EXPECT_EQ(slot.calcRatio, trainRatio(slot)) << "slot " << s + 1;
        EXPECT_EQ(slot.absError, std::fabs(slot.calcRatio - required)) << "slot " << s + 1;
    }
}

TEST(WorkedExampleTest, FourteenGearsWithoutRepeats) {
    const auto result = runSelection(request(kFourteen, 1.23456, 5, 15, true, false));
    EXPECT_EQ(trains(result.results), (std::vector<Expected>{{50, 90, 100, 45, false},
                                                             {45, 40, 55, 50, false},
                                                             {55, 20, 45, 100, false},
                                                             {55, 80, 90, 50, false},
                                                             {90, 40, 55, 100, false}}));
    const auto& slots = result.results.slots;
    EXPECT_EQ(formatFixed(slots[0].calcRatio, 7), "1.2345679");
    EXPECT_EQ(formatFixed(slots[0].absError, 7), "0.0000079");
    for (std::size_t s = 1; s < 5; ++s) {
        EXPECT_EQ(formatFixed(slots[s].calcRatio, 7), "1.2375000");
        EXPECT_EQ(formatFixed(slots[s].absError, 7), "0.0029400");
    }
    expectExactArithmetic(result.results, 1.23456);
}

TEST(WorkedExampleTest, FourteenGearsWithRepeats) {
    const auto result = runSelection(request(kFourteen, 1.23456, 5, 15, true, true));
    EXPECT_EQ(trains(result.results), (std::vector<Expected>{{50, 45, 50, 45, true},
                                                             {50, 90, 100, 45, false},
                                                             {100, 45, 25, 45, true},
                                                             {100, 90, 100, 90, true},
                                                             {55, 35, 55, 70, true}}));
    EXPECT_EQ(formatFixed(result.results.slots[4].calcRatio, 7), "1.2346939");
    expectExactArithmetic(result.results, 1.23456);
}

TEST(WorkedExampleTest, ExactRatioWithAndWithoutSinglePairs) {
    const auto with = runSelection(request(kFourteen, 1.25, 5, 15, true, false));
    EXPECT_EQ(trains(with.results), (std::vector<Expected>{{25, 20, 0, 0, false},
                                                           {45, 30, 50, 60, false},
                                                           {45, 90, 100, 40, false},
                                                           {50, 20, 30, 60, false},
                                                           {50, 20, 35, 70, false}}));
    const auto without = runSelection(request(kFourteen, 1.25, 5, 15, false, false));
    EXPECT_EQ(trains(without.results), (std::vector<Expected>{{45, 30, 50, 60, false},
                                                              {45, 90, 100, 40, false},
                                                              {50, 20, 30, 60, false},
                                                              {50, 20, 35, 70, false},
                                                              {50, 20, 40, 80, false}}));
    for (const auto& slot : with.results.slots) {
        EXPECT_EQ(slot.absError, 0.0);
    }
}

TEST(SelectionEdgeTest, SingleGearUsesItselfAndDependsOnShaft) {
    // One 30-tooth gear: every train repeats it and has ratio 1. The two-pair train
    // 30/30 x 30/30 can be assembled only while Zn < 30.
    const auto thin = runSelection(request({30}, 1.1, 5, 15, true, true));
    EXPECT_EQ(trains(thin.results),
              (std::vector<Expected>{{30, 30, 0, 0, true}, {30, 30, 30, 30, true}}));
    const auto thick = runSelection(request({30}, 1.1, 5, 30, true, true));
    EXPECT_EQ(trains(thick.results), (std::vector<Expected>{{30, 30, 0, 0, true}}));
    const auto noRepeats = runSelection(request({30}, 1.1, 5, 15, true, false));
    EXPECT_EQ(noRepeats.results.filledCount(), 0);
}

TEST(SelectionEdgeTest, EmptyInputsListNothing) {
    const auto noGears = runSelection(request({}, 1.5, 5, 15, true, true));
    EXPECT_EQ(noGears.results.slots.size(), 5U);
    EXPECT_EQ(noGears.results.filledCount(), 0);
    const auto noSlots = runSelection(request(kFourteen, 1.5, 0, 15, true, true));
    EXPECT_TRUE(noSlots.results.slots.empty());
}

TEST(SelectionEdgeTest, EmptySlotsKeepTheSentinel) {
    // Only trains closer than 1.0 can be listed: with a required ratio of 3.5 and the gears
    // {20, 30}, the best trains reach 2.25 at most, so nothing is listed.
    const auto result = runSelection(request({20, 30}, 3.5, 4, 5, true, true));
    for (const auto& slot : result.results.slots) {
        EXPECT_EQ(slot, ResultSlot{});
    }
}

TEST(SelectionEdgeTest, SinglePairsCanBeLeftOut) {
    const auto result = runSelection(request(kFourteen, 2.0, 30, 15, false, true));
    EXPECT_EQ(result.results.filledCount(), 30);
    for (const auto& slot : result.results.slots) {
        EXPECT_NE(slot.train.z3, 0);
    }
}

TEST(SelectionEdgeTest, UnsortedInputIsSortedAndGivesTheSameList) {
    std::vector<std::int16_t> shuffled = {120, 20, 90, 45, 25, 100, 30, 80, 35, 70, 40, 60, 50, 55};
    const auto fromShuffled = runSelection(request(shuffled, 1.23456, 8, 15, true, true));
    const auto fromSorted = runSelection(request(kFourteen, 1.23456, 8, 15, true, true));
    EXPECT_EQ(fromShuffled.sortedGears, kFourteen);
    EXPECT_EQ(fromShuffled.results, fromSorted.results);
    // A second run with the same inputs gives the identical list.
    EXPECT_EQ(runSelection(request(shuffled, 1.23456, 8, 15, true, true)).results,
              fromShuffled.results);
}

TEST(SelectionEdgeTest, DuplicatedToothCountsNeverListATrainTwice) {
    const std::vector<std::int16_t> gears = {20, 40, 40, 60, 70, 80};
    const auto result = runSelection(request(gears, 1.0, 40, 15, true, true));
    const auto& slots = result.results.slots;
    bool sawBothForties = false;
    for (std::size_t a = 0; a < slots.size(); ++a) {
        if (!slots[a].filled()) {
            continue;
        }
        const GearTrain& t = slots[a].train;
        int forties = (t.z1 == 40) + (t.z2 == 40) + (t.z3 == 40) + (t.z4 == 40);
        if (forties >= 2) {
            sawBothForties = true;
            EXPECT_TRUE(slots[a].repeat);
        }
        for (std::size_t b = a + 1; b < slots.size(); ++b) {
            EXPECT_FALSE(slots[b].filled() && slots[b].train == t)
                << "slots " << a + 1 << ", " << b + 1;
        }
    }
    EXPECT_TRUE(sawBothForties);
}

TEST(SelectionEdgeTest, NegativeRatioAddsItsMagnitudeToEveryError) {
    const auto result = runSelection(request(kFourteen, -0.5, 3, 15, true, true));
    ASSERT_EQ(result.results.filledCount(), 3);
    for (const auto& slot : result.results.slots) {
        EXPECT_EQ(slot.absError, slot.calcRatio + 0.5);
    }
    const auto none = runSelection(request(kFourteen, -1.0, 3, 15, true, true));
    EXPECT_EQ(none.results.filledCount(), 0);
}

TEST(SelectionEdgeTest, HugeShaftLeavesOnlySinglePairs) {
    const auto result = runSelection(request(kFourteen, 1.0, 10, 32767, true, true));
    for (const auto& slot : result.results.slots) {
        EXPECT_EQ(slot.train.z3, 0);
    }
    EXPECT_GT(result.results.filledCount(), 0);
}

TEST(SelectionValidationTest, RefusesWhatTheSearchCannotUse) {
    const SearchRequest good = request(kFourteen, 1.5, 5, 15, true, true);
    EXPECT_FALSE(findProblem(good));

    auto refused = [&](auto change) {
        SearchRequest r = good;
        change(r);
        EXPECT_THROW(runSelection(r), std::invalid_argument);
        return findProblem(r).value_or("");
    };
    EXPECT_NE(refused([](auto& r) { r.requiredRatio = 0.0; }).find("ratio"), std::string::npos);
    refused([](auto& r) { r.requiredRatio = std::nan(""); });
    refused([](auto& r) { r.requiredRatio = INFINITY; });
    EXPECT_NE(refused([](auto& r) { r.resultCount = -1; }).find("count"), std::string::npos);
    refused([](auto& r) { r.resultCount = kMaxResultCount + 1; });
    refused([](auto& r) { r.zn = 40000; });
    refused([](auto& r) { r.zn = -40000; });
    EXPECT_NE(refused([](auto& r) { r.gears.push_back(9); }).find("9"), std::string::npos);
    refused([](auto& r) { r.gears.push_back(256); });
    refused([](auto& r) { r.gears.assign(kMaxGearCount + 1, 20); });
}

} // namespace
} // namespace gearsel
