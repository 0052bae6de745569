// SPDX-License-Identifier: GPL-3.0-or-later
// The 装配 cell of listed trains and the sentence of the window's tooltips, on a machine worked
// by hand: module 1, centre D = 60 mm, the stud 20 to 40 mm from the output shaft, a cover of
// 62 mm (gears of up to 60 teeth).

#include "engine/train_fitter.h"
#include "present/fit_sentence.h"
#include "present/fit_text.h"

#include <gtest/gtest.h>

namespace gearsel {
namespace {

TrainFitter workedMachine() {
    const MachineGeometry machine{
        {ToothSize::Unit::Module, 1.0}, 60.0, StudRange{20.0, 40.0}, 62.0};
    const std::vector<std::int16_t> gears = {20, 25, 30, 35, 40, 50, 50, 58, 60};
    return TrainFitter(machine, gears);
}

TEST(FitTextTest, CellsOfTrainsThatFitAndDoNot) {
    const TrainFitter fitter = workedMachine();
    const struct {
        const char* name;
        GearTrain train;
        const char* cell;
    } rows[] = {
        // (60 + 60) / 2 = 60 = D.
        {"pair meshing directly", {60, 60, 0, 0}, "✓"},
        // 20/20 meshes at 20 mm; through an idler zi both distances are (20 + zi)/2 and must
        // add up to 60: zi >= 40, and the slot holds (20 + zi)/2 <= 40: zi <= 60. 30 and 35
        // come short; 40 is the smallest that fits.
        {"pair through an idler", {20, 20, 0, 0}, "✓ 惰轮 40（反向）"},
        // a1 = 40, a2 = 30: |40 - 30| <= 60 <= 70, a2 in the slot, 58 + 2 = 60 under the cover.
        {"two pairs that fit", {22, 58, 25, 35}, "✓"},
        // a1 = 22.5, a2 = 32.5 add up to 55 < 60.
        {"two pairs short of the centre", {20, 25, 30, 35}, "✗ 中心距够不着"},
        // a1 = 62, a2 = 50: they reach, but the slot ends at 40, and 64 + 2 = 66 > 62.
        {"stud beyond the slot, gear over the cover",
         {60, 64, 50, 50},
         "✗ 超出挂轮架槽、齿轮超出罩壳"},
        // 100/10 meshes at 55 mm; idler 30 would close it (a1 = 65, a2 = 20), but 100 + 2 > 62.
        {"pair wider than the cover", {100, 10, 0, 0}, "✗ 齿轮超出罩壳"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(fitCellText(fitter.fit(row.train)), row.cell) << row.name;
    }
    EXPECT_EQ(fitCellText(std::nullopt), "") << "unknown";
}

TEST(FitTextTest, APairWithoutAnIdlerSaysSo) {
    // Module 2, D = 100: 20/20 meshes at 40 mm; through an idler a1 = a2 = 2(20 + zi)/2 =
    // 20 + zi must add up to 100 (zi >= 30) and the slot (at most 30 mm) must hold it
    // (zi <= 10): no gear can do both.
    const MachineGeometry machine{
        {ToothSize::Unit::Module, 2.0}, 100.0, StudRange{0.0, 30.0}, std::nullopt};
    const std::vector<std::int16_t> gears = {20, 20, 30, 40, 80};
    const TrainFitter fitter(machine, gears);
    EXPECT_EQ(fitCellText(fitter.fit({20, 20, 0, 0})), "✗ 无合适惰轮");
}

TEST(FitSentenceTest, SaysWhetherATrainFitsAndWhyNot) {
    const TrainFitter fitter = workedMachine();
    const struct {
        const char* name;
        GearTrain train;
        const char* chinese;
        const char* english;
    } rows[] = {
        // (60 + 60) / 2 = 60 = D.
        {"pair meshing directly", {60, 60, 0, 0}, "装得上", "Fits the machine"},
        // Through idler zi both distances are (20 + zi)/2, adding up to 60 from zi = 40.
        {"pair through an idler",
         {20, 20, 0, 0},
         "装得上：需加惰轮 40，输出反向",
         "Fits the machine with idler 40, which reverses the output"},
        // a1 = 62, a2 = 50 reach, but the slot ends at 40 and 64 + 2 = 66 > 62.
        {"two rules broken",
         {60, 64, 50, 50},
         "装不上：超出挂轮架槽、齿轮超出罩壳",
         "Does not fit: the stud lies outside the quadrant's slot; a gear is wider than the "
         "cover"},
        // 100/10 through idler 30: a1 = 65, a2 = 20 close D, but 100 + 2 > 62.
        {"idler found, pair over the cover",
         {100, 10, 0, 0},
         "装不上（惰轮 30）：齿轮超出罩壳",
         "Does not fit (idler 30): a gear is wider than the cover"},
        // a1 = 22.5, a2 = 32.5 add up to 55 < 60.
        {"short of the centre",
         {20, 25, 30, 35},
         "装不上：中心距够不着",
         "Does not fit: the centre distances cannot meet"},
    };
    for (const auto& row : rows) {
        const TrainFit fit = fitter.fit(row.train);
        EXPECT_EQ(fitSentence(fit, Language::Chinese), row.chinese) << row.name;
        EXPECT_EQ(fitSentence(fit, Language::English), row.english) << row.name;
    }
}

TEST(FitSentenceTest, EveryProblemHasEnglishWords) {
    for (const FitProblem problem : kFitProblems) {
        const std::string english = fitProblemWords(problem, Language::English);
        EXPECT_FALSE(english.empty());
        EXPECT_NE(english, fitProblemWords(problem, Language::Chinese));
        for (const FitProblem other : kFitProblems) {
            if (other != problem) {
                EXPECT_NE(english, fitProblemWords(other, Language::English));
            }
        }
    }
}

} // namespace
} // namespace gearsel
