// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/number_text.h"
#include "engine/selection.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <span>
#include <stdexcept>
#include <tuple>

namespace gearsel {
namespace {

const std::vector<std::int16_t> kFourteen = {20, 25, 30, 35, 40, 45,  50,
                                             55, 60, 70, 80, 90, 100, 120};

// One filled slot as the tests write it: the train, the mark and the seven-decimal texts of
// the ratio and the error.
using Row = std::tuple<int, int, int, int, bool, std::string, std::string>;

ResultList select(const SearchRequest& request) {
    return runSelection(request).results;
}

void expectRows(const SearchRequest& request, const std::vector<Row>& expected) {
    std::vector<Row> rows;
    const ResultList list = select(request);
    for (const ResultSlot& s : std::span(list.slots).first(list.filledCount())) {
        rows.emplace_back(s.train.z1, s.train.z2, s.train.z3, s.train.z4, s.repeat,
                          formatFixed(s.calcRatio, 7), formatFixed(s.absError, 7));
        // The exact doubles, step by rounded step: ((z1 / z2) x z3) / z4.
        const double r12 = static_cast<double>(s.train.z1) / s.train.z2;
        EXPECT_EQ(s.calcRatio, s.train.z3 == 0 ? r12 : (s.train.z3 * r12) / s.train.z4);
        EXPECT_EQ(s.absError, std::fabs(s.calcRatio - request.requiredRatio));
    }
    EXPECT_EQ(rows, expected) << request.requiredRatio << " singles " << request.includeSinglePairs
                              << " repeats " << request.allowRepeats << " zn " << request.zn;
}

TEST(WorkedExampleTest, FourteenGears) {
    const std::string r0 = "1.2345679", e0 = "0.0000079", r1 = "1.2375000", e1 = "0.0029400";
    expectRows({kFourteen, 1.23456, 5, 15, true, false}, {{50, 90, 100, 45, false, r0, e0},
                                                          {45, 40, 55, 50, false, r1, e1},
                                                          {55, 20, 45, 100, false, r1, e1},
                                                          {55, 80, 90, 50, false, r1, e1},
                                                          {90, 40, 55, 100, false, r1, e1}});
    expectRows({kFourteen, 1.23456, 5, 15, true, true},
               {{50, 45, 50, 45, true, r0, e0},
                {50, 90, 100, 45, false, r0, e0},
                {100, 45, 25, 45, true, r0, e0},
                {100, 90, 100, 90, true, r0, e0},
                {55, 35, 55, 70, true, "1.2346939", "0.0001339"}});
    // 1.25 is hit exactly, with and without single pairs.
    const std::string r = "1.2500000", e = "0.0000000";
    expectRows({kFourteen, 1.25, 5, 15, true, false}, {{25, 20, 0, 0, false, r, e},
                                                       {45, 30, 50, 60, false, r, e},
                                                       {45, 90, 100, 40, false, r, e},
                                                       {50, 20, 30, 60, false, r, e},
                                                       {50, 20, 35, 70, false, r, e}});
    expectRows({kFourteen, 1.25, 5, 15, false, false}, {{45, 30, 50, 60, false, r, e},
                                                        {45, 90, 100, 40, false, r, e},
                                                        {50, 20, 30, 60, false, r, e},
                                                        {50, 20, 35, 70, false, r, e},
                                                        {50, 20, 40, 80, false, r, e}});
}

TEST(SelectionEdgeTest, SingleGearUsesItselfWhileTheShaftAllows) {
    // Both assembly conditions are strict: 30/30 x 30/30 needs Zn < 30.
    const Row single{30, 30, 0, 0, true, "1.0000000", "0.1000000"};
    const Row twoPair{30, 30, 30, 30, true, "1.0000000", "0.1000000"};
    expectRows({{30}, 1.1, 3, 29, true, true}, {single, twoPair});
    expectRows({{30}, 1.1, 3, 30, true, true}, {single});
}

TEST(SelectionEdgeTest, NothingToListKeepsEverySlotEmptyWithTheSentinel) {
    const std::pair<const char*, SearchRequest> cases[] = {
        {"no gears", {{}, 1.5, 5, 15, true, true}},
        {"no slots", {kFourteen, 1.5, 0, 15, true, true}},
        // The best trains reach 2.25, not closer than the sentinel 1.0 to 3.5.
        {"nothing closer than 1.0", {{20, 30}, 3.5, 4, 15, true, true}},
        {"negative ratio -1", {kFourteen, -1.0, 3, 15, true, true}},
        {"one gear, no repeats", {{30}, 1.1, 5, 15, true, false}},
    };
    for (const auto& [name, request] : cases) {
        EXPECT_EQ(select(request).slots,
                  std::vector<ResultSlot>(static_cast<std::size_t>(request.resultCount)))
            << name;
    }
}

TEST(SelectionEdgeTest, UnsortedInputIsSortedAndGivesTheSameList) {
    const SearchRequest shuffled{
        {120, 20, 90, 45, 25, 100, 30, 80, 35, 70, 40, 60, 50, 55}, 1.23456, 8, 15, true, true};
    const auto result = runSelection(shuffled);
    EXPECT_EQ(result.sortedGears, kFourteen);
    EXPECT_EQ(result.results, select({kFourteen, 1.23456, 8, 15, true, true}));
}

TEST(SelectionEdgeTest, DuplicatedToothCountsNeverListATrainTwice) {
    const ResultList list = select({{20, 40, 40, 60, 70, 80}, 1.0, 40, 15, true, true});
    const auto filled = std::span(list.slots).first(list.filledCount());
    int bothForties = 0;
    for (auto slot = filled.begin(); slot != filled.end(); ++slot) {
        const GearTrain& t = slot->train;
        const bool both = (t.z1 == 40) + (t.z2 == 40) + (t.z3 == 40) + (t.z4 == 40) >= 2;
        bothForties += both;
        EXPECT_TRUE(slot->repeat || !both);
        EXPECT_EQ(std::count(slot, filled.end(), *slot), 1) << "slot " << slot - filled.begin() + 1;
    }
    EXPECT_GT(bothForties, 0);
}

TEST(SelectionEdgeTest, NegativeRatioAndHugeShaft) {
    // A negative ratio adds its magnitude to every error.
    const ResultList negative = select({kFourteen, -0.5, 3, 15, true, true});
    ASSERT_EQ(negative.filledCount(), 3);
    for (const auto& slot : negative.slots) {
        EXPECT_EQ(slot.absError, slot.calcRatio + 0.5);
    }
    // A huge shaft leaves only single pairs.
    const ResultList huge = select({kFourteen, 1.0, 10, 32767, true, true});
    EXPECT_EQ(huge.filledCount(), 10);
    for (const auto& slot : huge.slots) {
        EXPECT_EQ(slot.train.z3, 0);
    }
}

TEST(SelectionValidationTest, RefusesWhatTheSearchCannotUse) {
    const SearchRequest good{kFourteen, 1.5, 5, 15, true, true};
    EXPECT_FALSE(findProblem(good));
    // The smallest ratio taken: 1 / 2.2250738585072014e-308 is still a double.
    EXPECT_FALSE(findProblem({kFourteen, 2.2250738585072014e-308, 5, 15, true, true}));
    using Kind = SearchProblem::Kind;
    const auto refused = [&](auto change, Kind kind, long long value) {
        SearchRequest r = good;
        change(r);
        const auto problem = findProblem(r);
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->kind, kind);
        EXPECT_EQ(problem->value, value);
        try {
            runSelection(r);
            ADD_FAILURE() << "searched although refused";
        } catch (const SearchRefused& e) {
            EXPECT_EQ(e.problem().kind, kind);
            EXPECT_EQ(e.problem().value, value);
        }
    };
    refused([](auto& r) { r.requiredRatio = 0.0; }, Kind::RatioZero, 0);
    refused([](auto& r) { r.requiredRatio = std::nan(""); }, Kind::RatioNotFinite, 0);
    refused([](auto& r) { r.requiredRatio = -INFINITY; }, Kind::RatioNotFinite, 0);
    // Below the smallest normal double an error below 1 divided by the ratio can overflow.
    refused([](auto& r) { r.requiredRatio = 5e-324; }, Kind::RatioNearZero, 0);
    refused([](auto& r) { r.requiredRatio = -2e-308; }, Kind::RatioNearZero, 0);
    refused([](auto& r) { r.resultCount = -1; }, Kind::CountOutOfRange, -1);
    refused([](auto& r) { r.resultCount = kMaxResultCount + 1; }, Kind::CountOutOfRange,
            kMaxResultCount + 1);
    refused([](auto& r) { r.zn = 40000; }, Kind::ZnOutOfRange, 40000);
    refused([](auto& r) { r.zn = -40000; }, Kind::ZnOutOfRange, -40000);
    refused([](auto& r) { r.gears.push_back(9); }, Kind::ToothOutOfRange, 9);
    refused([](auto& r) { r.gears.push_back(256); }, Kind::ToothOutOfRange, 256);
    refused([](auto& r) { r.gears.assign(kMaxGearCount + 1, 20); }, Kind::TooManyGears,
            kMaxGearCount + 1);
    // A fixed gear is a tooth count too, whether the list holds it or not.
    refused([](auto& r) { r.firstDriver = 9; }, Kind::ToothOutOfRange, 9);
    refused([](auto& r) { r.lastDriven = 256; }, Kind::ToothOutOfRange, 256);
}

} // namespace
} // namespace gearsel
