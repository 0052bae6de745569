// SPDX-License-Identifier: GPL-3.0-or-later
// Charts: the thread presets, the hobbing index chart of the worked example (exactly the rows
// that need a missing prime gear are inexact, each with that prime to buy), the texts of a row
// and the CSV read back.

#include "engine/gearbox_positions.h"
#include "engine/pitch_notation.h"
#include "engine/ratio_chart.h"
#include "engine/selection.h"
#include "engine/train_fraction.h"
#include "present/chart_text.h"

#include <charconv>
#include <gtest/gtest.h>
#include <numeric>
#include <sstream>
#include <stdexcept>

namespace gearsel {
namespace {

// A default hobbing machine's gear set.
const std::vector<std::int16_t> kHobbingSet = {
    20, 20, 23, 24, 25, 26, 30, 32, 33, 34, 35, 37, 40, 41, 43, 45, 46, 47, 48, 50, 52, 53, 55,
    57, 58, 59, 60, 61, 62, 65, 67, 70, 71, 73, 75, 79, 80, 83, 85, 89, 90, 92, 95, 97, 98, 100};

SearchRequest hobbingMachine() {
    SearchRequest setup;
    setup.gears = kHobbingSet;
    setup.zn = 14;
    return setup;
}

// The prime factors of `n` of which the gear set holds no multiple.
std::vector<int> missingPrimes(int n) {
    std::vector<int> missing;
    for (int p = 2; n > 1; ++p) {
        if (n % p != 0) {
            continue;
        }
        while (n % p == 0) {
            n /= p;
        }
        if (std::none_of(kHobbingSet.begin(), kHobbingSet.end(),
                         [p](std::int16_t z) { return z % p == 0; })) {
            missing.push_back(p);
        }
    }
    return missing;
}

TEST(RatioChartTest, ThreadPresetsHaveTheirRows) {
    const auto metric = metricThreadSeries();
    const auto inch = inchThreadSeries();
    EXPECT_EQ(metric.size(), 24U);
    EXPECT_EQ(inch.size(), 32U);
    EXPECT_EQ(pitchText(metric.front()), "0.2mm");
    EXPECT_EQ(pitchText(metric.back()), "6mm");
    EXPECT_EQ(pitchText(inch.front()), "4tpi");
    EXPECT_EQ(pitchText(inch[1]), "4.5tpi");
    EXPECT_EQ(pitchText(inch.back()), "80tpi");
    for (const auto* series : {&metric, &inch}) {
        EXPECT_TRUE(
            std::is_sorted(series->begin(), series->end(), [](const Pitch& a, const Pitch& b) {
                return a.amount.value() < b.amount.value();
            }));
    }
    // 1.5 mm on a 6 mm leadscrew is 1/4, 8 tpi on it 127/240.
    const Pitch leadscrew{Quantity::whole(6), PitchUnit::Millimetre};
    const auto rows = threadTargets(metric, 1, leadscrew, Quantity::whole(1));
    EXPECT_EQ(rows[13].label, "1.5mm");
    EXPECT_EQ(rows[13].ratio.fraction(), Fraction(1, 4));
    EXPECT_EQ(threadTargets(inch, 1, leadscrew, Quantity::whole(1))[6].ratio.fraction(),
              Fraction(127, 240));
}

TEST(RatioChartTest, HobbingRowsNeedingAMissingPrimeAreInexactWithThatPrimeToBuy) {
    const auto rows =
        buildChart(hobbingMachine(), hobIndexTargets(Quantity::whole(24), 1, 17, 120));
    ASSERT_EQ(rows.size(), 104U);
    int inexact = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int z = 17 + static_cast<int>(i);
        const ChartRow& row = rows[i];
        SCOPED_TRACE(row.target.label);
        EXPECT_EQ(row.target.label, "z=" + std::to_string(z));
        ASSERT_TRUE(row.best.has_value());
        const std::vector<int> missing = missingPrimes(z / std::gcd(24, z));
        EXPECT_EQ(row.exact(), missing.empty());
        EXPECT_EQ(row.buy.has_value(), !missing.empty());
        if (!missing.empty()) {
            ++inexact;
            ASSERT_EQ(missing.size(), 1U);
            EXPECT_EQ(row.buy->tooth % missing.front(), 0);
            EXPECT_TRUE(row.buy->best.exact);
            EXPECT_EQ(trainFraction(row.buy->best.slot.train), Fraction(24, z));
        }
    }
    EXPECT_EQ(inexact, 5); // 101, 103, 107, 109, 113
}

TEST(RatioChartTest, RowTextsShowFractionsErrorsAndTheGearToBuy) {
    const auto rows =
        buildChart(hobbingMachine(), hobIndexTargets(Quantity::whole(24), 1, 100, 101));
    // 24/100 itself: the search lists 20/20 x 24/100 first, but the single pair, as exact,
    // has two gears fewer.
    const ChartRowTexts exact = chartRowTexts(rows[0], Language::Chinese);
    EXPECT_EQ((std::vector<std::string>(exact.begin(), exact.end())),
              (std::vector<std::string>{"z=100", "6/25", "24", "100", "", "", "", "0.2400000",
                                        "6/25", "0", "0", "精确", "", ""}));
    const ChartRowTexts inexact = chartRowTexts(rows[1], Language::Chinese);
    EXPECT_EQ(inexact[1], "24/101");
    EXPECT_EQ(inexact[6], "");
    EXPECT_EQ(inexact[9], "1.93e-06");
    EXPECT_EQ(inexact[10], "8.12e-06");
    EXPECT_EQ(inexact[11], "");
    EXPECT_EQ(inexact[12], "101");
    EXPECT_EQ(inexact[13], "24/101 精确");
    // A target no train comes near: no train, nothing to buy that would give one.
    SearchRequest tiny;
    tiny.gears = {20};
    const auto none = buildChart(tiny, {{"far", Quantity::whole(500)}});
    EXPECT_FALSE(none[0].best.has_value());
    EXPECT_EQ(none[0].outcome, ChartOutcome::NoTrain);
    EXPECT_EQ(chartRowTexts(none[0], Language::Chinese)[7], "-");
}

// The first default machine: 14 gears from 20 to 120.
const std::vector<std::int16_t> kFourteen = {20, 25, 30, 35, 40, 45,  50,
                                             55, 60, 70, 80, 90, 100, 120};

TEST(RatioChartTest, RowsCarryTheRepeatMarkAndHonourNoRepeats) {
    const Pitch leadscrew{Quantity::whole(6), PitchUnit::Millimetre};
    SearchRequest lathe;
    lathe.gears = kFourteen;
    const auto targets = threadTargets(metricThreadSeries(), 1, leadscrew, Quantity::whole(1));
    // 0.2 mm on 6 mm is 1/30: 20/100 x 20/120, a train that uses 20 twice, as the grid marks it.
    const auto rows = buildChart(lathe, targets);
    EXPECT_EQ(rows[0].best->slot.train, (GearTrain{20, 100, 20, 120}));
    EXPECT_EQ(chartRowTexts(rows[0], Language::Chinese)[6], "R");
    const std::string csv = chartCsv(rows, Language::Chinese);
    EXPECT_EQ(csv.substr(csv.find('\n') + 1, 27), "0.2mm,1/30,20,100,20,120,R,");
    lathe.allowRepeats = false;
    for (const ChartRow& row : buildChart(lathe, targets)) {
        SCOPED_TRACE(row.target.label);
        EXPECT_FALSE(row.best && row.best->slot.repeat);
        EXPECT_FALSE(row.buy && row.buy->best.slot.repeat);
        EXPECT_EQ(chartRowTexts(row, Language::Chinese)[6], "");
    }
}

TEST(RatioChartTest, TheGearToBuyIsTheFirstOfTheSuggestions) {
    // z = 26 on K = 24 needs 12/13: 13 and 26 both give it exactly, and the smaller wins.
    SearchRequest lathe;
    lathe.gears = kFourteen;
    const auto rows = buildChart(lathe, hobIndexTargets(Quantity::whole(24), 1, 26, 26));
    ASSERT_TRUE(rows[0].buy);
    EXPECT_EQ(rows[0].buy->tooth, 13);
    EXPECT_TRUE(rows[0].buy->best.exact);
}

TEST(RatioChartTest, ANegativeRatioIsSearchedByItsSize) {
    // Differential indexing of 127 on 120 divisions: i = -7/3, mounted as 7/3 with an idler.
    SearchRequest lathe;
    lathe.gears = kFourteen;
    const auto rows = buildChart(lathe, {{"z=127", Quantity(Fraction(-7, 3))}});
    ASSERT_TRUE(rows[0].exact());
    EXPECT_EQ(trainFraction(rows[0].best->slot.train), Fraction(7, 3));
    EXPECT_EQ(rows[0].best->slot.absError, 0.0);
}

TEST(RatioChartTest, RowsPreferFewerGearsThenFewerRepeatedCounts) {
    // 0.5 on 20, 30, 40 (Zn 15): the search lists 20/20 x 20/40 (z3 = 20 < 20 + 20 - 15), then
    // 20/30 x 30/40, then the single pair 20/40, all exact; the row takes 20/40. Without single
    // pairs on 20, 30, 40, 60 no train of four distinct counts makes 0.5 (ac = bd / 2 has no
    // answer among them), and of those with one repeated count, 20/30 x 30/40 comes first,
    // before 20/20 x 20/40 with two.
    // 1 on 20, 23, 29, 31, 40, 80 without single pairs: no four distinct counts make it (23, 29
    // and 31 share no factor with the others), and one repeat only with 40·40 = 20·80. The
    // conditions let 20/40 x 80/40 not begin with 20 (80 + 15 < 60 fails), so 40/20 x 40/80 is
    // the first such train, after more than twenty like 20/20 x 23/23 and 23/29 x 29/23.
    const struct {
        const char* name;
        std::vector<std::int16_t> gears;
        Fraction ratio;
        bool singlePairs;
        GearTrain listedFirst;
        GearTrain row;
    } cases[] = {
        {"single pair", {20, 30, 40}, Fraction(1, 2), true, {20, 20, 20, 40}, {20, 40, 0, 0}},
        {"one repeat", {20, 30, 40, 60}, Fraction(1, 2), false, {20, 20, 20, 40}, {20, 30, 30, 40}},
        {"one repeat, late",
         {20, 23, 29, 31, 40, 80},
         Fraction(1, 1),
         false,
         {20, 20, 20, 20},
         {40, 20, 40, 80}},
    };
    for (const auto& c : cases) {
        SearchRequest setup;
        setup.gears = c.gears;
        setup.includeSinglePairs = c.singlePairs;
        const auto rows = buildChart(setup, {{"row", Quantity(c.ratio)}});
        ASSERT_TRUE(rows[0].exact()) << c.name;
        EXPECT_EQ(rows[0].best->slot.train, c.row) << c.name;
        EXPECT_EQ(rows[0].outcome, ChartOutcome::Train) << c.name;
        // The result grid keeps the search's order.
        setup.requiredRatio = c.ratio.toDouble();
        EXPECT_EQ(runSelection(setup).results.slots.front().train, c.listedFirst) << c.name;
    }
}

TEST(RatioChartTest, ThreePairRowsPreferFewerRepeatedCounts) {
    // 1/8 on 20, 25, 30, 40, 50, 60 (Zn 15): the first three-pair train in the order of the teeth
    // is 20/40 x 20/40 x 20/40 (no z2 below 40 and no smaller z3 or z4 allow 1/8); exactly as
    // close, 20/40 x 25/50 x 30/60 has six distinct counts and is the first such.
    SearchRequest setup;
    setup.gears = {20, 25, 30, 40, 50, 60};
    const auto rows = buildThreePairChart(setup, {{"1/8", Quantity(Fraction(1, 8))}});
    ASSERT_TRUE(rows[0].exact());
    EXPECT_EQ(rows[0].best->slot.train, (ThreePairTrain{20, 40, 25, 50, 30, 60}));
    EXPECT_FALSE(rows[0].best->slot.repeat);
    setup.requiredRatio = 0.125;
    setup.resultCount = 1;
    EXPECT_EQ(runThreePairSelection(setup, Fraction(1, 8)).slots.front().train,
              (ThreePairTrain{20, 40, 20, 40, 20, 40}));
    // 1 on 20, 25, 30, 40, 60: 45 trains hit it, 20/20 x 20/20 x 20/20 first. Six gears of
    // five counts repeat one at the least, and only 20·25·60 = 25·30·40 shares one count (25)
    // between drivers and driven gears; the assembly conditions let no arrangement of those
    // begin with 20, 25 or 30, so 40/20 x 25/25 x 30/60 is the first, after 36 trains with
    // more repeats: further than a short list goes.
    SearchRequest five;
    five.gears = {20, 25, 30, 40, 60};
    const auto one = buildThreePairChart(five, {{"1", Quantity::whole(1)}});
    ASSERT_TRUE(one[0].exact());
    EXPECT_EQ(one[0].best->slot.train, (ThreePairTrain{40, 20, 25, 25, 30, 60}));
    // Whether three pairs fit is unknown: a chart that must fit them is refused.
    setup.fitGeometry = MachineGeometry{{ToothSize::Unit::Module, 1.0}, 45.0, {}, {}};
    EXPECT_THROW(buildThreePairChart(setup, {{"1/8", Quantity(Fraction(1, 8))}}), SearchRefused);
}

TEST(RatioChartTest, RowsThatMustFitSayWhenNoneDoesAndWhichGearMakesOneFit) {
    // Module 1, centre 45, stud 50..55, gears 20 and 40: two pairs need 100 <= z3 + z4 <= 110,
    // a single pair an idler zi with 100 <= zi + z2 <= 110 or z1 + z2 = 90: nothing fits. For
    // 1/2 the search without the machine lists 20/40; with it nothing, and a 60 makes 20/40 fit
    // (its idler). Nothing comes within 1.0 of 500 at all.
    SearchRequest setup;
    setup.gears = {20, 40};
    setup.fitGeometry = MachineGeometry{{ToothSize::Unit::Module, 1.0}, 45.0, {{50.0, 55.0}}, {}};
    const auto rows =
        buildChart(setup, {{"half", Quantity(Fraction(1, 2))}, {"far", Quantity::whole(500)}});
    EXPECT_EQ(rows[0].outcome, ChartOutcome::NoneFits);
    EXPECT_FALSE(rows[0].best);
    ASSERT_TRUE(rows[0].buy);
    EXPECT_EQ(rows[0].buy->tooth, 60);
    EXPECT_EQ(rows[0].buy->best.slot.train, (GearTrain{20, 40, 0, 0}));
    EXPECT_EQ(chartRowTexts(rows[0], Language::Chinese)[7], "无可装配");
    EXPECT_EQ(chartRowTexts(rows[0], Language::Chinese)[12], "60");
    EXPECT_EQ(rows[1].outcome, ChartOutcome::NoTrain);
    EXPECT_FALSE(rows[1].buy);
    EXPECT_EQ(chartRowTexts(rows[1], Language::Chinese)[7], "-");
    // With a 60 in the set the row's train is 20/40, over that idler.
    setup.gears = {20, 40, 60};
    const auto fitted = buildChart(setup, {{"half", Quantity(Fraction(1, 2))}});
    EXPECT_EQ(fitted[0].outcome, ChartOutcome::Train);
    EXPECT_EQ(fitted[0].best->slot.train, (GearTrain{20, 40, 0, 0}));
    EXPECT_TRUE(fitted[0].exact());
}

TEST(RatioChartTest, ThreadRowsTakeTheGearboxPositionOfLeastRelativeError) {
    // 20 and 40, each used once: only the single pairs 1/2 and 2. On a 6 mm leadscrew a thread
    // of pitch p needs p/6 from the train times the gearbox.
    SearchRequest setup;
    setup.gears = {20, 40};
    setup.useOnce = true;
    const Quantity half(Fraction(1, 2));
    const std::vector<GearboxPosition> positions = {
        {"A", Quantity::whole(1)}, {"B", half}, {"C", half}};
    const Pitch leadscrew{Quantity::whole(6), PitchUnit::Millimetre};
    const std::vector<Pitch> pitches = {{Quantity(Fraction(3, 2)), PitchUnit::Millimetre},
                                        {Quantity::whole(3), PitchUnit::Millimetre},
                                        {Quantity(Fraction(3, 4)), PitchUnit::Millimetre}};
    const auto rows =
        buildChart(setup, threadTargets(pitches, 1, leadscrew, Quantity::whole(1)), positions);
    ASSERT_EQ(rows.size(), 3U);
    struct Want {
        const char* name;
        const char* position;
        Fraction required;
        bool exact;
    };
    const Want wants[] = {
        {"1/4 is 1/2 in B, exact; C ties and comes later", "B", Fraction(1, 2), true},
        {"1/2 is exact in A already", "A", Fraction(1, 2), true},
        // 1/8: A gives 1/2 at relative error 3, B and C at 1 (1/2 for 1/4).
        {"1/8 is nearest in B", "B", Fraction(1, 4), false},
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SCOPED_TRACE(wants[r].name);
        EXPECT_EQ(rows[r].position, wants[r].position);
        EXPECT_EQ(rows[r].target.ratio.fraction(), wants[r].required);
        EXPECT_EQ(rows[r].exact(), wants[r].exact);
        ASSERT_TRUE(rows[r].best);
        EXPECT_EQ(rows[r].best->slot.train.z1, 20);
        EXPECT_EQ(rows[r].best->slot.train.z2, 40);
    }
    // Without positions nothing names one.
    for (const ChartRow& row :
         buildChart(setup, threadTargets(pitches, 1, leadscrew, Quantity::whole(1)))) {
        EXPECT_EQ(row.position, "");
    }
    const std::vector<GearboxPosition> twice = {{"A", half}, {"A", half}};
    EXPECT_THROW(buildChart(setup, threadTargets(pitches, 1, leadscrew, half), twice),
                 PositionsRefused);
}

TEST(RatioChartTest, CsvReadsBackToTheSameRows) {
    const Pitch leadscrew{Quantity::whole(6), PitchUnit::Millimetre};
    SearchRequest lathe;
    lathe.gears = {20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80, 90, 100, 120, 127};
    const auto rows = buildChart(
        lathe, threadTargets(inchThreadSeries(), 1, leadscrew, Quantity(Fraction(3, 2))));
    std::istringstream csv(chartCsv(rows, Language::Chinese));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "目标,要求速比,Z1,Z2,Z3,Z4,重复,计算速比,速比分数,绝对精度,相对精度,精确,"
                    "建议添置,添置后挂轮");
    const auto number = [](const std::string& text) {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    };
    for (const ChartRow& row : rows) {
        ASSERT_TRUE(std::getline(csv, line));
        std::vector<std::string> cells;
        std::stringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');) {
            cells.push_back(cell);
        }
        cells.resize(kChartColumns);
        const ResultSlot& slot = row.best->slot;
        EXPECT_EQ(cells[0], row.target.label);
        EXPECT_EQ(cells[1], row.target.ratio.fraction()->text());
        EXPECT_EQ(cells[2], std::to_string(slot.train.z1));
        EXPECT_EQ(cells[6] == "R", slot.repeat);
        EXPECT_EQ(number(cells[7]), slot.calcRatio); // to the bit
        EXPECT_EQ(cells[8], trainFraction(slot.train).text());
        EXPECT_EQ(number(cells[9]), slot.absError);
        EXPECT_EQ(cells[11] == "精确", row.exact());
        EXPECT_EQ(cells[12], row.buy ? std::to_string(row.buy->tooth) : "");
    }
    EXPECT_FALSE(std::getline(csv, line));
}

TEST(RatioChartTest, RefusesRangesThatRunBackwardsOrAreTooLong) {
    EXPECT_THROW(hobIndexTargets(Quantity::whole(24), 1, 50, 40), std::invalid_argument);
    EXPECT_THROW(hobIndexTargets(Quantity::whole(24), 1, 1, kMaxChartRows + 1),
                 std::invalid_argument);
    EXPECT_THROW(hobIndexTargets(Quantity::whole(0), 1, 1, 5), std::invalid_argument);
    EXPECT_EQ(hobIndexTargets(Quantity::whole(24), 2, 1, kMaxChartRows).size(),
              static_cast<std::size_t>(kMaxChartRows));
}

} // namespace
} // namespace gearsel
