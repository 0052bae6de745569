// SPDX-License-Identifier: GPL-3.0-or-later
// Which gear to buy: the ranked additions against the 246 searches run one by one as a user
// would run them (a list of five, its first train taken), on random small gear sets with every
// option; equal answers in tooth-count order; only gears that help; and the worked cases of a
// hobbing set and of a ratio outside the reachable range.

#include "engine/gear_suggestion.h"
#include "engine/selection.h"
#include "engine/train_fraction.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>

namespace gearsel {
namespace {

using Gears = std::vector<std::int16_t>;

// A default hobbing machine's gear set: no gear of 101 teeth or of any larger prime.
const Gears kHobbingSet = {20, 20, 23, 24, 25, 26, 30, 32, 33, 34, 35, 37, 40, 41, 43, 45,
                           46, 47, 48, 50, 52, 53, 55, 57, 58, 59, 60, 61, 62, 65, 67, 70,
                           71, 73, 75, 79, 80, 83, 85, 89, 90, 92, 95, 97, 98, 100};

// |train - required| as a fraction; the random ratios here are small enough for every step.
Fraction distance(const GearTrain& train, const Fraction& required) {
    const Fraction d = *trainFraction(train).minus(required);
    return Fraction(d.num() < 0 ? -d.num() : d.num(), d.den());
}

// Whether `a` comes strictly closer than `b`: exactly with the required fraction, else by
// the doubles.
bool closer(const BestTrain& a, const BestTrain& b, const std::optional<Fraction>& required) {
    if (!required) {
        return a.slot.absError < b.slot.absError;
    }
    return distance(a.slot.train, *required).minus(distance(b.slot.train, *required))->num() < 0;
}

std::optional<BestTrain> firstTrain(const SearchRequest& request,
                                    const std::optional<Fraction>& required) {
    SearchRequest five = request;
    five.resultCount = 5;
    const ResultSlot first = runSelection(five).results.slots.front();
    if (!first.filled()) {
        return std::nullopt;
    }
    return BestTrain{first, isExactTrain(first.train, required)};
}

// The additions a user would note down: those whose first train needs the new gear and beats
// the set's own first train, the closest first and equals by tooth count.
std::vector<GearSuggestion> byHand(const SearchRequest& request,
                                   const std::optional<Fraction>& required) {
    const std::optional<BestTrain> asIs = firstTrain(request, required);
    std::vector<GearSuggestion> all;
    for (int tooth = kMinTeeth; tooth <= kMaxTeeth; ++tooth) {
        SearchRequest grown = request;
        grown.gears.push_back(static_cast<std::int16_t>(tooth));
        const std::optional<BestTrain> first = firstTrain(grown, required);
        if (!first) {
            continue;
        }
        const GearTrain& t = first->slot.train;
        const bool usesIt = t.z1 == tooth || t.z2 == tooth || t.z3 == tooth || t.z4 == tooth;
        if (usesIt && (!asIs || closer(*first, *asIs, required))) {
            all.push_back({tooth, *first});
        }
    }
    std::stable_sort(all.begin(), all.end(), [&](const GearSuggestion& a, const GearSuggestion& b) {
        return closer(a.best, b.best, required);
    });
    return all;
}

std::string described(const GearSuggestion& s) {
    const GearTrain& t = s.best.slot.train;
    return std::to_string(s.tooth) + ": " + std::to_string(t.z1) + "/" + std::to_string(t.z2) +
           " x " + std::to_string(t.z3) + "/" + std::to_string(t.z4) +
           (s.best.slot.repeat ? " R" : "") + (s.best.exact ? " exact " : " ") +
           std::to_string(s.best.slot.absError);
}

TEST(GearSuggestionTest, EqualsTheSearchesRunByHand) {
    std::mt19937 random(15);
    const int rounds = 150;
    int exactRounds = 0;
    int noneHelps = 0;
    for (int round = 0; round < rounds; ++round) {
        SearchRequest request;
        std::uniform_int_distribution<int> teeth(10, 70);
        request.gears.resize(static_cast<std::size_t>(1 + round % 9));
        for (auto& z : request.gears) {
            z = static_cast<std::int16_t>(teeth(random));
        }
        std::optional<Fraction> required;
        if (round % 2 == 0) {
            // The ratio of a train that one more gear could complete.
            const auto pick = [&] { return request.gears[random() % request.gears.size()]; };
            const int added = std::uniform_int_distribution<int>(10, 255)(random);
            required = Fraction(pick() * pick(), pick() * added);
            request.requiredRatio = required->toDouble();
        } else {
            request.requiredRatio = std::uniform_real_distribution<double>(0.05, 8.0)(random);
        }
        request.zn = std::array{5, 15, 30}[static_cast<std::size_t>(round % 3)];
        request.includeSinglePairs = round % 4 < 2;
        request.allowRepeats = round % 5 < 3;
        const SuggestionReport report = suggestGears(request, required);
        const auto expected = byHand(request, required);
        ASSERT_EQ(report.suggestions.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(described(report.suggestions[i]), described(expected[i]))
                << "round " << round << ", place " << i;
            ASSERT_EQ(report.suggestions[i].best.slot, expected[i].best.slot);
        }
        const std::optional<BestTrain> asIs = firstTrain(request, required);
        ASSERT_EQ(report.bestInSet.has_value(), asIs.has_value());
        if (asIs) {
            EXPECT_EQ(report.bestInSet->slot, asIs->slot);
        }
        exactRounds += !expected.empty() && expected.front().best.exact ? 1 : 0;
        noneHelps += expected.empty() ? 1 : 0;
    }
    EXPECT_GT(exactRounds, rounds / 4); // the exact case is well exercised
    EXPECT_GT(noneHelps, 0);            // and so is a set that no single gear improves
}

TEST(GearSuggestionTest, EqualAnswersRankByToothCountNotByRounding) {
    // 127 and 254 both give 60/127 exactly; 18, 27 and 36 all give 100/81 for 1.2345, whose
    // double errors differ in the last bits.
    const struct {
        const char* name;
        Gears gears;
        double ratio;
        Fraction required;
        std::vector<int> firstTeeth;
    } cases[] = {
        {"exact 60/127", {20, 40, 120}, 60.0 / 127, Fraction(60, 127), {127, 254}},
        {"decimal 1.2345", {20, 30, 40}, 1.2345, Fraction(2469, 2000), {18, 27, 36}},
    };
    for (const auto& c : cases) {
        SearchRequest request;
        request.gears = c.gears;
        request.requiredRatio = c.ratio;
        const SuggestionReport report = suggestGears(request, c.required);
        ASSERT_GE(report.suggestions.size(), c.firstTeeth.size()) << c.name;
        for (std::size_t i = 0; i < c.firstTeeth.size(); ++i) {
            EXPECT_EQ(report.suggestions[i].tooth, c.firstTeeth[i]) << c.name << ", place " << i;
        }
    }
}

TEST(GearSuggestionTest, OnlyGearsThatGiveABetterTrainAreSuggested) {
    // The first default machine: at 1.23456 its own 50/45 x 50/45 (100/81) is closer than
    // any train one more gear makes; at 1/4 it has an exact train.
    SearchRequest request;
    request.gears = {20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80, 90, 100, 120};
    request.requiredRatio = 1.23456;
    const SuggestionReport close = suggestGears(request, Fraction(3858, 3125));
    ASSERT_TRUE(close.bestInSet);
    EXPECT_EQ(trainFraction(close.bestInSet->slot.train), Fraction(100, 81));
    EXPECT_TRUE(close.suggestions.empty());
    request.requiredRatio = 0.25;
    const SuggestionReport exact = suggestGears(request, Fraction(1, 4));
    EXPECT_TRUE(exact.exactInSet());
    EXPECT_TRUE(exact.suggestions.empty());

    // Where gears do help, each one's train uses it and beats the set's own.
    request.gears = kHobbingSet;
    request.requiredRatio = 24.0 / 101;
    const SuggestionReport hobbing = suggestGears(request, Fraction(24, 101));
    ASSERT_GT(hobbing.suggestions.size(), 10U);
    for (const GearSuggestion& s : hobbing.suggestions) {
        SCOPED_TRACE(described(s));
        const GearTrain& t = s.best.slot.train;
        EXPECT_TRUE(t.z1 == s.tooth || t.z2 == s.tooth || t.z3 == s.tooth || t.z4 == s.tooth);
        EXPECT_TRUE(closer(s.best, *hobbing.bestInSet, Fraction(24, 101)));
    }
}

TEST(GearSuggestionTest, AMissingPrimeIsTheGearToBuy) {
    SearchRequest request;
    request.gears = kHobbingSet;
    request.zn = 14;
    request.requiredRatio = 24.0 / 101;
    const SuggestionReport report = suggestGears(request, Fraction(24, 101));
    EXPECT_FALSE(report.exactInSet());
    ASSERT_TRUE(report.bestInSet.has_value());
    EXPECT_GT(report.bestInSet->slot.absError, 0.0);
    ASSERT_GE(report.suggestions.size(), 3U);
    EXPECT_EQ(report.suggestions[0].tooth, 101);
    EXPECT_TRUE(report.suggestions[0].best.exact);
    EXPECT_EQ(report.suggestions[1].tooth, 202);
    EXPECT_TRUE(report.suggestions[1].best.exact);
    EXPECT_FALSE(report.suggestions[2].best.exact);
    EXPECT_LT(report.suggestions[2].best.slot.absError, report.bestInSet->slot.absError);
    EXPECT_TRUE(report.inRange);

    // With the gear bought, the set says so itself.
    request.gears.push_back(101);
    EXPECT_TRUE(suggestGears(request, Fraction(24, 101)).exactInSet());
}

TEST(GearSuggestionTest, SaysWhichGearsBringARatioIntoRange) {
    SearchRequest request;
    request.gears = {40, 50, 60};
    request.allowRepeats = false;
    request.requiredRatio = 0.5; // the set reaches 40/60 x 50/50 ... 2/3 at the least
    const SuggestionReport report = suggestGears(request, Fraction(1, 2));
    EXPECT_FALSE(report.inRange);
    // t/60 x 40/50 <= 1/2 for t up to 37; 40/t x 50/60 <= 1/2 from t = 67.
    std::vector<int> expected;
    for (int t = 10; t <= 255; ++t) {
        if (t <= 37 || t >= 67) {
            expected.push_back(t);
        }
    }
    EXPECT_EQ(report.bringIntoRange, expected);
    EXPECT_EQ(report.suggestions.front().tooth, 20); // 20/40 is exactly 1/2
    EXPECT_TRUE(report.suggestions.front().best.exact);
}

TEST(GearSuggestionTest, RefusesWhatTheSearchRefuses) {
    SearchRequest request;
    request.gears = {20, 30};
    request.requiredRatio = 0.0;
    EXPECT_THROW(suggestGears(request, std::nullopt), std::invalid_argument);
    request.requiredRatio = 1.5;
    request.gears.assign(static_cast<std::size_t>(kMaxGearCount), 20);
    EXPECT_THROW(suggestGears(request, std::nullopt), std::invalid_argument);
}

} // namespace
} // namespace gearsel
