// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/result_text.h"

#include "engine/number_text.h"
#include "engine/train_fraction.h"

#include <cmath>

namespace gearsel {

namespace {

// A tooth count right-aligned in four characters; a 0 (a single pair's z3, z4) is blank.
std::string teethCell(int teeth) {
    if (teeth == 0) {
        return {};
    }
    return lastChars(" " + std::to_string(teeth) + " ", 4);
}

} // namespace

ResultRowTexts resultHeadings(Language language) {
    ResultRowTexts row;
    row[0] = " №";
    for (int c = 1; c <= 4; ++c) {
        row[static_cast<std::size_t>(c)] = " Z" + std::to_string(c);
    }
    row[5] = inLanguage(language, "  计算速比", "  Ratio");
    row[6] = inLanguage(language, "  绝对精度", "  Abs error");
    row[7] = inLanguage(language, "  相对精度", "  Rel error");
    return row;
}

ResultRowTexts emptyResultRow(int row) {
    ResultRowTexts texts;
    texts.fill(" ");
    texts[0] = std::to_string(row) + " ";
    return texts;
}

std::string ratioText(double ratio) {
    return formatFixed(ratio, std::fabs(ratio) < 10.0 ? 7 : 6);
}

double relativeError(const ResultSlot& slot, double requiredRatio) {
    return slot.absError / requiredRatio;
}

ResultRowTexts resultRow(int slotNumber, const ResultSlot& slot, double requiredRatio) {
    ResultRowTexts texts;
    texts[0] = lastChars("  " + std::to_string(slotNumber) + (slot.repeat ? "R " : "  "), 5);
    texts[1] = teethCell(slot.train.z1);
    texts[2] = teethCell(slot.train.z2);
    texts[3] = teethCell(slot.train.z3);
    texts[4] = teethCell(slot.train.z4);
    texts[5] = ratioText(slot.calcRatio) + " ";
    texts[6] = formatFixed(slot.absError, 7) + " ";
    texts[7] = formatFixed(relativeError(slot, requiredRatio), 7) + " ";
    return texts;
}

ThreePairRowTexts threePairHeadings(Language language) {
    const ResultRowTexts two = resultHeadings(language);
    return {two[0], two[1], two[2], two[3], two[4], " Z5", " Z6", two[5], two[6], two[7]};
}

ThreePairRowTexts threePairRow(int slotNumber, const ThreePairSlot& slot, double requiredRatio) {
    const ThreePairTrain& t = slot.train;
    // The numbers as a two-pair row shows them; only the tooth counts are more.
    const ResultRowTexts two =
        resultRow(slotNumber,
                  ResultSlot{{t.z1, t.z2, t.z3, t.z4}, slot.repeat, slot.calcRatio, slot.absError},
                  requiredRatio);
    return {two[0],          two[1],          two[2], two[3], two[4],
            teethCell(t.z5), teethCell(t.z6), two[5], two[6], two[7]};
}

std::string secondsText(double seconds) {
    return formatFixed(seconds, 3) + " s";
}

namespace {

// The tooltip of a train whose exact ratio is `fraction`, exactly the required one or not.
std::string fractionToolTip(const Fraction& fraction, bool exact,
                            const std::optional<Fraction>& required, Language language) {
    const std::string text = fraction.text();
    if (!required) {
        return inLanguage(
            language, "速比分数 " + text + "；要求速比不是准确的分数，无法判断是否精确",
            "Ratio " + text + "; the required ratio is no exact fraction, so exactness is unknown");
    }
    if (exact) {
        return inLanguage(language, "速比分数 " + text + "，与要求速比完全相同（精确）",
                          "Ratio " + text + ", exactly the required ratio (exact)");
    }
    return inLanguage(language,
                      "速比分数 " + text + "，与要求速比 " + required->text() + " 不完全相同",
                      "Ratio " + text + ", not exactly the required " + required->text());
}

} // namespace

std::string resultToolTip(const ResultSlot& slot, const std::optional<Fraction>& required,
                          Language language) {
    return fractionToolTip(trainFraction(slot.train), isExactTrain(slot.train, required), required,
                           language);
}

std::string threePairToolTip(const ThreePairSlot& slot, const std::optional<Fraction>& required,
                             Language language) {
    return fractionToolTip(threePairFraction(slot.train), isExactThreePair(slot.train, required),
                           required, language);
}

} // namespace gearsel
