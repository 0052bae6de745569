// Which gear to buy: the ranked additions against the 246 searches run one by one as a user
// would run them (a list of five, its first train taken), on random small gear sets with every
// option; and the worked cases of a hobbing set and of a ratio outside the reachable range.

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

std::vector<GearSuggestion> byHand(const SearchRequest& request,
                                   const std::optional<Fraction>& required) {
    std::vector<GearSuggestion> all;
    for (int tooth = kMinTeeth; tooth <= kMaxTeeth; ++tooth) {
        SearchRequest grown = request;
        grown.gears.push_back(static_cast<std::int16_t>(tooth));
        grown.resultCount = 5;
        const ResultSlot first = runSelection(grown).results.slots.front();
        if (first.filled()) {
            all.push_back({tooth, {first, isExactTrain(first.train, required)}});
        }
    }
    std::stable_sort(all.begin(), all.end(), [](const GearSuggestion& a, const GearSuggestion& b) {
        if (a.best.exact != b.best.exact) {
            return a.best.exact;
        }
        return a.best.slot.absError < b.best.slot.absError;
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
        SearchRequest asIs = request;
        const ResultSlot first = runSelection(asIs).results.slots.front();
        ASSERT_EQ(report.bestInSet.has_value(), first.filled());
        if (first.filled()) {
            EXPECT_EQ(report.bestInSet->slot, first);
        }
        exactRounds += !expected.empty() && expected.front().best.exact ? 1 : 0;
    }
    EXPECT_GT(exactRounds, rounds / 4); // the exact case is well exercised
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
