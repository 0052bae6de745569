// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/formula_form.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace gearsel {
namespace {

MachineConstants readConstants(const std::array<std::string, 5>& texts) {
    const ConstantsReading reading = readConstantTexts(texts, Language::Chinese);
    EXPECT_EQ(reading.problem, "");
    return reading.constants;
}

// The worked examples: exact where no π or sine enters, the same values the command line gives.
TEST(FormulaFormTest, WorksOutEachFormulaFromItsFields) {
    const MachineConstants lathe6 = readConstants({"6mm", "", "", "", ""});
    const MachineConstants lathe8tpi = readConstants({"8tpi", "", "", "", ""});
    const MachineConstants hobber = readConstants({"", "", "24", "7.95775", ""});
    const MachineConstants head = readConstants({"", "", "", "", "40"});

    const struct {
        Formula formula;
        std::vector<std::string> texts;
        const MachineConstants& constants;
        const char* shown;
    } cases[] = {
        {Formula::Thread, {"1.5mm", "1"}, lathe6, "1/4 = 0.25"},
        {Formula::Thread, {"20tpi", "1"}, lathe6, "127/600 = 0.21166666666666667"},
        {Formula::Thread, {" 1.5 mm ", "1"}, lathe8tpi, "60/127 = 0.47244094488188976"},
        {Formula::Thread, {"1.5mm", "2"}, lathe6, "1/2 = 0.5"},
        {Formula::HobIndex, {"101", "1"}, hobber, "24/101 = 0.23762376237623761"},
        {Formula::DividingHead, {"61", "60"}, head, "-2/3 = -0.66666666666666663"},
    };
    for (const auto& c : cases) {
        const FormulaOutcome outcome =
            workOutRatio(c.formula, c.texts, c.constants, Language::Chinese);
        ASSERT_TRUE(outcome.ratio) << c.texts[0] << ": " << outcome.problem;
        EXPECT_EQ(ratioResultText(*outcome.ratio), c.shown);
    }

    // π and the sine come in as doubles, so these have no fraction.
    const FormulaOutcome worm =
        workOutRatio(Formula::Thread, {"m2", "1"}, lathe6, Language::Chinese);
    ASSERT_TRUE(worm.ratio);
    EXPECT_FALSE(worm.ratio->fraction());
    EXPECT_DOUBLE_EQ(worm.ratio->value(), M_PI * 2 / 6);
    const FormulaOutcome helix =
        workOutRatio(Formula::HobDifferential, {"15", "2", "1"}, hobber, Language::Chinese);
    ASSERT_TRUE(helix.ratio);
    EXPECT_NEAR(helix.ratio->value(), 7.95775 * std::sin(15 * M_PI / 180) / 2, 1e-12);
    EXPECT_EQ(ratioResultText(*helix.ratio).find('/'), std::string::npos);
}

// Every refusal is one sentence in Chinese that names what is wrong; none throws.
TEST(FormulaFormTest, RefusesBadFieldsWithOneSentence) {
    const MachineConstants all = readConstants({"6mm", "", "24", "8", "40"});
    const struct {
        Formula formula;
        std::vector<std::string> texts;
        MachineConstants constants;
        const char* problemHas;
    } cases[] = {
        {Formula::Thread, {"1.5", "1"}, all, "螺距“1.5”无法识别"},
        {Formula::Thread, {"", "1"}, all, "请填写螺距"},
        {Formula::Thread, {"0mm", "1"}, all, "螺距必须大于 0"},
        {Formula::Thread, {"1.5mm", "0"}, all, "头数必须是不小于 1 的整数"},
        {Formula::Thread, {"1.5mm", "1.5"}, all, "头数必须是不小于 1 的整数"},
        {Formula::Thread, {"1.5mm", "1"}, MachineConstants{}, "请先在机床常数中填写丝杠螺距"},
        {Formula::HobIndex, {"0", "1"}, all, "工件齿数 z必须是不小于 1 的整数"},
        {Formula::HobIndex, {"40", "1"}, MachineConstants{}, "分度常数 K"},
        {Formula::HobDifferential, {"90", "2", "1"}, all, "螺旋角必须在 0 到 90 度之间"},
        {Formula::HobDifferential, {"0", "2", "1"}, all, "螺旋角 β（度）必须大于 0"},
        {Formula::HobDifferential, {"15", "x", "1"}, all, "法向模数 mn“x”不是一个数"},
        {Formula::DividingHead, {"60", "60"}, all, "近似等分数不能等于等分数"},
        {Formula::DividingHead, {"61", "60"}, MachineConstants{}, "分度头定数 N"},
        // A drawing's M10 is a thread of pitch 1.5 mm, not module 10.
        {Formula::Thread, {"M10", "1"}, all, "“M10”是公制螺纹的代号，不是螺距：请填它的螺距 1.5mm"},
        {Formula::Thread, {"M10", "1"}, all, "请写小写的 m10"},
        // Ratios no search can use: beyond every double, or too close to 0.
        {Formula::Thread,
         {"1e308mm", "1"},
         readConstants({"1e-308mm", "", "", "", ""}),
         "算出的速比超出了数的范围"},
        {Formula::HobIndex,
         {"101", "1"},
         readConstants({"", "", "1e-320", "", ""}),
         "算出的速比太接近 0"},
    };
    for (const auto& c : cases) {
        const FormulaOutcome outcome =
            workOutRatio(c.formula, c.texts, c.constants, Language::Chinese);
        EXPECT_FALSE(outcome.ratio) << c.problemHas;
        EXPECT_NE(outcome.problem.find(c.problemHas), std::string::npos) << outcome.problem;
    }
}

TEST(FormulaFormTest, SaysWhichWayTheDrivenSideTurns) {
    // z' > z: the plate follows the crank; z' < z: it turns against it, and the train is the
    // one for |i| with an idler.
    EXPECT_EQ(turnDirectionText(Fraction(2, 3), true, Language::Chinese),
              "速比为正：分度盘与手柄转向相同");
    EXPECT_EQ(turnDirectionText(Fraction(-7, 3), true, Language::Chinese),
              "速比为负：分度盘与手柄转向相反（用惰轮调整转向），挂轮按 |i| 选配");
    EXPECT_EQ(turnDirectionText(Quantity(-0.5), false, Language::Chinese),
              "速比为负：从动轴反向转动（用惰轮调整转向），挂轮按 |i| 选配");
    EXPECT_EQ(turnDirectionText(Fraction(60, 127), false, Language::Chinese), "");
}

TEST(FormulaFormTest, ReadsTheConstantsBoxAndNamesTheFirstBadOne) {
    const MachineConstants read = readConstants({" 4tpi ", "3/2", "24", "", ""});
    EXPECT_EQ(constantText(read, ConstantKey::Leadscrew), "4tpi");
    EXPECT_EQ(constantText(read, ConstantKey::GearboxRatio), "1.5");
    EXPECT_FALSE(read.differentialConstant);

    for (const auto& [texts, name] :
         {std::pair<std::array<std::string, 5>, const char*>{{"m2", "", "", "", ""}, "丝杠螺距"},
          {{"6mm", "0", "", "", ""}, "进给箱速比"},
          {{"", "", "-24", "x", ""}, "分度常数 K"}}) {
        const ConstantsReading reading = readConstantTexts(texts, Language::Chinese);
        EXPECT_NE(reading.problem.find(name), std::string::npos) << reading.problem;
    }
    // In English the constant's caption is part of the sentence, in lower case.
    EXPECT_EQ(readConstantTexts({"", "", "-24", "", ""}, Language::English).problem,
              "The index constant K \"-24\" cannot be used: e.g. 24, and it must be greater "
              "than 0.");
    EXPECT_EQ(readConstantTexts({"", "0", "", "", ""}, Language::English).problem,
              "The feed gearbox ratio \"0\" cannot be used: e.g. 1 or 3/2; empty for 1, and it "
              "must be greater than 0.");
}

TEST(FormulaFormTest, EveryFormHasAsManyStartingTextsAsItWorksOut) {
    const MachineConstants all = readConstants({"6mm", "", "24", "8", "40"});
    for (const FormulaEntry& entry : formulaRegistry()) {
        const Formula formula = entry.formula;
        const FormulaForm form = formulaForm(formula, Language::Chinese);
        std::vector<std::string> texts;
        for (const FormField& field : form.fields) {
            texts.push_back(field.startText);
        }
        EXPECT_TRUE(workOutRatio(formula, texts, all, Language::Chinese).ratio) << form.title;
    }
}

// An English window's forms: every word of each form and its refusals in English.
TEST(FormulaFormTest, EnglishFormsAndRefusalsHoldNoChinese) {
    const auto english = [](const std::string& text) {
        return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
            // Greek letters, primes, ×, ÷ and π are UTF-8 too; the CJK ranges start at E2 BA.
            return static_cast<unsigned char>(c) < 0xE3;
        });
    };
    const MachineConstants all = readConstants({"6mm", "", "24", "8", "40"});
    for (const FormulaEntry& entry : formulaRegistry()) {
        const FormulaForm form = formulaForm(entry.formula, Language::English);
        EXPECT_TRUE(english(form.title)) << form.title;
        EXPECT_TRUE(english(form.equation)) << form.equation;
        std::vector<std::string> empty;
        for (const FormField& field : form.fields) {
            EXPECT_TRUE(english(field.label)) << field.label;
            EXPECT_TRUE(english(field.hint)) << field.hint;
            empty.emplace_back();
        }
        const std::string problem =
            workOutRatio(entry.formula, empty, all, Language::English).problem;
        EXPECT_TRUE(english(problem)) << problem;
    }
    EXPECT_EQ(workOutRatio(Formula::Thread, {"", "1"}, all, Language::English).problem,
              "Please fill in Pitch.");
    EXPECT_EQ(workOutRatio(Formula::Thread, {"1.5mm", "0"}, all, Language::English).problem,
              "Starts must be a whole number of at least 1.");
    // The command line's phrase, made a sentence for the helper's line.
    EXPECT_EQ(workOutRatio(Formula::Thread, {"1.5mm", "1"}, {}, Language::English).problem,
              "The leadscrew pitch is not known.");
    EXPECT_EQ(turnDirectionText(Fraction(-7, 3), true, Language::English),
              "Negative ratio: the plate turns against the crank (set the direction with an "
              "idler); the train is selected for |i|");
}

} // namespace
} // namespace gearsel
