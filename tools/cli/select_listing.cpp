// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/select_listing.h"

#include "engine/train_fraction.h"
#include "present/fit_text.h"
#include "present/result_text.h"
#include "tools/cli/text_table.h"

namespace gearsel::cli {

namespace {

using Json = nlohmann::ordered_json;

// A train's exact ratio, marked where it is the required one: "60/127 精确".
std::string fractionCell(const Fraction& fraction, bool exact) {
    return fraction.text() + (exact ? " 精确" : "");
}

// The fields that every row has after its tooth counts.
void addNumbers(Json& row, bool repeat, double ratio, double absError, const RowTarget& target,
                const Fraction& fraction, bool exact) {
    row["repeat"] = repeat;
    row["ratio"] = ratio;
    row["abs_error"] = absError;
    row["rel_error"] = absError / target.ratio;
    row["num"] = fraction.num();
    row["den"] = fraction.den();
    row["exact"] = exact;
}

} // namespace

Json fitJson(const std::optional<TrainFit>& fit) {
    if (!fit) {
        return Json();
    }
    Json problems = Json::array();
    for (const FitProblem problem : kFitProblems) {
        if (fit->problems.has(problem)) {
            problems.push_back(fitProblemName(problem));
        }
    }
    return {{"fits", fit->fits},
            {"stud", fit->stud ? Json::array({fit->stud->x, fit->stud->y}) : Json()},
            {"idler", fit->idler ? Json(*fit->idler) : Json()},
            {"problems", std::move(problems)}};
}

SelectListing::SelectListing(int pairs, bool positions, bool fitColumn)
    : positions_(positions), fitColumn_(fitColumn) {
    std::vector<std::string> headings;
    if (pairs == 3) {
        const ThreePairRowTexts texts = threePairHeadings(Language::Chinese);
        headings.assign(texts.begin(), texts.end());
    } else {
        const ResultRowTexts texts = resultHeadings(Language::Chinese);
        headings.assign(texts.begin(), texts.end());
    }
    if (positions_) {
        headings.insert(headings.begin() + 1, "档位");
    }
    headings.push_back("  速比分数");
    if (fitColumn_) {
        headings.push_back("装配");
    }
    rows_.push_back(std::move(headings));
}

void SelectListing::addCells(std::vector<std::string> cells, const std::string& position,
                             const std::string& fraction, const std::optional<TrainFit>& fit) {
    if (positions_) {
        cells.insert(cells.begin() + 1, position);
    }
    cells.push_back(fraction);
    if (fitColumn_) {
        cells.push_back(fitCellText(fit));
    }
    rows_.push_back(std::move(cells));
}

void SelectListing::add(int number, const ResultSlot& slot, const RowTarget& target,
                        const std::optional<TrainFit>& fit, const std::string& position) {
    const Fraction fraction = trainFraction(slot.train);
    const bool exact = isExactTrain(slot.train, target.fraction);
    const ResultRowTexts texts = resultRow(number, slot, target.ratio);
    addCells({texts.begin(), texts.end()}, position, fractionCell(fraction, exact), fit);
    Json row;
    if (positions_) {
        row["position"] = position;
    }
    row.update({{"z1", slot.train.z1},
                {"z2", slot.train.z2},
                {"z3", slot.train.z3},
                {"z4", slot.train.z4}});
    addNumbers(row, slot.repeat, slot.calcRatio, slot.absError, target, fraction, exact);
    row["fit"] = fitJson(fit);
    json_.push_back(std::move(row));
}

void SelectListing::add(int number, const ThreePairSlot& slot, const RowTarget& target,
                        const std::string& position) {
    const Fraction fraction = threePairFraction(slot.train);
    const bool exact = isExactThreePair(slot.train, target.fraction);
    const ThreePairRowTexts texts = threePairRow(number, slot, target.ratio);
    addCells({texts.begin(), texts.end()}, position, fractionCell(fraction, exact), std::nullopt);
    const ThreePairTrain& t = slot.train;
    Json row;
    if (positions_) {
        row["position"] = position;
    }
    row.update(
        {{"z1", t.z1}, {"z2", t.z2}, {"z3", t.z3}, {"z4", t.z4}, {"z5", t.z5}, {"z6", t.z6}});
    addNumbers(row, slot.repeat, slot.calcRatio, slot.absError, target, fraction, exact);
    // Whether three pairs fit is unknown: the geometry places one stud.
    row["fit"] = Json();
    json_.push_back(std::move(row));
}

void SelectListing::print(std::ostream& out) const {
    TextTable table;
    for (const auto& row : rows_) {
        table.addRow(row);
    }
    table.print(out);
}

} // namespace gearsel::cli
