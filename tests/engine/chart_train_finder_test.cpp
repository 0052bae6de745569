// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's rows found through one index of the set's pairs against one search per row:
// thousands of random small sets, every option a chart honours (fixed gears, gears used once,
// trains that must fit, no repeats, no single pairs), ratios that many trains hit exactly,
// and the chart kinds, whole rows included.

#include "differential_cases.h"
#include "engine/chart_train_finder.h"
#include "engine/exact_train_finder.h"
#include "engine/gearbox_positions.h"
#include "engine/ratio_chart.h"
#include "engine/ratio_target.h"
#include "engine/selection.h"
#include "random_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <gtest/gtest.h>
#include <string>

namespace gearsel {
namespace {

// A small random setup: 1 to 10 gears of 10 to 60 teeth, copies likely, and each option of a
// chart in some of the cases.
SearchRequest randomSetup(RandomDraws& draw) {
    SearchRequest setup;
    const int gears = 1 + draw.below(10);
    const int widest = draw.below(3) == 0 ? 12 : 50;
    for (int g = 0; g < gears; ++g) {
        setup.gears.push_back(static_cast<std::int16_t>(10 + draw.below(widest + 1)));
    }
    setup.zn = draw.any(std::vector<int>{0, 5, 15, 15, 30});
    setup.includeSinglePairs = draw.below(4) != 0;
    setup.allowRepeats = draw.below(3) != 0;
    setup.useOnce = draw.below(4) == 0;
    if (draw.below(5) == 0) {
        setup.firstDriver = draw.below(2) == 0 ? setup.gears.front() : 10 + draw.below(51);
    }
    if (draw.below(5) == 0) {
        setup.lastDriven = draw.below(2) == 0 ? setup.gears.back() : 10 + draw.below(51);
    }
    if (draw.below(4) == 0) {
        setup.fitGeometry = randomGeometry(draw.stream(), setup.gears);
    }
    return setup;
}

// A ratio and its exact value: mostly one that trains of the set hit exactly (many of them
// at once where the set has copies or equal ratios), else a short fraction or any double.
std::pair<double, std::optional<Fraction>> randomRatio(RandomDraws& draw,
                                                       const SearchRequest& setup) {
    const auto gear = [&] { return static_cast<std::int64_t>(draw.any(setup.gears)); };
    switch (draw.below(4)) {
    case 0: {
        const Fraction f(gear() * gear(), gear() * gear());
        return {f.toDouble(), f};
    }
    case 1: {
        const Fraction f(gear(), gear());
        return {f.toDouble(), f};
    }
    case 2: {
        const Fraction f(1 + draw.below(40), 1 + draw.below(40));
        return {f.toDouble(), f};
    }
    default:
        return {draw.uniform(0.05, 8.0), std::nullopt};
    }
}

std::string describe(const SearchRequest& s, double ratio) {
    std::string text = "gears";
    for (const std::int16_t z : s.gears) {
        text += " " + std::to_string(z);
    }
    text += " zn " + std::to_string(s.zn) + (s.includeSinglePairs ? "" : " no-singles") +
            (s.allowRepeats ? "" : " no-repeats") + (s.useOnce ? " use-once" : "") +
            (s.firstDriver ? " first " + std::to_string(*s.firstDriver) : "") +
            (s.lastDriven ? " last " + std::to_string(*s.lastDriven) : "") +
            (s.fitGeometry ? " fit-only" : "") + " ratio " + std::to_string(ratio);
    return text;
}

void expectSameBest(const std::optional<BestTrain>& found, const std::optional<BestTrain>& want) {
    ASSERT_EQ(found.has_value(), want.has_value());
    if (want) {
        EXPECT_EQ(found->slot, want->slot);
        EXPECT_EQ(found->exact, want->exact);
    }
}

TEST(ChartTrainFinderTest, EqualsOneSearchPerRatioOnRandomSets) {
    RandomDraws draw(diffSeed(24001));
    const int cases = diffCases(3000);
    for (int c = 0; c < cases; ++c) {
        const SearchRequest setup = randomSetup(draw);
        ChartTrainFinder finder(setup);
        // Several ratios on one finder, as a chart's rows ask it.
        for (int row = 0; row < 4; ++row) {
            const auto [ratio, exact] = randomRatio(draw, setup);
            SCOPED_TRACE(describe(setup, ratio));
            SearchRequest request = setup;
            request.requiredRatio = ratio;
            expectSameBest(finder.best(ratio, exact), bestTrain(request, exact));
        }
    }
}

TEST(ChartTrainFinderTest, EqualsOneSearchPerRatioWhereThousandsOfTrainsTie) {
    // Every count 10 to 60 twice: ratios like 1, 1/2 and 3/4 are hit by thousands of trains,
    // copies of each, and the answer lies among the trains the short lists leave out.
    SearchRequest setup;
    for (int z = 10; z <= 60; ++z) {
        setup.gears.insert(setup.gears.end(), 2, static_cast<std::int16_t>(z));
    }
    for (const bool repeats : {true, false}) {
        for (const bool once : {false, true}) {
            setup.allowRepeats = repeats;
            setup.useOnce = once;
            ChartTrainFinder finder(setup);
            for (const Fraction f : {Fraction(1, 1), Fraction(1, 2), Fraction(3, 4),
                                     Fraction(24, 17), Fraction(7, 100)}) {
                SCOPED_TRACE(describe(setup, f.toDouble()));
                SearchRequest request = setup;
                request.requiredRatio = f.toDouble();
                expectSameBest(finder.best(f.toDouble(), f), bestTrain(request, f));
            }
        }
    }
}

TEST(ChartTrainFinderTest, RefusesWhatTheSearchRefuses) {
    SearchRequest setup;
    setup.gears = {20, 30};
    ChartTrainFinder finder(setup);
    EXPECT_THROW(finder.best(0.0, std::nullopt), SearchRefused);
    EXPECT_THROW(finder.best(1e-310, std::nullopt), SearchRefused);
    setup.gears = {9};
    EXPECT_THROW(ChartTrainFinder{setup}, SearchRefused);
    // No gears: no train for any ratio.
    setup.gears.clear();
    EXPECT_FALSE(ChartTrainFinder(setup).best(1.0, Fraction(1, 1)).has_value());
}

// The exact path alone, on the setup's own stock and fit rule: what it answers, where it
// answers at all.
class ExactPath {
public:
    explicit ExactPath(const SearchRequest& setup)
        : sorted_(sortedGears(setup)), stock_(sorted_, setup), fit_(sorted_, setup),
          finder_(distinctWalked(stock_), setup, stock_, fit_) {}

    std::optional<BestTrain> find(const Fraction& f) const { return finder_.find(f.toDouble(), f); }

private:
    static std::vector<std::int16_t> sortedGears(const SearchRequest& setup) {
        std::vector<std::int16_t> gears = setup.gears;
        std::sort(gears.begin(), gears.end());
        return gears;
    }
    static std::vector<int> distinctWalked(const GearStock& stock) {
        std::vector<int> values(stock.walked().begin(), stock.walked().end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        return values;
    }

    std::vector<std::int16_t> sorted_;
    GearStock stock_;
    FitRule fit_;
    ExactTrainFinder finder_;
};

std::optional<BestTrain> searched(const SearchRequest& setup, const Fraction& f) {
    SearchRequest request = setup;
    request.requiredRatio = f.toDouble();
    return bestTrain(request, f);
}

// Rows that trains of the set meet exactly: where the exact path answers, it answers as the
// search does (single pairs before two pairs, four distinct counts before repeats, the least
// computed error, then the walk's order), and it answers most of them.
TEST(ChartTrainFinderTest, ExactRowsEqualOneSearchPerRatioOnRandomSets) {
    RandomDraws draw(diffSeed(24005));
    // Quick even under the sanitizers, and the shares checked at the end need every case.
    const int cases = diffCases(kSanitized ? 8000 : 2000);
    int answered = 0;
    int twoPair = 0;
    for (int c = 0; c < cases; ++c) {
        const SearchRequest setup = randomSetup(draw);
        const auto gear = [&] { return static_cast<std::int64_t>(draw.any(setup.gears)); };
        const Fraction f = draw.below(2) == 0 ? Fraction(gear() * gear(), gear() * gear())
                                              : Fraction(gear(), gear());
        SCOPED_TRACE(describe(setup, f.toDouble()));
        const auto found = ExactPath(setup).find(f);
        if (!found) {
            continue;
        }
        ++answered;
        twoPair += found->slot.train.z3 != 0 ? 1 : 0;
        EXPECT_TRUE(found->exact);
        expectSameBest(found, searched(setup, f));
    }
    EXPECT_GT(answered, cases / 3);
    EXPECT_GT(twoPair, cases / 50);
}

// Ties between a single pair, trains of four distinct counts and trains with repeats.
TEST(ChartTrainFinderTest, ExactRowsTakeTheCheapestTrainAsTheSearchDoes) {
    SearchRequest setup;
    setup.gears = {20, 30, 40, 60};
    // 20/40 beside 20/30 x 30/40 and 20/20 x 20/40: the single pair.
    auto found = ExactPath(setup).find(Fraction(1, 2));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->slot.train, (GearTrain{20, 40, 0, 0}));
    expectSameBest(found, searched(setup, Fraction(1, 2)));
    // Without single pairs only trains with a repeated count make 1/2: left to the search,
    // which the chart's finder then runs.
    setup.includeSinglePairs = false;
    EXPECT_FALSE(ExactPath(setup).find(Fraction(1, 2)).has_value());
    SearchRequest request = setup;
    request.requiredRatio = 0.5;
    expectSameBest(ChartTrainFinder(setup).best(0.5, Fraction(1, 2)),
                   bestTrain(request, Fraction(1, 2)));
    EXPECT_EQ(ChartTrainFinder(setup).best(0.5, Fraction(1, 2))->slot.train,
              (GearTrain{20, 30, 30, 40}));
    // A fraction finer than any train's ratio could tell from the ones that miss it.
    setup.gears = {20, 30, 40, 60};
    EXPECT_FALSE(ExactPath(setup).find(Fraction(1000000007, 2000000011)).has_value());
}

// A larger Zn refuses the first exact trains of the walk (z3 + Zn < z1 + z2, z3 + z4 > z2 +
// Zn): the answer moves on, as the search's does, and in the end no train is left to it.
TEST(ChartTrainFinderTest, ExactRowsFollowZnAsTheSearchDoes) {
    SearchRequest setup;
    for (int z = 20; z <= 80; z += 5) {
        setup.gears.push_back(static_cast<std::int16_t>(z));
    }
    setup.includeSinglePairs = false;
    std::vector<GearTrain> answers;
    for (const int zn : {0, 20, 40, 60, 75}) {
        setup.zn = zn;
        SCOPED_TRACE(zn);
        const Fraction f(27, 32);
        const auto found = ExactPath(setup).find(f);
        const auto want = searched(setup, f);
        if (found) {
            expectSameBest(found, want);
            answers.push_back(found->slot.train);
        } else {
            expectSameBest(ChartTrainFinder(setup).best(f.toDouble(), f), want);
        }
    }
    ASSERT_GE(answers.size(), 3U);
    EXPECT_NE(answers.front(), answers[1]);
    EXPECT_NE(answers[1], answers[2]);
}

// The hobbing rows 24/z on the counts 10 to 220, which thousands of trains each meet exactly,
// their computed ratios a unit in the last place apart: with single pairs the pair 24/z, without
// them the first train of the walk where it computes the ratio itself, else the search's.
TEST(ChartTrainFinderTest, HobbingRowsOnManyCountsEqualOneSearchPerRow) {
    SearchRequest setup;
    for (int z = 10; z <= 220; ++z) {
        setup.gears.push_back(static_cast<std::int16_t>(z));
    }
#ifdef GEARSEL_SANITIZED
    const std::vector<int> teeth = {17, 97};
#else
    const std::vector<int> teeth = {17, 53, 60, 97, 113, 120};
#endif
    int answered = 0;
    for (const bool singles : {true, false}) {
        setup.includeSinglePairs = singles;
        const ExactPath exact(setup);
        ChartTrainFinder finder(setup);
        for (const int z : teeth) {
            SCOPED_TRACE(std::to_string(z) + (singles ? "" : " no-singles"));
            const Fraction f(24, z);
            const auto want = searched(setup, f);
            const auto found = exact.find(f);
            if (singles) {
                ASSERT_TRUE(found.has_value());
            }
            if (found) {
                ++answered;
                expectSameBest(found, want);
            }
            expectSameBest(finder.best(f.toDouble(), f), want);
        }
    }
    EXPECT_GT(answered, static_cast<int>(teeth.size()));
}

// Whole charts: the train, whether it is exact, the gear to buy and the row's outcome (with
// trains that must fit, 无可装配 where trains come near but none fits).
void expectSameRows(const std::vector<ChartRow>& found, const std::vector<ChartRow>& want) {
    ASSERT_EQ(found.size(), want.size());
    for (std::size_t r = 0; r < want.size(); ++r) {
        SCOPED_TRACE(want[r].target.label);
        EXPECT_EQ(found[r].target.label, want[r].target.label);
        EXPECT_EQ(found[r].position, want[r].position);
        EXPECT_EQ(found[r].target.ratio.value(), want[r].target.ratio.value());
        expectSameBest(found[r].best, want[r].best);
        EXPECT_EQ(found[r].outcome, want[r].outcome);
        ASSERT_EQ(found[r].buy.has_value(), want[r].buy.has_value());
        if (want[r].buy) {
            EXPECT_EQ(found[r].buy->tooth, want[r].buy->tooth);
            EXPECT_EQ(found[r].buy->best.slot, want[r].buy->best.slot);
        }
    }
}

TEST(ChartTrainFinderTest, ChartsEqualOneSearchPerRowOnRandomSets) {
    RandomDraws draw(diffSeed(24002));
    const int cases = diffCases(40, 75);
    const Pitch leadscrews[] = {{Quantity::whole(6), PitchUnit::Millimetre},
                                {Quantity::whole(4), PitchUnit::ThreadsPerInch},
                                {Quantity(Fraction(5, 2)), PitchUnit::Millimetre}};
    int noneFits = 0;
    for (int c = 0; c < cases; ++c) {
        const SearchRequest setup = randomSetup(draw);
        std::vector<ChartTarget> targets;
        switch (draw.below(3)) {
        case 0:
            targets =
                threadTargets(metricThreadSeries(), 1 + draw.below(2),
                              draw.any(std::vector(std::begin(leadscrews), std::end(leadscrews))),
                              Quantity::whole(1));
            break;
        case 1:
            targets = threadTargets(inchThreadSeries(), 1, leadscrews[draw.below(3)],
                                    Quantity(Fraction(1 + draw.below(3), 2)));
            break;
        default: {
            const int first = 10 + draw.below(40);
            targets = hobIndexTargets(Quantity::whole(1 + draw.below(40)), 1 + draw.below(2), first,
                                      first + draw.below(30));
        }
        }
        SCOPED_TRACE(describe(setup, 0.0));
        const auto want = buildChartByRowSearches(setup, targets);
        expectSameRows(buildChart(setup, targets), want);
        for (const ChartRow& row : want) {
            noneFits += row.outcome == ChartOutcome::NoneFits ? 1 : 0;
        }
    }
    // The random machines leave some rows where trains come near but none fits.
    EXPECT_GT(noneFits, 0);
}

// 1 to 3 gearbox positions of short ratios, some of them equal (a tie the first one wins).
std::vector<GearboxPosition> randomPositions(RandomDraws& draw) {
    std::vector<GearboxPosition> positions;
    const int count = 1 + draw.below(3);
    for (int p = 0; p < count; ++p) {
        const Quantity ratio = draw.below(4) == 0 && !positions.empty()
                                   ? positions.front().ratio
                                   : Quantity(Fraction(1 + draw.below(6), 1 + draw.below(4)));
        positions.push_back({"P" + std::to_string(p), ratio});
    }
    return positions;
}

// Thread charts on lathes with gearbox positions: the rows found through the index equal the
// rows of one search per position, and each row's relative error is the least that the joint
// search over all positions (as select lists it) finds for that thread.
TEST(ChartTrainFinderTest, PositionChartsEqualTheJointSearchPerRowOnRandomSets) {
    RandomDraws draw(diffSeed(24004));
    const int cases = diffCases(60, 50);
    const Pitch leadscrew{Quantity::whole(6), PitchUnit::Millimetre};
    const std::vector<Pitch> pitches = {{Quantity(Fraction(1, 2)), PitchUnit::Millimetre},
                                        {Quantity::whole(1), PitchUnit::Millimetre},
                                        {Quantity(Fraction(5, 4)), PitchUnit::Millimetre},
                                        {Quantity::whole(2), PitchUnit::Millimetre},
                                        {Quantity::whole(11), PitchUnit::ThreadsPerInch},
                                        {Quantity::whole(20), PitchUnit::ThreadsPerInch}};
    int moved = 0;
    for (int c = 0; c < cases; ++c) {
        const SearchRequest setup = randomSetup(draw);
        const std::vector<GearboxPosition> positions = randomPositions(draw);
        const auto targets = threadTargets(pitches, 1, leadscrew, Quantity::whole(1));
        SCOPED_TRACE(describe(setup, 0.0) + " positions " + std::to_string(positions.size()));
        const auto want = buildChartByRowSearches(setup, targets, positions);
        expectSameRows(buildChart(setup, targets, positions), want);
        for (std::size_t r = 0; r < targets.size(); ++r) {
            SCOPED_TRACE(targets[r].label);
            SearchRequest request = setup;
            request.resultCount = 1;
            const auto joint = searchPositions(request, targets[r].ratio, positions);
            ASSERT_EQ(want[r].best.has_value(), !joint.rows.empty());
            moved += want[r].position != positions.front().name ? 1 : 0;
            if (!want[r].best) {
                EXPECT_EQ(want[r].position, positions.front().name);
                continue;
            }
            const double size = std::fabs(want[r].target.ratio.value());
            const double error = want[r].exact() ? 0.0 : want[r].best->slot.absError / size;
            EXPECT_NEAR(error, joint.rows.front().relError, 1e-12);
            // The row's ratio is the thread's divided by its position's.
            const auto named = std::find_if(positions.begin(), positions.end(), [&](const auto& p) {
                return p.name == want[r].position;
            });
            ASSERT_NE(named, positions.end());
            EXPECT_DOUBLE_EQ(want[r].target.ratio.value() * named->ratio.value(),
                             targets[r].ratio.value());
        }
    }
    // Some rows are best in a later position.
    EXPECT_GT(moved, 0);
}

// A three-pair chart row against the reference enumeration's whole list: of the trains as
// close as its first, the first of the fewest repeated tooth counts.
std::optional<ThreePairSlot> referenceThreePairRow(const SearchRequest& request,
                                                   const std::optional<Fraction>& required) {
    SearchRequest everyTrain = request;
    everyTrain.resultCount = kMaxResultCount;
    const auto list = runThreePairSelection(everyTrain, required, EngineKind::Reference).slots;
    if (list.empty()) {
        return std::nullopt;
    }
    const RatioTarget target(request.requiredRatio, required);
    const auto repeats = [](const ThreePairTrain& t) {
        std::array<int, 6> z = {t.z1, t.z2, t.z3, t.z4, t.z5, t.z6};
        std::sort(z.begin(), z.end());
        return 6 - static_cast<int>(std::unique(z.begin(), z.end()) - z.begin());
    };
    ThreePairSlot best = list.front();
    for (const ThreePairSlot& slot : list) {
        if (target.compareErrors(driverProduct(slot.train), drivenProduct(slot.train),
                                 driverProduct(list.front().train),
                                 drivenProduct(list.front().train)) != 0) {
            break;
        }
        best = repeats(slot.train) < repeats(best.train) ? slot : best;
    }
    return best;
}

TEST(ChartTrainFinderTest, ThreePairRowsEqualTheReferenceOnRandomSmallSets) {
    RandomDraws draw(diffSeed(24003));
    const int cases = diffCases(300, 10);
    for (int c = 0; c < cases; ++c) {
        SearchRequest setup = randomSetup(draw);
        setup.gears.resize(std::min<std::size_t>(setup.gears.size(), 5));
        setup.fitGeometry.reset(); // whether three pairs fit is unknown
        const auto [ratio, exact] = randomRatio(draw, setup);
        SCOPED_TRACE(describe(setup, ratio));
        SearchRequest request = setup;
        request.requiredRatio = ratio;
        const auto found = bestThreePairTrain(request, exact);
        const auto want = referenceThreePairRow(request, exact);
        ASSERT_EQ(found.has_value(), want.has_value());
        if (want) {
            EXPECT_EQ(found->slot, *want);
        }
    }
    // A whole chart of rows that three pairs of 24..100 hit exactly, so no gear is to buy.
    SearchRequest setup;
    for (int z = 24; z <= 100; z += 4) {
        setup.gears.push_back(static_cast<std::int16_t>(z));
    }
    const auto rows = buildThreePairChart(setup, hobIndexTargets(Quantity::whole(12), 1, 300, 300));
    ASSERT_EQ(rows.size(), 1U);
    ASSERT_TRUE(rows[0].exact());
    EXPECT_EQ(25 * driverProduct(rows[0].best->slot.train),
              drivenProduct(rows[0].best->slot.train));
}

} // namespace
} // namespace gearsel
