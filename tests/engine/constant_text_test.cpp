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
        try {
            readPitch(c.text);
            ADD_FAILURE() << "read as a pitch";
        } catch (const std::invalid_argument& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("metric thread"), std::string::npos) << message;
            EXPECT_NE(message.find(*c.pitch ? c.pitch : "in mm"), std::string::npos) << message;
            EXPECT_EQ(message.find(" m" + name->diameter + " ") != std::string::npos, c.module)
                << message;
        }
    }
    // Lower case stays a module; an M without a diameter is no thread.
    EXPECT_EQ(readPitch("m10").unit, PitchUnit::Module);
    for (const char* other : {"m10", "M", "Mx1", "MM", "1.5MM", "dp16"}) {
        EXPECT_FALSE(readThreadName(other)) << other;
    }
}

TEST(ConstantTextTest, ConstantsSetByTextAndRefusedWhereNoFormulaTakesThem) {
    MachineConstants constants;
    setConstantText(constants, ConstantKey::Leadscrew, "4tpi");
    setConstantText(constants, ConstantKey::GearboxRatio, "3/2");
    setConstantText(constants, ConstantKey::IndexConstant, "24");
    EXPECT_EQ(constantsSummary(constants), "丝杠螺距 4tpi，进给箱速比 1.5，分度常数 K 24");
    const std::pair<ConstantKey, const char*> refused[] = {
        {ConstantKey::Leadscrew, "m2"},    {ConstantKey::Leadscrew, "0mm"},
        {ConstantKey::Leadscrew, "6"},     {ConstantKey::GearboxRatio, "-1"},
        {ConstantKey::IndexConstant, "0"}, {ConstantKey::DifferentialConstant, "x"},
        {ConstantKey::HeadRatio, "1/0"},
    };
    for (const auto& [key, text] : refused) {
        MachineConstants copy = constants;
        EXPECT_THROW(setConstantText(copy, key, text), std::invalid_argument) << text;
        EXPECT_EQ(constantsSummary(copy), constantsSummary(constants)) << "unchanged: " << text;
    }
    // Given constants win over kept ones; those not given stay.
    MachineConstants given;
    setConstantText(given, ConstantKey::IndexConstant, "48");
    setConstantText(given, ConstantKey::HeadRatio, "40");
    const MachineConstants both = overridden(constants, given);
    EXPECT_EQ(constantsSummary(both),
              "丝杠螺距 4tpi，进给箱速比 1.5，分度常数 K 48，分度头定数 N 40");
    clearConstant(constants, ConstantKey::Leadscrew);
    clearConstant(constants, ConstantKey::GearboxRatio);
    clearConstant(constants, ConstantKey::IndexConstant);
    EXPECT_TRUE(noConstants(constants));
}

} // namespace
} // namespace gearsel
