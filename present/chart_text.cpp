// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/chart_text.h"

#include "engine/train_fraction.h"
#include "present/result_text.h"
#include "present/suggestion_text.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <tuple>

namespace gearsel {

namespace {

// The mark of an exact train.
std::string exactMark(Language language) {
    return inLanguage(language, "精确", "exact");
}
const char* const kRepeatMark = "R";

std::string fullText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

// What a row's cells take from its train, for two pairs and for three.
std::vector<int> teethOf(const GearTrain& t) {
    return {t.z1, t.z2, t.z3, t.z4};
}
std::vector<int> teethOf(const ThreePairTrain& t) {
    return {t.z1, t.z2, t.z3, t.z4, t.z5, t.z6};
}
Fraction fractionOf(const GearTrain& t) {
    return trainFraction(t);
}
Fraction fractionOf(const ThreePairTrain& t) {
    return threePairFraction(t);
}
std::string textOf(const GearTrain& t) {
    return trainText(t);
}
std::string textOf(const ThreePairTrain& t) {
    const auto pair = [](int driver, int driven) {
        return std::to_string(driver) + "/" + std::to_string(driven);
    };
    return pair(t.z1, t.z2) + " × " + pair(t.z3, t.z4) + " × " + pair(t.z5, t.z6);
}

// The cells of a row with the given ways of writing numbers: the target, the required ratio,
// the train's tooth counts (4 or 6), then the same columns for both kinds of train.
template <typename Cells, typename Slot, typename Ratio, typename Error>
Cells rowTexts(const ChartRowOf<Slot>& row, Ratio ratioText, Error errorCell, Language language) {
    constexpr std::size_t kTarget = 0, kRequired = 1, kTeeth = 2;
    constexpr std::size_t kRepeat = std::tuple_size_v<Cells> - 8;
    constexpr std::size_t kRatio = kRepeat + 1, kFraction = kRepeat + 2, kAbsError = kRepeat + 3,
                          kRelError = kRepeat + 4, kExact = kRepeat + 5, kBuy = kRepeat + 6,
                          kBuyTrain = kRepeat + 7;
    Cells cells;
    cells[kTarget] = row.target.label;
    const auto& required = row.target.ratio.fraction();
    cells[kRequired] = required ? required->text() : ratioText(row.target.ratio.value());
    if (!row.best) {
        // Trains come near but none can be mounted, or none comes near at all.
        cells[kRatio] = row.outcome == ChartOutcome::NoneFits
                            ? inLanguage(language, "无可装配", "none fits")
                            : "-";
    } else {
        const Slot& slot = row.best->slot;
        const std::vector<int> teeth = teethOf(slot.train);
        for (std::size_t c = 0; c < teeth.size(); ++c) {
            cells[kTeeth + c] = teeth[c] == 0 ? std::string() : std::to_string(teeth[c]);
        }
        cells[kRepeat] = slot.repeat ? kRepeatMark : "";
        cells[kRatio] = ratioText(slot.calcRatio);
        cells[kFraction] = fractionOf(slot.train).text();
        const double relative = slot.absError / row.target.ratio.value();
        cells[kAbsError] = errorCell(slot.absError, row.best->exact);
        cells[kRelError] = errorCell(relative, row.best->exact);
        cells[kExact] = row.best->exact ? exactMark(language) : "";
    }
    if (row.buy) {
        const Slot& bought = row.buy->best.slot;
        cells[kBuy] = std::to_string(row.buy->tooth);
        cells[kBuyTrain] = textOf(bought.train) +
                           (bought.repeat ? std::string(" ") + kRepeatMark : "") +
                           (row.buy->best.exact ? " " + exactMark(language) : "");
    }
    return cells;
}

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

std::string csvLine(std::span<const std::string> cells) {
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        line += (c == 0 ? "" : ",") + csvField(cells[c]);
    }
    return line + "\n";
}

template <typename Row> std::string summaryOf(const std::vector<Row>& rows, Language language) {
    std::size_t inexact = 0;
    for (const Row& row : rows) {
        inexact += row.exact() ? 0 : 1;
    }
    return inLanguage(language,
                      "共 " + std::to_string(rows.size()) + " 行，其中 " + std::to_string(inexact) +
                          " 行没有精确的挂轮组",
                      std::to_string(rows.size()) + " rows, " + std::to_string(inexact) +
                          " of them without an exact train");
}

template <typename Row> bool anyPosition(const std::vector<Row>& rows) {
    return std::any_of(rows.begin(), rows.end(),
                       [](const Row& row) { return !row.position.empty(); });
}

template <typename Cells, typename Row>
std::string csvOf(const Cells& headings, const std::vector<Row>& rows, Language language) {
    const bool positions = anyPosition(rows);
    std::string text =
        positions ? csvLine(withPosition(headings, positionHeading(language))) : csvLine(headings);
    for (const Row& row : rows) {
        const Cells cells = rowTexts<Cells>(
            row, fullText, [](double error, bool) { return fullText(error); }, language);
        text += positions ? csvLine(withPosition(cells, row.position)) : csvLine(cells);
    }
    return text;
}

} // namespace

ChartRowTexts chartHeadings(Language language) {
    if (language == Language::English) {
        return {"Target", "Required", "Z1",        "Z2",        "Z3",    "Z4",  "Rep.",
                "Ratio",  "Fraction", "Abs error", "Rel error", "Exact", "Buy", "Train with it"};
    }
    return {"目标",     "要求速比", "Z1",       "Z2",       "Z3",   "Z4",       "重复",
            "计算速比", "速比分数", "绝对精度", "相对精度", "精确", "建议添置", "添置后挂轮"};
}

ChartRowTexts chartRowTexts(const ChartRow& row, Language language) {
    return rowTexts<ChartRowTexts>(row, chartRatioText, chartErrorText, language);
}

ThreePairChartRowTexts threePairChartHeadings(Language language) {
    const ChartRowTexts two = chartHeadings(language);
    ThreePairChartRowTexts three;
    std::copy(two.begin(), two.begin() + 6, three.begin());
    three[6] = "Z5";
    three[7] = "Z6";
    std::copy(two.begin() + 6, two.end(), three.begin() + 8);
    return three;
}

ThreePairChartRowTexts threePairChartRowTexts(const ThreePairChartRow& row, Language language) {
    return rowTexts<ThreePairChartRowTexts>(row, chartRatioText, chartErrorText, language);
}

bool namesPositions(const std::vector<ChartRow>& rows) {
    return anyPosition(rows);
}

bool namesPositions(const std::vector<ThreePairChartRow>& rows) {
    return anyPosition(rows);
}

std::string positionHeading(Language language) {
    return inLanguage(language, "档位", "Position");
}

std::vector<std::string> withPosition(std::span<const std::string> cells,
                                      const std::string& position) {
    std::vector<std::string> line(cells.begin(), cells.end());
    line.insert(line.begin() + (line.empty() ? 0 : 1), position);
    return line;
}

namespace {

template <class Row, class Texts>
std::vector<ChartLine> linesOf(const std::vector<Row>& rows, const Texts& headings,
                               Texts (*cellsOf)(const Row&, Language), Language language) {
    const bool positions = anyPosition(rows);
    const auto line = [positions](const Texts& cells, const std::string& position) {
        return positions ? withPosition(cells, position) : ChartLine(cells.begin(), cells.end());
    };
    std::vector<ChartLine> lines;
    lines.reserve(rows.size() + 1);
    lines.push_back(line(headings, positionHeading(language)));
    for (const Row& row : rows) {
        lines.push_back(line(cellsOf(row, language), row.position));
    }
    return lines;
}

} // namespace

std::vector<ChartLine> chartLines(const std::vector<ChartRow>& rows, Language language) {
    return linesOf(rows, chartHeadings(language), chartRowTexts, language);
}

std::vector<ChartLine> chartLines(const std::vector<ThreePairChartRow>& rows, Language language) {
    return linesOf(rows, threePairChartHeadings(language), threePairChartRowTexts, language);
}

std::string chartSummary(const std::vector<ChartRow>& rows, Language language) {
    return summaryOf(rows, language);
}

std::string chartSummary(const std::vector<ThreePairChartRow>& rows, Language language) {
    return summaryOf(rows, language);
}

std::string chartCsv(const std::vector<ChartRow>& rows, Language language) {
    return csvOf(chartHeadings(language), rows, language);
}

std::string chartCsv(const std::vector<ThreePairChartRow>& rows, Language language) {
    return csvOf(threePairChartHeadings(language), rows, language);
}

} // namespace gearsel
