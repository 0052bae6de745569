// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/suggestion_text.h"

#include "engine/number_text.h"
#include "engine/train_fraction.h"
#include "present/result_text.h"

#include <cmath>
#include <cstdio>

namespace gearsel {

SuggestionRowTexts suggestionHeadings() {
    return {"添置齿数", "Z1",       "Z2",       "Z3",       "Z4",
            "计算速比", "速比分数", "绝对精度", "相对精度", "精确"};
}

SuggestionRowTexts suggestionRowTexts(const GearSuggestion& suggestion, double requiredRatio) {
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
            exact ? "精确" : ""};
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

} // namespace

std::vector<std::string> suggestionSummary(const SuggestionReport& report,
                                           const std::optional<RatioRange>& range) {
    std::vector<std::string> lines;
    if (!report.bestInSet) {
        lines.emplace_back("现有挂轮找不到可用的挂轮组");
    } else {
        const BestTrain& best = *report.bestInSet;
        lines.push_back(std::string(best.exact ? "现有挂轮已有精确的挂轮组: "
                                               : "现有挂轮没有精确的挂轮组，最接近的是: ") +
                        trainText(best.slot.train) + "（绝对精度 " +
                        chartErrorText(best.slot.absError, best.exact) + "）");
    }
    if (!report.inRange) {
        lines.push_back("要求速比不在可选择的范围 " +
                        (range ? rangeCaption(*range) : std::string("-")) + " 之内；" +
                        (report.bringIntoRange.empty()
                             ? std::string("添置一个挂轮也达不到")
                             : "添置下列齿数之一可以达到: " + runsText(report.bringIntoRange)));
    }
    if (report.suggestions.empty()) {
        lines.emplace_back(kNoGearHelps);
    }
    return lines;
}

} // namespace gearsel
