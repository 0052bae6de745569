// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the "which gear to buy" list: its headings and the cells of each suggestion,
// as the terminal table and the window show them.

#include "engine/gear_suggestion.h"
#include "engine/ratio_range.h"
#include "present/wording.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace gearsel {

inline constexpr int kSuggestionColumns = 10;
using SuggestionRowTexts = std::array<std::string, kSuggestionColumns>;

// 添置齿数, Z1 .. Z4, 计算速比, 速比分数, 绝对精度, 相对精度, 精确.
SuggestionRowTexts suggestionHeadings(Language language);

// The cells of one suggestion for the required ratio `requiredRatio`: the tooth count, the
// best train's tooth counts (a single pair's z3 and z4 empty), its ratio and fraction, its
// errors and the exact mark, written as the chart writes them (chartRowTexts).
SuggestionRowTexts suggestionRowTexts(const GearSuggestion& suggestion, double requiredRatio,
                                      Language language);

// The same for three-pair trains: 添置齿数, Z1 .. Z6, then as above.
using ThreePairSuggestionRowTexts = std::array<std::string, kSuggestionColumns + 2>;
ThreePairSuggestionRowTexts threePairSuggestionHeadings(Language language);
ThreePairSuggestionRowTexts threePairSuggestionRowTexts(const ThreePairSuggestion& suggestion,
                                                        double requiredRatio, Language language);

// The lines above the list: what the set as it is gives ("现有挂轮已有精确的挂轮组: 24/101（绝对
// 精度 0）"), when the required ratio lies outside the set's reachable range `range`, which
// additions bring it in, and a line that says so when no addition helps.
std::vector<std::string> suggestionSummary(const SuggestionReport& report,
                                           const std::optional<RatioRange>& range,
                                           Language language);
std::vector<std::string> suggestionSummary(const ThreePairSuggestionReport& report,
                                           const std::optional<RatioRange>& range,
                                           Language language);

// A train as a workshop writes it: "24/101", "50/90 × 100/45", "24/36 × 24/96 × 24/100".
std::string trainText(const GearTrain& train);
std::string trainText(const ThreePairTrain& train);

// The number cells of a train as a chart shows them: the ratio with seven decimals (six from
// 10 up), and an error with three significant digits, or "0" for an exact train.
std::string chartRatioText(double ratio);
std::string chartErrorText(double error, bool exact);

} // namespace gearsel
