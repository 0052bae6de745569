// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers, pitches and machine constants written as texts and read back: exact values stay
// exact and keep their value, values known only as doubles keep their bits, and the constants
// refuse what no formula takes.

#include "engine/machine_constants.h"
#include "engine/pitch_notation.h"
#include "engine/quantity_text.h"

#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace gearsel {
namespace {

TEST(ConstantTextTest, ExactNumbersReadBackAsTheSameFraction) {
    const std::pair<Fraction, const char*> cases[] = {
        {Fraction(24, 1), "24"},
        {Fraction(9, 2), "4.5"},
        {Fraction(127, 5), "25.4"},
        {Fraction(-1, 20), "-0.05"},
        {Fraction(0, 1), "0"},
        {Fraction(60, 127), "60/127"},
        {Fraction(1, 1024), "0.0009765625"},
        // 2^-60 and 2^63 - 1 as decimals have more than 15 significant digits: fractions.
        {Fraction(1, std::int64_t{1} << 60), "1/1152921504606846976"},
        {Fraction(std::numeric_limits<std::int64_t>::max(), 1), "9223372036854775807/1"},
    };
    for (const auto& [fraction, text] : cases) {
        EXPECT_EQ(quantityText(Quantity(fraction)), text);
        EXPECT_EQ(readQuantity(text).fraction(), fraction) << text;
    }
}

TEST(ConstantTextTest, DoublesKeepTheirBitsAndStayInexact) {
    for (const double value : {std::numbers::pi * 2.5, 1.0 / 3, 7.957747154594767, -1e-300}) {
        const Quantity back = readQuantity(quantityText(Quantity(value)));
        EXPECT_EQ(back.value(), value);
        EXPECT_FALSE(back.fraction().has_value()) << quantityText(Quantity(value));
    }
    // A double that is exactly a short decimal reads back as that number, made exact.
    EXPECT_EQ(readQuantity(quantityText(Quantity(0.5))).fraction(), Fraction(1, 2));
    EXPECT_THROW(readQuantity("1/0"), std::invalid_argument);
    EXPECT_THROW(readQuantity("inf"), std::invalid_argument);
}

TEST(ConstantTextTest, PitchesReadBackInTheirUnit) {
    for (const char* text : {"1.5mm", "2/3mm", "20tpi", "4.5tpi", "m2", "m1.25", "dp16"}) {
        EXPECT_EQ(pitchText(readPitch(text)), text);
    }
    EXPECT_EQ(pitchText(readPitch(" 6 MM ")), "6mm");
    EXPECT_EQ(readPitch("DP10").unit, PitchUnit::DiametralPitch);
    EXPECT_THROW(readPitch("6"), std::invalid_argument);
}

TEST(ConstantTextTest, AnUpperCaseMNamesAThreadNotAModule) {
    // On a drawing M10 is the metric thread of 10 mm with the coarse pitch 1.5 mm (ISO 261).
    const struct {
        const char* text;
        const char* pitch; // the pitch the refusal offers instead
        bool module;       // it offers the module too
    } threads[] = {
        {"M10", "1.5mm", true}, {" M8 ", "1.25mm", true},      {"M1.6", "0.35mm", true},
        {"M64", "6mm", true},   {"M10x1.25", "1.25mm", false}, {"M10 × 1", "1mm", false},
        {"M7.5", "", true},
    };
    for (const auto& c : threads) {
        SCOPED_TRACE(c.text);
        const auto name = readThreadName(c.text);
        ASSERT_TRUE(name);
        EXPECT_EQ(name->pitch, c.pitch);
        EXPECT_EQ(name->fine, !c.module);
        try {
            readPitch(c.text);
            ADD_FAILURE() << "read as a pitch";
        } catch (const ValueRefused& e) {
            EXPECT_EQ(e.problem().kind, ValueProblem::Kind::PitchNamesThread);
            EXPECT_EQ(e.problem().text, c.text);
            ASSERT_TRUE(e.problem().thread);
            EXPECT_EQ(e.problem().thread->pitch, c.pitch);
        }
    }
    // Lower case stays a module; an M without a diameter is no thread.
    EXPECT_EQ(readPitch("m10").unit, PitchUnit::Module);
    for (const char* other : {"m10", "M", "Mx1", "MM", "1.5MM", "dp16"}) {
        EXPECT_FALSE(readThreadName(other)) << other;
    }
}

// The known constants as "key=text" in key order, to compare sets of constants.
std::string known(const MachineConstants& constants) {
    std::string line;
    for (const ConstantKey key : kConstantKeys) {
        if (const auto text = constantText(constants, key)) {
            line += std::string(line.empty() ? "" : " ") + constantName(key) + "=" + *text;
        }
    }
    return line;
}

TEST(ConstantTextTest, ConstantsSetByTextAndRefusedWhereNoFormulaTakesThem) {
    MachineConstants constants;
    setConstantText(constants, ConstantKey::Leadscrew, "4tpi");
    setConstantText(constants, ConstantKey::GearboxRatio, "3/2");
    setConstantText(constants, ConstantKey::IndexConstant, "24");
    EXPECT_EQ(known(constants), "leadscrew=4tpi gearbox=1.5 k=24");
    using Kind = ValueProblem::Kind;
    const struct {
        ConstantKey key;
        const char* text;
        Kind kind;
        ValueInput input;
    } refused[] = {
        {ConstantKey::Leadscrew, "m2", Kind::LeadscrewUnit, ValueInput::Leadscrew},
        {ConstantKey::Leadscrew, "0mm", Kind::NotPositive, ValueInput::Leadscrew},
        {ConstantKey::Leadscrew, "6", Kind::PitchWithoutUnit, ValueInput::Leadscrew},
        {ConstantKey::GearboxRatio, "-1", Kind::NotPositive, ValueInput::GearboxRatio},
        {ConstantKey::IndexConstant, "0", Kind::NotPositive, ValueInput::IndexConstant},
        {ConstantKey::DifferentialConstant, "x", Kind::NotNumber, ValueInput::DifferentialConstant},
        {ConstantKey::HeadRatio, "1/0", Kind::DenominatorNotPositive, ValueInput::HeadRatio},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.text);
        MachineConstants copy = constants;
        try {
            setConstantText(copy, r.key, r.text);
            ADD_FAILURE() << "taken";
        } catch (const ValueRefused& e) {
            EXPECT_EQ(e.problem().kind, r.kind);
            EXPECT_EQ(e.problem().input, r.input);
        }
        EXPECT_EQ(known(copy), known(constants)) << "unchanged";
    }
    // Given constants win over kept ones; those not given stay.
    MachineConstants given;
    setConstantText(given, ConstantKey::IndexConstant, "48");
    setConstantText(given, ConstantKey::HeadRatio, "40");
    const MachineConstants both = overridden(constants, given);
    EXPECT_EQ(known(both), "leadscrew=4tpi gearbox=1.5 k=48 n=40");
    clearConstant(constants, ConstantKey::Leadscrew);
    clearConstant(constants, ConstantKey::GearboxRatio);
    clearConstant(constants, ConstantKey::IndexConstant);
    EXPECT_TRUE(noConstants(constants));
}

// What is wrong with a text that is no number or no pitch, as the kind the surfaces word.
TEST(ConstantTextTest, TextsThatAreNoValueSayWhy) {
    using Kind = ValueProblem::Kind;
    const struct {
        const char* name;
        const char* text;
        bool pitch; // read as a pitch, not a number
        Kind kind;
        const char* refusedText; // the text the problem names
        const char* within;      // the pitch around a refused number
        const char* suggestion;
    } cases[] = {
        {"letters", "x", false, Kind::NotNumber, "x", "", ""},
        {"comma", " +1,5 ", false, Kind::DecimalComma, " +1,5 ", "", "1.5"},
        {"above the doubles", "1e400", false, Kind::BeyondRange, "1e400", "", ""},
        {"below the doubles", "-1e-400", false, Kind::BelowRange, "-1e-400", "", ""},
        {"infinite", "inf", false, Kind::NotFinite, "inf", "", ""},
        {"slash with a decimal", "1.5/2", false, Kind::NotFraction, "1.5/2", "", ""},
        {"beyond 64 bits", "99999999999999999999/1", false, Kind::FractionTooLarge,
         "99999999999999999999/1", "", ""},
        {"denominator 0", "1/0", false, Kind::DenominatorNotPositive, "1/0", "", ""},
        {"negative denominator", "1/-2", false, Kind::DenominatorNotPositive, "1/-2", "", ""},
        {"pitch without unit", "1.5", true, Kind::PitchWithoutUnit, "1.5", "", ""},
        {"unit without number", "xmm", true, Kind::PitchWithoutNumber, "xmm", "", ""},
        {"pitch with a bad number", "1/0MM", true, Kind::DenominatorNotPositive, "1/0", "1/0MM",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            if (c.pitch) {
                readPitch(c.text);
            } else {
                readQuantity(c.text);
            }
            ADD_FAILURE() << "read";
        } catch (const ValueRefused& e) {
            EXPECT_EQ(e.problem().kind, c.kind);
            EXPECT_EQ(e.problem().text, c.refusedText);
            EXPECT_EQ(e.problem().within, c.within);
            EXPECT_EQ(e.problem().suggestion, c.suggestion);
            EXPECT_FALSE(e.problem().input);
        }
    }
}

} // namespace
} // namespace gearsel
