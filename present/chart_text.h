// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of a chart: its headings and the cells of each row as the terminal table and the
// printed pages show them, and the whole chart as CSV for spreadsheets, with every number in
// full precision.

#include "engine/ratio_chart.h"
#include "present/wording.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace gearsel {

inline constexpr int kChartColumns = 14;
using ChartRowTexts = std::array<std::string, kChartColumns>;

// 目标, 要求速比, Z1 .. Z4, 重复, 计算速比, 速比分数, 绝对精度, 相对精度, 精确, 建议添置,
// 添置后挂轮.
ChartRowTexts chartHeadings(Language language);

// The cells of one row. The required ratio shows its fraction where it has one, the train its
// ratio with seven decimals (six from 10 up) and its fraction; the errors show three
// significant digits ("8.12e-06"), and 0 for an exact train, whose true error is 0 whatever
// the doubles say. 重复 holds the result grid's repeat mark "R" for a train that uses one tooth
// count twice. A row without a train shows "-" for it, or "无可装配" where trains come near but
// none fits the machine; the last two cells name the gear to buy
// and the train it gives, with R when it repeats a count and 精确 when it is exact.
ChartRowTexts chartRowTexts(const ChartRow& row, Language language);

// The same for a chart of three-pair trains: Z5 and Z6 after Z4, the rest as for two pairs.
inline constexpr int kThreePairChartColumns = kChartColumns + 2;
using ThreePairChartRowTexts = std::array<std::string, kThreePairChartColumns>;
ThreePairChartRowTexts threePairChartHeadings(Language language);
ThreePairChartRowTexts threePairChartRowTexts(const ThreePairChartRow& row, Language language);

// Rows on a lathe with gearbox positions name theirs: the texts then have a column 档位
// ("Position") after the target. Whether any row names one:
bool namesPositions(const std::vector<ChartRow>& rows);
bool namesPositions(const std::vector<ThreePairChartRow>& rows);
std::string positionHeading(Language language);
// `cells` with `position` put after the first cell, the target.
std::vector<std::string> withPosition(std::span<const std::string> cells,
                                      const std::string& position);

// The chart as the lines of a table, as the window and the printed pages show it: the
// headings, then the cells of each row, with the position column where the rows name positions.
using ChartLine = std::vector<std::string>;
std::vector<ChartLine> chartLines(const std::vector<ChartRow>& rows, Language language);
std::vector<ChartLine> chartLines(const std::vector<ThreePairChartRow>& rows, Language language);

// The line under a chart: "共 104 行，其中 5 行没有精确的挂轮组".
std::string chartSummary(const std::vector<ChartRow>& rows, Language language);
std::string chartSummary(const std::vector<ThreePairChartRow>& rows, Language language);

// The chart as CSV: the heading line, then one line per row with the cells of chartRowTexts()
// except that numbers are written in full (the shortest text that reads back to the same
// double) and an exact required ratio as its fraction, and the position column where the rows
// name positions. Lines end in a line feed.
std::string chartCsv(const std::vector<ChartRow>& rows, Language language);
std::string chartCsv(const std::vector<ThreePairChartRow>& rows, Language language);

} // namespace gearsel
