// SPDX-License-Identifier: GPL-3.0-or-later
// Which gear to buy: the ranked additions against the 246 searches run one by one as a user
// would run them (the whole list, and of the trains exactly as close as its first the one of
// fewest gears and repeated counts), on random small gear sets with every option, fixed gears,
// gears used once and machines to fit trains to; equal answers in tooth-count order; only
// gears that help; the worked cases of a hobbing set, of a ratio outside the reachable range
// and of an idler to buy; and the same for three-pair trains.

#include "differential_cases.h"
#include "engine/gear_suggestion.h"
#include "engine/selection.h"
#include "engine/train_fitter.h"
#include "engine/train_fraction.h"
#include "random_geometry.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <span>
#include <stdexcept>
#include <string>

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

// The required ratio as an exact number num/den: its fraction, or the double itself, which is
// a whole number of at most 53 bits over a power of two (the ratios here lie within 2^±20).
__extension__ typedef __int128 Wide;

struct Exact {
    Wide num;
    Wide den;
};

Exact exactOf(double ratio, const std::optional<Fraction>& required) {
    if (required) {
        return {required->num(), required->den()};
    }
    int exponent = 0;
    const double mantissa = std::frexp(ratio, &exponent);
    return {static_cast<std::int64_t>(std::ldexp(mantissa, 53)), static_cast<Wide>(1)
                                                                     << (53 - exponent)};
}

// Whether the trains P1/Q1 and P2/Q2 lie exactly equally far from the ratio:
// |P1·den - Q1·num|·Q2 = |P2·den - Q2·num|·Q1.
bool tiedExactly(std::int64_t p1, std::int64_t q1, std::int64_t p2, std::int64_t q2,
                 const Exact& r) {
    const auto away = [&](std::int64_t p, std::int64_t q) {
        const auto d = p * r.den - q * r.num;
        return d < 0 ? -d : d;
    };
    return away(p1, q1) * q2 == away(p2, q2) * q1;
}

bool tiedExactly(const GearTrain& a, const GearTrain& b, const Exact& r) {
    const auto terms = [](const GearTrain& t) {
        return t.z3 == 0 ? std::pair<std::int64_t, std::int64_t>{t.z1, t.z2}
                         : std::pair<std::int64_t, std::int64_t>{t.z1 * t.z3, t.z2 * t.z4};
    };
    return tiedExactly(terms(a).first, terms(a).second, terms(b).first, terms(b).second, r);
}

// Gears, then gears less distinct counts: what a workshop prefers fewer of.
std::pair<int, int> costOfTeeth(const std::vector<int>& teeth) {
    const int gears = static_cast<int>(teeth.size());
    return {gears, gears - static_cast<int>(std::set<int>(teeth.begin(), teeth.end()).size())};
}

std::pair<int, int> costOf(const GearTrain& t) {
    return t.z3 == 0 ? costOfTeeth({t.z1, t.z2}) : costOfTeeth({t.z1, t.z2, t.z3, t.z4});
}

// How often the pick below was not the list's first train: the preference decided.
int preferredOverFirst = 0;

// The train a user would pick from the search's whole list: of those exactly as close as
// the first, the one of fewest gears, then fewest repeated counts, the first listed.
std::optional<BestTrain> firstTrain(const SearchRequest& request,
                                    const std::optional<Fraction>& required) {
    // Every train the set can make fits in the list: n^4 two-pair trains and n^2 single pairs
    // of the set and the fixed gears it lacks.
    SearchRequest all = request;
    const auto n = static_cast<int>(request.gears.size()) + 2;
    all.resultCount = std::min(kMaxResultCount, n * n * n * n + n * n);
    const ResultList list = runSelection(all).results;
    if (list.filledCount() == 0) {
        return std::nullopt;
    }
    const Exact exact = exactOf(request.requiredRatio, required);
    ResultSlot pick = list.slots.front();
    for (const ResultSlot& slot : std::span(list.slots).first(list.filledCount())) {
        if (tiedExactly(slot.train, list.slots.front().train, exact) &&
            costOf(slot.train) < costOf(pick.train)) {
            pick = slot;
        }
    }
    preferredOverFirst += pick == list.slots.front() ? 0 : 1;
    return BestTrain{pick, isExactTrain(pick.train, required)};
}

// Whether the train needs the added gear: it is one of its gears, or the idler that lets a
// single pair fit.
bool needs(const GearTrain& t, int tooth, const SearchRequest& grown) {
    return t.z1 == tooth || t.z2 == tooth || t.z3 == tooth || t.z4 == tooth ||
           (grown.fitGeometry && t.z3 == 0 &&
            TrainFitter(*grown.fitGeometry, grown.gears).fit(t).idler == tooth);
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
        if (first && needs(first->slot.train, tooth, grown) &&
            (!asIs || closer(*first, *asIs, required))) {
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

// A small random request: up to nine gears of 10 to 70 teeth, an exact ratio one more gear
// could complete (even rounds) or any double, every option; with `rules`, fixed gears, gears
// used once and a machine to fit trains to, each in some rounds.
SearchRequest randomRequest(std::mt19937_64& random, int round, std::optional<Fraction>& required,
                            bool rules) {
    SearchRequest request;
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    request.gears.resize(static_cast<std::size_t>(1 + round % 9));
    for (auto& z : request.gears) {
        z = static_cast<std::int16_t>(10 + below(61));
    }
    const auto pick = [&] { return request.gears[random() % request.gears.size()]; };
    required.reset();
    if (round % 2 == 0) {
        required = Fraction(pick() * pick(), pick() * (10 + below(246)));
        request.requiredRatio = required->toDouble();
    } else {
        request.requiredRatio = std::uniform_real_distribution<double>(0.05, 8.0)(random);
    }
    request.zn = std::array{5, 15, 30}[static_cast<std::size_t>(round % 3)];
    request.includeSinglePairs = round % 4 < 2;
    request.allowRepeats = round % 5 < 3;
    if (rules) {
        if (below(3) == 0) {
            request.firstDriver = below(2) == 0 ? pick() : 10 + below(61);
        }
        if (below(3) == 0) {
            request.lastDriven = below(2) == 0 ? pick() : 10 + below(61);
        }
        request.useOnce = below(2) == 0;
        if (below(2) == 0) {
            request.fitGeometry = randomGeometry(random, request.gears);
        }
    }
    return request;
}

// Checks suggestGears() against byHand(), which it leaves in `expected`.
void expectSameReport(const SearchRequest& request, const std::optional<Fraction>& required,
                      const std::string& name, std::vector<GearSuggestion>& expected) {
    const SuggestionReport report = suggestGears(request, required);
    expected = byHand(request, required);
    ASSERT_EQ(report.suggestions.size(), expected.size()) << name;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(described(report.suggestions[i]), described(expected[i]))
            << name << ", place " << i;
        ASSERT_EQ(report.suggestions[i].best.slot, expected[i].best.slot);
    }
    const std::optional<BestTrain> asIs = firstTrain(request, required);
    ASSERT_EQ(report.bestInSet.has_value(), asIs.has_value()) << name;
    if (asIs) {
        EXPECT_EQ(report.bestInSet->slot, asIs->slot) << name;
    }
}

TEST(GearSuggestionTest, EqualsTheSearchesRunByHand) {
    preferredOverFirst = 0;
    std::mt19937_64 random(15);
    const int rounds = kSanitized ? 50 : 150;
    int exactRounds = 0;
    int noneHelps = 0;
    for (int round = 0; round < rounds; ++round) {
        std::optional<Fraction> required;
        const SearchRequest request = randomRequest(random, round, required, false);
        std::vector<GearSuggestion> expected;
        expectSameReport(request, required, "round " + std::to_string(round), expected);
        exactRounds += !expected.empty() && expected.front().best.exact ? 1 : 0;
        noneHelps += expected.empty() ? 1 : 0;
    }
    EXPECT_GT(exactRounds, rounds / 4); // the exact case is well exercised
    EXPECT_GT(noneHelps, 0);            // and so is a set that no single gear improves
    EXPECT_GT(preferredOverFirst, 100); // and a simpler train than the search's first
}

TEST(GearSuggestionTest, FixedGearsUseOnceAndFitOnlyHoldInEverySearch) {
    std::mt19937_64 random(23);
#ifdef GEARSEL_SANITIZED
    const int rounds = 20;
#else
    const int rounds = 120;
#endif
    int idlers = 0; // suggestions whose gear is the idler of a single pair
    for (int round = 0; round < rounds; ++round) {
        std::optional<Fraction> required;
        const SearchRequest request = randomRequest(random, round, required, true);
        std::vector<GearSuggestion> expected;
        expectSameReport(request, required, "round " + std::to_string(round), expected);
        for (const GearSuggestion& s : expected) {
            const GearTrain& t = s.best.slot.train;
            idlers += t.z3 == 0 && t.z1 != s.tooth && t.z2 != s.tooth ? 1 : 0;
        }
    }
#ifdef GEARSEL_SANITIZED
    static_cast<void>(idlers); // the few rounds under the sanitizers may meet none
#else
    EXPECT_GT(idlers, 0);
#endif
}

TEST(GearSuggestionTest, TheBestTrainOfManyTiedOnesIsThePickFromTheWholeList) {
    // Sets of up to forty gears on a step of 5 and ratios that trains hit: hundreds of trains
    // tie with the first, more than a short list holds, so the answer comes from the narrower
    // searches and longer lists.
    std::mt19937_64 random(41);
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    int manyTied = 0;
    for (int round = 0; round < 150; ++round) {
        SearchRequest request;
        for (int i = 10 + below(31); i > 0; --i) {
            request.gears.push_back(static_cast<std::int16_t>(20 + 5 * below(13)));
        }
        const auto pick = [&] { return request.gears[random() % request.gears.size()]; };
        const Fraction required =
            below(2) == 0 ? Fraction(pick(), pick()) : Fraction(pick() * pick(), pick() * pick());
        request.requiredRatio = required.toDouble();
        request.zn = 5 + below(30);
        request.includeSinglePairs = below(2) == 0;
        request.allowRepeats = below(4) != 0;
        request.useOnce = below(4) == 0;
        if (below(4) == 0) {
            request.fitGeometry = randomGeometry(random, request.gears);
        }
        SearchRequest all = request;
        all.resultCount = kMaxResultCount;
        const ResultList list = runSelection(all).results;
        const int filled = list.filledCount();
        const Exact exact = exactOf(request.requiredRatio, required);
        int tied = 0;
        while (tied < filled && tiedExactly(list.slots[static_cast<std::size_t>(tied)].train,
                                            list.slots.front().train, exact)) {
            ++tied;
        }
        if (tied == kMaxResultCount) {
            continue; // the whole list ties: the pick by hand would not see them all
        }
        manyTied += tied > 16 ? 1 : 0;
        const auto expected = firstTrain(request, required);
        const auto best = bestTrain(request, required);
        ASSERT_EQ(best.has_value(), expected.has_value()) << "round " << round;
        if (best) {
            EXPECT_EQ(best->slot, expected->slot) << "round " << round;
        }
    }
    EXPECT_GT(manyTied, 25);
}

TEST(GearSuggestionTest, AnIdlerIsAGearToBuy) {
    // Module 1, centre 45, stud 50..55: no train of 20 and 40 fits. Two pairs need
    // 100 <= z3 + z4 <= 110; 20/40 meshes at 30 mm, not 45, and its idler zi must make
    // 100 <= zi + 40 <= 110: a 60 is the smallest, and 20/40 is exactly 0.5. No gear below 60
    // gives an exact train that fits: 50/50 would need z3 = 50 < 20 + 40 - 15.
    SearchRequest request{{20, 40}, 0.5, 5, 15, true, true};
    request.fitGeometry = MachineGeometry{{ToothSize::Unit::Module, 1.0}, 45.0, {{50.0, 55.0}}, {}};
    const SuggestionReport report = suggestGears(request, Fraction(1, 2));
    EXPECT_FALSE(report.bestInSet);
    ASSERT_FALSE(report.suggestions.empty());
    EXPECT_EQ(report.suggestions.front().tooth, 60);
    EXPECT_EQ(report.suggestions.front().best.slot.train, (GearTrain{20, 40, 0, 0}));
    EXPECT_TRUE(report.suggestions.front().best.exact);
}

// The same by hand for three-pair trains: the whole list, of the trains exactly as close as
// its first the one of fewest repeated counts, the first listed.
std::optional<BestThreePairTrain> firstThreePair(const SearchRequest& request,
                                                 const std::optional<Fraction>& required) {
    SearchRequest all = request;
    all.resultCount = kMaxResultCount;
    const auto slots = runThreePairSelection(all, required).slots;
    if (slots.empty()) {
        return std::nullopt;
    }
    const Exact exact = exactOf(request.requiredRatio, required);
    const auto tied = [&](const ThreePairTrain& a, const ThreePairTrain& b) {
        return tiedExactly(a.z1 * a.z3 * a.z5, a.z2 * a.z4 * a.z6, b.z1 * b.z3 * b.z5,
                           b.z2 * b.z4 * b.z6, exact);
    };
    const auto cost = [](const ThreePairTrain& t) {
        return costOfTeeth({t.z1, t.z2, t.z3, t.z4, t.z5, t.z6});
    };
    ThreePairSlot pick = slots.front();
    for (const ThreePairSlot& slot : slots) {
        if (tied(slot.train, slots.front().train) && cost(slot.train) < cost(pick.train)) {
            pick = slot;
        }
    }
    preferredOverFirst += pick == slots.front() ? 0 : 1;
    return BestThreePairTrain{pick, isExactThreePair(pick.train, required)};
}

// Whether `a` is exactly closer than `b`: |Pa/Qa - r| < |Pb/Qb - r|.
bool closerThreePair(const BestThreePairTrain& a, const BestThreePairTrain& b, const Exact& r) {
    const auto away = [&](const ThreePairTrain& t) {
        const auto d = static_cast<Wide>(t.z1 * t.z3 * t.z5) * r.den -
                       static_cast<Wide>(t.z2 * t.z4 * t.z6) * r.num;
        return d < 0 ? -d : d;
    };
    const ThreePairTrain& x = a.slot.train;
    const ThreePairTrain& y = b.slot.train;
    return away(x) * (y.z2 * y.z4 * y.z6) < away(y) * (x.z2 * x.z4 * x.z6);
}

TEST(GearSuggestionTest, ThreePairsEqualTheSearchesRunByHand) {
    preferredOverFirst = 0;
    std::mt19937_64 random(31);
    int exactRounds = 0;
    for (int round = 0; round < 12; ++round) {
        std::optional<Fraction> required;
        SearchRequest request = randomRequest(random, round, required, round % 2 == 1);
        request.gears.resize(std::min(request.gears.size(), std::size_t{4}));
        request.fitGeometry.reset(); // whether three pairs fit is unknown
        request.zn = 5;
        if (required) {
            // The ratio of a three-pair train that one more gear could complete.
            const auto pick = [&] { return request.gears[random() % request.gears.size()]; };
            required = Fraction(pick() * pick() * pick(), pick() * pick() * (10 + random() % 246));
            request.requiredRatio = required->toDouble();
        }
        const Exact exact = exactOf(request.requiredRatio, required);
        const auto asIs = firstThreePair(request, required);
        std::vector<ThreePairSuggestion> expected;
        for (int tooth = kMinTeeth; tooth <= kMaxTeeth; ++tooth) {
            SearchRequest grown = request;
            grown.gears.push_back(static_cast<std::int16_t>(tooth));
            const auto first = firstThreePair(grown, required);
            const ThreePairTrain* t = first ? &first->slot.train : nullptr;
            if (t &&
                (t->z1 == tooth || t->z2 == tooth || t->z3 == tooth || t->z4 == tooth ||
                 t->z5 == tooth || t->z6 == tooth) &&
                (!asIs || closerThreePair(*first, *asIs, exact))) {
                expected.push_back({tooth, *first});
            }
        }
        std::stable_sort(expected.begin(), expected.end(), [&](const auto& a, const auto& b) {
            return closerThreePair(a.best, b.best, exact);
        });
        const ThreePairSuggestionReport report = suggestGearsThreePairs(request, required);
        ASSERT_EQ(report.suggestions.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(report.suggestions[i].tooth, expected[i].tooth) << "round " << round;
            EXPECT_EQ(report.suggestions[i].best.slot, expected[i].best.slot) << "round " << round;
        }
        ASSERT_EQ(report.bestInSet.has_value(), asIs.has_value()) << "round " << round;
        if (asIs) {
            EXPECT_EQ(report.bestInSet->slot, asIs->slot) << "round " << round;
        }
        exactRounds += !expected.empty() && expected.front().best.exact ? 1 : 0;
    }
    EXPECT_GT(exactRounds, 2);
    EXPECT_GT(preferredOverFirst, 100);
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
    // The first default machine: at 1.23456 its own 100/81 (50/90 x 100/45) is closer than
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
