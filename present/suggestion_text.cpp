// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/suggestion_text.h"

#include "engine/number_text.h"
#include "engine/train_fraction.h"
#include "present/result_text.h"

#include <cmath>
#include <cstdio>

namespace gearsel {

SuggestionRowTexts suggestionHeadings(Language language) {
    if (language == Language::English) {
        return {"Buy",   "Z1",       "Z2",        "Z3",        "Z4",
                "Ratio", "Fraction", "Abs error", "Rel error", "Exact"};
    }
    return {"添置齿数", "Z1",       "Z2",       "Z3",       "Z4",
            "计算速比", "速比分数", "绝对精度", "相对精度", "精确"};
}

SuggestionRowTexts suggestionRowTexts(const GearSuggestion& suggestion, double requiredRatio,
                                      Language language) {
    const ResultSlot& slot = suggestion.best.slot;
    const bool exact = suggestion.best.exact;
    const auto teeth = [](std::int16_t z) { return z == 0 ? std::string() : std::to_string(z); };
    return {std::to_string(suggestion.tooth),
            teeth(slot.train.z1),
            teeth(slot.train.z2),
            teeth(slot.train.z3),
            teeth(slot.train.z4),
            chartRatioText(slot.calcRatio),
            trainFraction(slot.train).text(),
            chartErrorText(slot.absError, exact),
            chartErrorText(relativeError(slot, requiredRatio), exact),
            exact ? inLanguage(language, "精确", "exact") : ""};
}

ThreePairSuggestionRowTexts threePairSuggestionHeadings(Language language) {
    const SuggestionRowTexts two = suggestionHeadings(language);
    return {two[0], two[1], two[2], two[3], two[4], "Z5",
            "Z6",   two[5], two[6], two[7], two[8], two[9]};
}

ThreePairSuggestionRowTexts threePairSuggestionRowTexts(const ThreePairSuggestion& suggestion,
                                                        double requiredRatio, Language language) {
    const ThreePairSlot& slot = suggestion.best.slot;
    const ThreePairTrain& t = slot.train;
    const bool exact = suggestion.best.exact;
    return {std::to_string(suggestion.tooth),
            std::to_string(t.z1),
            std::to_string(t.z2),
            std::to_string(t.z3),
            std::to_string(t.z4),
            std::to_string(t.z5),
            std::to_string(t.z6),
            chartRatioText(slot.calcRatio),
            threePairFraction(t).text(),
            chartErrorText(slot.absError, exact),
            chartErrorText(slot.absError / requiredRatio, exact),
            exact ? inLanguage(language, "精确", "exact") : ""};
}

std::string trainText(const ThreePairTrain& t) {
    return std::to_string(t.z1) + "/" + std::to_string(t.z2) + " × " + std::to_string(t.z3) + "/" +
           std::to_string(t.z4) + " × " + std::to_string(t.z5) + "/" + std::to_string(t.z6);
}

std::string trainText(const GearTrain& train) {
    std::string text = std::to_string(train.z1) + "/" + std::to_string(train.z2);
    if (train.z3 != 0 || train.z4 != 0) {
        text += " × " + std::to_string(train.z3) + "/" + std::to_string(train.z4);
    }
    return text;
}

std::string chartRatioText(double ratio) {
    return formatFixed(ratio, std::fabs(ratio) < 10.0 ? 7 : 6);
}

std::string chartErrorText(double error, bool exact) {
    if (exact) {
        return "0";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2e", error);
    return text;
}

namespace {

// "10-14, 250, 252-255": ascending tooth counts with their runs joined.
std::string runsText(const std::vector<int>& teeth) {
    std::string text;
    for (std::size_t i = 0; i < teeth.size();) {
        std::size_t last = i;
        while (last + 1 < teeth.size() && teeth[last + 1] == teeth[last] + 1) {
            ++last;
        }
        text += (text.empty() ? "" : ", ") + std::to_string(teeth[i]) +
                (last > i ? "-" + std::to_string(teeth[last]) : "");
        i = last + 1;
    }
    return text;
}

template <class Slot>
std::vector<std::string> summaryOf(const SuggestionReportOf<Slot>& report,
                                   const std::optional<RatioRange>& range, Language language) {
    std::vector<std::string> lines;
    if (!report.bestInSet) {
        lines.push_back(inLanguage(language, "现有挂轮找不到可用的挂轮组",
                                   "The gears at hand give no usable train"));
    } else {
        const BestOf<Slot>& best = *report.bestInSet;
        const std::string train = trainText(best.slot.train);
        const std::string error = chartErrorText(best.slot.absError, best.exact);
        lines.push_back(
            best.exact
                ? inLanguage(language,
                             "现有挂轮已有精确的挂轮组: " + train + "（绝对精度 " + error + "）",
                             "The gears at hand have an exact train: " + train + " (abs error " +
                                 error + ")")
                : inLanguage(language,
                             "现有挂轮没有精确的挂轮组，最接近的是: " + train + "（绝对精度 " +
                                 error + "）",
                             "The gears at hand have no exact train; the closest is " + train +
                                 " (abs error " + error + ")"));
    }
    if (!report.inRange) {
        const std::string shown = range ? rangeCaption(*range) : std::string("-");
        const std::string runs = runsText(report.bringIntoRange);
        lines.push_back(
            report.bringIntoRange.empty()
                ? inLanguage(language,
                             "要求速比不在可选择的范围 " + shown + " 之内；添置一个挂轮也达不到",
                             "The required ratio lies outside the reachable range " + shown +
                                 "; one more gear does not reach it")
                : inLanguage(language,
                             "要求速比不在可选择的范围 " + shown +
                                 " 之内；添置下列齿数之一可以达到: " + runs,
                             "The required ratio lies outside the reachable range " + shown +
                                 "; one of these tooth counts reaches it: " + runs));
    }
    if (report.suggestions.empty()) {
        lines.push_back(inLanguage(language, "添置任何一个挂轮都得不到更好的挂轮组",
                                   "No one more gear gives a better train"));
    }
    return lines;
}

} // namespace

std::vector<std::string> suggestionSummary(const SuggestionReport& report,
                                           const std::optional<RatioRange>& range,
                                           Language language) {
    return summaryOf(report, range, language);
}

std::vector<std::string> suggestionSummary(const ThreePairSuggestionReport& report,
                                           const std::optional<RatioRange>& range,
                                           Language language) {
    return summaryOf(report, range, language);
}

} // namespace gearsel
