// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/chart_text.h"

#include "engine/train_fraction.h"
#include "present/result_text.h"
#include "present/suggestion_text.h"

#include <charconv>

namespace gearsel {

namespace {

constexpr std::size_t kTarget = 0, kRequired = 1, kTeeth = 2, kRepeat = 6, kRatio = 7,
                      kFraction = 8, kAbsError = 9, kRelError = 10, kExact = 11, kBuy = 12,
                      kBuyTrain = 13;

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

// The cells of a row with the given ways of writing numbers.
template <typename Ratio, typename Error>
ChartRowTexts rowTexts(const ChartRow& row, Ratio ratioText, Error errorCell, Language language) {
    ChartRowTexts cells;
    cells[kTarget] = row.target.label;
    const auto& required = row.target.ratio.fraction();
    cells[kRequired] = required ? required->text() : ratioText(row.target.ratio.value());
    if (!row.best) {
        // Trains come near but none can be mounted, or none comes near at all.
        cells[kRatio] = row.outcome == ChartOutcome::NoneFits
                            ? inLanguage(language, "无可装配", "none fits")
                            : "-";
    } else {
        const ResultSlot& slot = row.best->slot;
        const std::int16_t teeth[] = {slot.train.z1, slot.train.z2, slot.train.z3, slot.train.z4};
        for (std::size_t c = 0; c < 4; ++c) {
            cells[kTeeth + c] = teeth[c] == 0 ? std::string() : std::to_string(teeth[c]);
        }
        cells[kRepeat] = slot.repeat ? kRepeatMark : "";
        cells[kRatio] = ratioText(slot.calcRatio);
        cells[kFraction] = trainFraction(slot.train).text();
        const double relative = relativeError(slot, row.target.ratio.value());
        cells[kAbsError] = errorCell(slot.absError, row.best->exact);
        cells[kRelError] = errorCell(relative, row.best->exact);
        cells[kExact] = row.best->exact ? exactMark(language) : "";
    }
    if (row.buy) {
        const ResultSlot& bought = row.buy->best.slot;
        cells[kBuy] = std::to_string(row.buy->tooth);
        cells[kBuyTrain] = trainText(bought.train) +
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

std::string csvLine(const ChartRowTexts& cells) {
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        line += (c == 0 ? "" : ",") + csvField(cells[c]);
    }
    return line + "\n";
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
    return rowTexts(row, chartRatioText, chartErrorText, language);
}

std::string chartSummary(const std::vector<ChartRow>& rows, Language language) {
    std::size_t inexact = 0;
    for (const ChartRow& row : rows) {
        inexact += row.exact() ? 0 : 1;
    }
    return inLanguage(language,
                      "共 " + std::to_string(rows.size()) + " 行，其中 " + std::to_string(inexact) +
                          " 行没有精确的挂轮组",
                      std::to_string(rows.size()) + " rows, " + std::to_string(inexact) +
                          " of them without an exact train");
}

std::string chartCsv(const std::vector<ChartRow>& rows, Language language) {
    std::string text = csvLine(chartHeadings(language));
    for (const ChartRow& row : rows) {
        text += csvLine(rowTexts(
            row, fullText, [](double error, bool) { return fullText(error); }, language));
    }
    return text;
}

} // namespace gearsel
