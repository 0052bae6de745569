// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the result grid: headings, the rows of the empty grid and the cells of a
// filled row. The window, the command-line tool and the tests all show these same texts.

#include "engine/fraction.h"
#include "engine/gear_train.h"
#include "engine/three_pair_train.h"
#include "present/wording.h"

#include <array>
#include <optional>
#include <string>

namespace gearsel {

inline constexpr int kResultColumns = 8;
using ResultRowTexts = std::array<std::string, kResultColumns>;

// Column widths of the result grid in twips.
inline constexpr std::array<int, kResultColumns> kResultColumnTwips = {500, 510,  510,  510,
                                                                       510, 1065, 1065, 1065};

// The heading row: " №", " Z1" .. " Z4", "  计算速比", "  绝对精度", "  相对精度".
ResultRowTexts resultHeadings(Language language);

// Row r of the empty grid: "r " and a single space in every other column.
ResultRowTexts emptyResultRow(int row);

// Relative error of a slot: its absolute error divided by the required ratio.
double relativeError(const ResultSlot& slot, double requiredRatio);

// A calculated ratio as the grid and the printout show it: seven decimals below 10, six from
// 10 on, so that every ratio takes one width.
std::string ratioText(double ratio);

// The cells of the grid row that shows slot `slotNumber` (1-based) of a result list.
ResultRowTexts resultRow(int slotNumber, const ResultSlot& slot, double requiredRatio);

// The same for a three-pair train: " №", " Z1" .. " Z6" and the three numbers, its cells as
// a two-pair row's.
inline constexpr int kThreePairColumns = 10;
using ThreePairRowTexts = std::array<std::string, kThreePairColumns>;
ThreePairRowTexts threePairHeadings(Language language);
ThreePairRowTexts threePairRow(int slotNumber, const ThreePairSlot& slot, double requiredRatio);

// The search time as it is shown: three decimals and " s" ("0.047 s").
std::string secondsText(double seconds);

// The tooltip of a filled row: the train's exact ratio as a fraction and whether it is exactly
// the required ratio ("速比分数 60/127，与要求速比完全相同"). `required` is the required ratio's
// fraction, nothing when it has none.
std::string resultToolTip(const ResultSlot& slot, const std::optional<Fraction>& required,
                          Language language);
// The same for a three-pair train.
std::string threePairToolTip(const ThreePairSlot& slot, const std::optional<Fraction>& required,
                             Language language);

} // namespace gearsel
