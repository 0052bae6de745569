// SPDX-License-Identifier: GPL-3.0-or-later
// The ratio formulas: exact where no π or sine enters, the double formula where one does, and
// every input that gives no usable train refused.

#include "engine/ratio_formula.h"

#include "engine/value_problem.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>

namespace gearsel {
namespace {

constexpr double kPi = std::numbers::pi;

Pitch mm(std::int64_t num, std::int64_t den = 1) {
    return {Fraction(num, den), PitchUnit::Millimetre};
}
Pitch tpi(std::int64_t n) {
    return {Quantity::whole(n), PitchUnit::ThreadsPerInch};
}
const Quantity kOne = Quantity::whole(1);

TEST(RatioFormulaTest, ExactRatios) {
    const struct {
        const char* name;
        Quantity ratio;
        Fraction expected;
    } cases[] = {
        {"1.5 mm on a 6 mm leadscrew", threadRatio(mm(3, 2), 1, mm(6), kOne), Fraction(1, 4)},
        {"20 tpi on 6 mm", threadRatio(tpi(20), 1, mm(6), kOne), Fraction(127, 600)},
        {"1.5 mm on 8 tpi", threadRatio(mm(3, 2), 1, tpi(8), kOne), Fraction(60, 127)},
        {"2 starts of 1.5 mm, gearbox 3/2", threadRatio(mm(3, 2), 2, mm(6), Fraction(3, 2)),
         Fraction(1, 3)},
        {"K 24, z 101", hobIndexRatio(Quantity::whole(24), 1, 101), Fraction(24, 101)},
        {"K 24, two starts, z 101", hobIndexRatio(Quantity::whole(24), 2, 101), Fraction(48, 101)},
        {"C 10, 30°, mn 2",
         hobDifferentialRatio(Quantity::whole(10), Quantity::whole(30), Quantity::whole(2), 1),
         Fraction(5, 2)},
        {"N 40, z 127 on 120", dividingHeadRatio(Quantity::whole(40), 127, 120), Fraction(-7, 3)},
        {"N 40, z 61 on 60", dividingHeadRatio(Quantity::whole(40), 61, 60), Fraction(-2, 3)},
        {"N 40, z 59 on 60", dividingHeadRatio(Quantity::whole(40), 59, 60), Fraction(2, 3)},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.ratio.fraction()) << c.name;
        EXPECT_EQ(*c.ratio.fraction(), c.expected) << c.name;
        EXPECT_EQ(c.ratio.value(), c.expected.toDouble()) << c.name;
    }
}

TEST(RatioFormulaTest, PiAndSinesAgainstTheFormulaInDoubles) {
    const struct {
        const char* name;
        Quantity ratio;
        double expected;
    } cases[] = {
        {"module 2 worm on 6 mm",
         threadRatio({Quantity::whole(2), PitchUnit::Module}, 1, mm(6), kOne), kPi * 2 / 6},
        {"module 1.25, 2 starts, on 4 tpi",
         threadRatio({Fraction(5, 4), PitchUnit::Module}, 2, tpi(4), kOne),
         kPi * 1.25 * 2 / (25.4 / 4)},
        {"dp 16 worm on 6 mm",
         threadRatio({Quantity::whole(16), PitchUnit::DiametralPitch}, 1, mm(6), kOne),
         25.4 * kPi / 16 / 6},
        {"dp 8 worm, 3 starts, on 8 tpi, gearbox 2",
         threadRatio({Quantity::whole(8), PitchUnit::DiametralPitch}, 3, tpi(8),
                     Quantity::whole(2)),
         25.4 * kPi / 8 * 3 / (25.4 / 8 * 2)},
        {"C 7.95775, 15°, mn 3, 2 starts",
         hobDifferentialRatio(Fraction(795775, 100000), Quantity::whole(15), Quantity::whole(3), 2),
         7.95775 * std::sin(15 * kPi / 180) / (3 * 2)},
        {"a decimal known only as a double", hobIndexRatio(Quantity(0.1), 1, 3), 0.1 / 3},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(c.ratio.fraction()) << c.name;
        EXPECT_DOUBLE_EQ(c.ratio.value(), c.expected) << c.name;
    }
    // Too large for a fraction: the result goes on in doubles instead of overflowing.
    const Quantity huge = hobIndexRatio(Quantity::whole(INT64_MAX), 3, 7);
    EXPECT_FALSE(huge.fraction());
    EXPECT_DOUBLE_EQ(huge.value(), 9223372036854775807.0 * 3 / 7);
}

// Each refusal names the input at fault, so that a surface can say which field to mend.
TEST(RatioFormulaTest, RefusesInputsThatGiveNoTrain) {
    const Quantity zero = Quantity::whole(0);
    const Quantity minusOne = Quantity::whole(-1);
    using Kind = ValueProblem::Kind;
    using In = ValueInput;
    const struct {
        const char* name;
        std::function<void()> call;
        Kind kind;
        ValueInput input;
        long long count; // for a count below 1
    } cases[] = {
        {"zero pitch",
         [&] {
             threadRatio({zero, PitchUnit::Millimetre}, 1, mm(6), kOne);
         },
         Kind::NotPositive, In::Pitch, 0},
        {"negative pitch",
         [&] {
             threadRatio({minusOne, PitchUnit::ThreadsPerInch}, 1, mm(6), kOne);
         },
         Kind::NotPositive, In::Pitch, 0},
        {"zero module",
         [&] {
             threadRatio({zero, PitchUnit::Module}, 1, mm(6), kOne);
         },
         Kind::NotPositive, In::Pitch, 0},
        {"no starts", [&] { threadRatio(mm(1), 0, mm(6), kOne); }, Kind::BelowOne, In::Starts, 0},
        {"zero leadscrew",
         [&] {
             threadRatio(mm(1), 1, {zero, PitchUnit::Millimetre}, kOne);
         },
         Kind::NotPositive, In::Leadscrew, 0},
        {"leadscrew as a module",
         [&] {
             threadRatio(mm(1), 1, {Quantity::whole(2), PitchUnit::Module}, kOne);
         },
         Kind::LeadscrewUnit, In::Leadscrew, 0},
        {"negative gearbox", [&] { threadRatio(mm(1), 1, mm(6), minusOne); }, Kind::NotPositive,
         In::GearboxRatio, 0},
        {"K 0", [&] { hobIndexRatio(zero, 1, 101); }, Kind::NotPositive, In::IndexConstant, 0},
        {"z 0", [&] { hobIndexRatio(Quantity::whole(24), 1, 0); }, Kind::BelowOne, In::Teeth, 0},
        {"hob without starts", [&] { hobIndexRatio(Quantity::whole(24), -2, 101); }, Kind::BelowOne,
         In::HobStarts, -2},
        {"helix 90°", [&] { hobDifferentialRatio(kOne, Quantity::whole(90), kOne, 1); },
         Kind::HelixOutOfRange, In::Helix, 0},
        {"helix 0°", [&] { hobDifferentialRatio(kOne, zero, kOne, 1); }, Kind::HelixOutOfRange,
         In::Helix, 0},
        {"helix -30°", [&] { hobDifferentialRatio(kOne, Quantity::whole(-30), kOne, 1); },
         Kind::HelixOutOfRange, In::Helix, 0},
        {"module 0", [&] { hobDifferentialRatio(kOne, Quantity::whole(20), zero, 1); },
         Kind::NotPositive, In::NormalModule, 0},
        {"C 0", [&] { hobDifferentialRatio(zero, Quantity::whole(20), kOne, 1); },
         Kind::NotPositive, In::DifferentialConstant, 0},
        {"z' = z", [&] { dividingHeadRatio(Quantity::whole(40), 127, 127); }, Kind::SameDivisions,
         In::ApproxDivisions, 0},
        {"z 0", [&] { dividingHeadRatio(Quantity::whole(40), 0, 1); }, Kind::BelowOne,
         In::Divisions, 0},
        {"z' 0", [&] { dividingHeadRatio(Quantity::whole(40), 127, 0); }, Kind::BelowOne,
         In::ApproxDivisions, 0},
        {"N 0", [&] { dividingHeadRatio(zero, 127, 120); }, Kind::NotPositive, In::HeadRatio, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.call();
            ADD_FAILURE() << "worked out";
        } catch (const ValueRefused& e) {
            EXPECT_EQ(e.problem().kind, c.kind);
            EXPECT_EQ(e.problem().input, c.input);
            EXPECT_EQ(e.problem().count, c.count);
        }
    }
}

} // namespace
} // namespace gearsel
