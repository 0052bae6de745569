// SPDX-License-Identifier: GPL-3.0-or-later
// Which gear to buy, screened: suggestGears() searches only the additions that one pass over
// the trains holding one new count lets through, and must give the very report of
// suggestGearsOneSearchEach(), which searches all 246. Random small sets with every option the
// suggestions honour, and the screen's own worth: at forty gears it lets few additions through.

#include "differential_cases.h"
#include "engine/addition_screen.h"
#include "engine/gear_suggestion.h"
#include "random_geometry.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace gearsel {
namespace {

std::string described(const SearchRequest& r, const std::optional<Fraction>& required) {
    std::ostringstream text;
    text << "gears";
    for (const std::int16_t z : r.gears) {
        text << ' ' << z;
    }
    text.precision(17);
    text << " ratio " << r.requiredRatio;
    if (required) {
        text << " (" << required->num() << '/' << required->den() << ')';
    }
    text << " zn " << r.zn << (r.includeSinglePairs ? " singles" : "")
         << (r.allowRepeats ? " repeats" : "") << (r.useOnce ? " once" : "")
         << (r.fitGeometry ? " fit" : "");
    if (r.firstDriver) {
        text << " first " << *r.firstDriver;
    }
    if (r.lastDriven) {
        text << " last " << *r.lastDriven;
    }
    return text.str();
}

// What the tallies of the random cases count, so that each shape is known to be met.
struct Tallies {
    int suggested = 0;  // cases where some gear helps
    int noneHelps = 0;  // a set with a train that no single gear beats
    int noTrain = 0;    // a set without any train
    int exactBest = 0;  // a best suggestion that meets the ratio exactly
    int idler = 0;      // a suggestion whose gear is a single pair's idler
    int secondCopy = 0; // a suggestion of a count the set holds already
};

// A small random request: one to eight gears of 10 to 80 teeth (copies in some), and a ratio
// that trains of the set and one more gear hit exactly, a short decimal, a fraction, a plain
// double, a negative ratio or one beyond the set's reach; every option in some cases.
SearchRequest randomRequest(RandomDraws& draw, std::optional<Fraction>& required, int most = 8) {
    SearchRequest request;
    const int size = 1 + draw.below(most);
    for (int i = 0; i < size; ++i) {
        request.gears.push_back(static_cast<std::int16_t>(10 + draw.below(71)));
    }
    if (draw.below(4) == 0) {
        request.gears.push_back(request.gears.front()); // a second gear of one count
    }
    const auto pick = [&] { return static_cast<int>(draw.any(request.gears)); };
    const auto any = [&] { return 10 + draw.below(246); };
    required.reset();
    switch (draw.below(6)) {
    case 0: // a train of the set with one gear of any count
        required = Fraction(pick() * pick(), pick() * any());
        break;
    case 1: // a short decimal, as typed
        required = Fraction(1 + draw.below(99999), 10000);
        break;
    case 2: // a single pair, as when the set holds a train exactly or ties abound
        required = Fraction(pick(), draw.below(2) == 0 ? pick() : any());
        break;
    case 3: // a negative fraction: the search measures from it like any other number
        required = Fraction(-(1 + draw.below(50)), 1 + draw.below(50));
        break;
    case 4: // far beyond anything the gears reach, or far below
        request.requiredRatio = draw.below(2) == 0 ? draw.uniform(30.0, 700.0) : 1e-3;
        break;
    default: // a double without a fraction
        request.requiredRatio = draw.uniform(0.05, 8.0);
        break;
    }
    if (required) {
        request.requiredRatio = required->toDouble();
    }
    request.zn = draw.any(std::vector<int>{0, 5, 15, 30, 60});
    request.includeSinglePairs = draw.below(3) != 0;
    request.allowRepeats = draw.below(3) != 0;
    request.useOnce = draw.below(3) == 0;
    if (draw.below(4) == 0) {
        request.firstDriver = draw.below(2) == 0 ? pick() : any();
    }
    if (draw.below(4) == 0) {
        request.lastDriven = draw.below(2) == 0 ? pick() : any();
    }
    if (draw.below(4) == 0 && most == 8) {
        request.fitGeometry = randomGeometry(draw.stream(), request.gears);
    }
    return request;
}

// Every field of the screened report equals the plain one's, the doubles bit for bit.
template <class Slot>
void expectSame(const SuggestionReportOf<Slot>& fast, const SuggestionReportOf<Slot>& plain,
                const std::string& name) {
    ASSERT_EQ(fast.bestInSet.has_value(), plain.bestInSet.has_value()) << name;
    if (plain.bestInSet) {
        ASSERT_EQ(fast.bestInSet->slot, plain.bestInSet->slot) << name;
        ASSERT_EQ(fast.bestInSet->exact, plain.bestInSet->exact) << name;
    }
    ASSERT_EQ(fast.inRange, plain.inRange) << name;
    ASSERT_EQ(fast.bringIntoRange, plain.bringIntoRange) << name;
    ASSERT_EQ(fast.suggestions.size(), plain.suggestions.size()) << name;
    for (std::size_t i = 0; i < plain.suggestions.size(); ++i) {
        ASSERT_EQ(fast.suggestions[i].tooth, plain.suggestions[i].tooth) << name;
        ASSERT_EQ(fast.suggestions[i].best.slot, plain.suggestions[i].best.slot) << name;
        ASSERT_EQ(fast.suggestions[i].best.exact, plain.suggestions[i].best.exact) << name;
    }
}

void tally(const SuggestionReport& report, const SearchRequest& request, Tallies& tallies) {
    tallies.suggested += report.suggestions.empty() ? 0 : 1;
    tallies.noneHelps += report.bestInSet && report.suggestions.empty() ? 1 : 0;
    tallies.noTrain += report.bestInSet ? 0 : 1;
    tallies.exactBest +=
        !report.suggestions.empty() && report.suggestions.front().best.exact ? 1 : 0;
    for (const GearSuggestion& s : report.suggestions) {
        const GearTrain& t = s.best.slot.train;
        tallies.idler += t.z3 == 0 && t.z1 != s.tooth && t.z2 != s.tooth ? 1 : 0;
        tallies.secondCopy +=
            std::find(request.gears.begin(), request.gears.end(), s.tooth) != request.gears.end()
                ? 1
                : 0;
    }
}

TEST(AdditionScreenTest, ScreenedSuggestionsEqualEveryAdditionSearched) {
#ifdef GEARSEL_SANITIZED
    const int cases = diffCases(150, 10);
#else
    const int cases = diffCases(2000, 2);
#endif
    const std::uint64_t seed = diffSeed(24);
    RandomDraws draw(seed);
    Tallies tallies;
    for (int round = 0; round < cases; ++round) {
        std::optional<Fraction> required;
        const SearchRequest request = randomRequest(draw, required);
        const std::string name = "seed " + std::to_string(seed) + " case " + std::to_string(round) +
                                 ": " + described(request, required);
        const SuggestionReport plain = suggestGearsOneSearchEach(request, required);
        ASSERT_NO_FATAL_FAILURE(expectSame(suggestGears(request, required), plain, name));
        tally(plain, request, tallies);
    }
#ifndef GEARSEL_SANITIZED
    // Each shape the screen must get right is met often enough to matter.
    EXPECT_GT(tallies.suggested, cases / 4);
    EXPECT_GT(tallies.noneHelps, cases / 40);
    EXPECT_GT(tallies.noTrain, cases / 50);
    EXPECT_GT(tallies.exactBest, cases / 20);
    EXPECT_GT(tallies.idler, 0);
    EXPECT_GT(tallies.secondCopy, 0);
#endif
}

TEST(AdditionScreenTest, ScreenedThreePairSuggestionsEqualEveryAdditionSearched) {
    // Up to four gears (three-pair trains take no geometry): a third pair often reaches what
    // two cannot, and ties abound.
#ifdef GEARSEL_SANITIZED
    const int cases = diffCases(20, 200);
#else
    const int cases = diffCases(200, 20);
#endif
    const std::uint64_t seed = diffSeed(36);
    RandomDraws draw(seed);
    int suggested = 0;
    int noneHelps = 0;
    for (int round = 0; round < cases; ++round) {
        std::optional<Fraction> required;
        const SearchRequest request = randomRequest(draw, required, 4);
        const std::string name = "seed " + std::to_string(seed) + " case " + std::to_string(round) +
                                 ": " + described(request, required);
        const ThreePairSuggestionReport plain =
            suggestGearsThreePairsOneSearchEach(request, required);
        ASSERT_NO_FATAL_FAILURE(expectSame(suggestGearsThreePairs(request, required), plain, name));
        suggested += plain.suggestions.empty() ? 0 : 1;
        noneHelps += plain.bestInSet && plain.suggestions.empty() ? 1 : 0;
    }
#ifndef GEARSEL_SANITIZED
    EXPECT_GT(suggested, cases / 4);
    EXPECT_GT(noneHelps, 0);
#endif
}

TEST(AdditionScreenTest, LetsThroughFewAdditionsOnAFullSet) {
    // Forty counts 20, 22, …, 98: a train closer than the set's best is rare among the ones a
    // new count gives, so of the 246 additions only a few may help.
    SearchRequest request;
    for (int z = 20; z < 100; z += 2) {
        request.gears.push_back(static_cast<std::int16_t>(z));
    }
    const struct {
        const char* name;
        Fraction ratio;
    } cases[] = {{"1.23456", Fraction(123456, 100000)},
                 {"24/101", Fraction(24, 101)},
                 {"3.14159", Fraction(314159, 100000)}};
    for (const auto& c : cases) {
        request.requiredRatio = c.ratio.toDouble();
        const SuggestionReport report = suggestGearsOneSearchEach(request, c.ratio);
        ASSERT_TRUE(report.bestInSet) << c.name;
        const std::vector<char> through =
            additionsCloserThan(request, c.ratio, report.bestInSet->slot);
        const auto passed = std::count(through.begin(), through.end(), 1);
        EXPECT_GE(passed, static_cast<long>(report.suggestions.size())) << c.name;
        EXPECT_LE(passed, static_cast<long>(report.suggestions.size()) + 10) << c.name;
        for (const GearSuggestion& s : report.suggestions) {
            EXPECT_EQ(through[static_cast<std::size_t>(s.tooth - kMinTeeth)], 1) << c.name;
        }
    }
}

TEST(AdditionScreenTest, NothingBeatsAnExactTrainAndAnyTrainPassesWithoutOne) {
    // 20/40 is exactly 1/2: no addition can come closer. Without 40 the set {20} has no
    // train of two different counts, and with repeats off only an addition gives one.
    SearchRequest request{{20, 40}, 0.5, 5, 15, true, true};
    const ResultSlot exact{GearTrain{20, 40, 0, 0}, false, 0.5, 0.0};
    const std::vector<char> none = additionsCloserThan(request, Fraction(1, 2), exact);
    EXPECT_EQ(std::count(none.begin(), none.end(), 1), 0);

    request.gears = {20};
    request.allowRepeats = false;
    const std::vector<char> any = additionsCloserThan(request, Fraction(1, 2), std::nullopt);
    EXPECT_EQ(any[20 - kMinTeeth], 0); // a second 20 still makes no train without repeats
    EXPECT_EQ(any[40 - kMinTeeth], 1);
    EXPECT_EQ(std::count(any.begin(), any.end(), 1), kMaxTeeth - kMinTeeth);
}

} // namespace
} // namespace gearsel
