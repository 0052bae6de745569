// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/suggest_command.h"

#include "engine/gear_suggestion.h"
#include "engine/ratio_range.h"
#include "engine/train_fraction.h"
#include "present/result_text.h"
#include "present/search_problem_text.h"
#include "present/suggestion_text.h"
#include "tools/cli/strict_number.h"
#include "tools/cli/text_table.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace gearsel::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kAdditions = kMaxTeeth - kMinTeeth + 1;

Json suggestionJson(const GearSuggestion& suggestion, double requiredRatio) {
    const ResultSlot& slot = suggestion.best.slot;
    const Fraction fraction = trainFraction(slot.train);
    const bool single = slot.train.z3 == 0;
    return {{"tooth", suggestion.tooth},
            {"z1", slot.train.z1},
            {"z2", slot.train.z2},
            {"z3", single ? Json() : Json(slot.train.z3)},
            {"z4", single ? Json() : Json(slot.train.z4)},
            {"ratio", slot.calcRatio},
            {"num", fraction.num()},
            {"den", fraction.den()},
            {"abs_error", slot.absError},
            {"rel_error", relativeError(slot, requiredRatio)},
            {"exact", suggestion.best.exact}};
}

Json suggestionJson(const ThreePairSuggestion& suggestion, double requiredRatio) {
    const ThreePairSlot& slot = suggestion.best.slot;
    const ThreePairTrain& t = slot.train;
    const Fraction fraction = threePairFraction(t);
    return {{"tooth", suggestion.tooth},
            {"z1", t.z1},
            {"z2", t.z2},
            {"z3", t.z3},
            {"z4", t.z4},
            {"z5", t.z5},
            {"z6", t.z6},
            {"ratio", slot.calcRatio},
            {"num", fraction.num()},
            {"den", fraction.den()},
            {"abs_error", slot.absError},
            {"rel_error", slot.absError / requiredRatio},
            {"exact", suggestion.best.exact}};
}

SuggestionRowTexts headingsOf(const SuggestionReport&) {
    return suggestionHeadings(Language::Chinese);
}
ThreePairSuggestionRowTexts headingsOf(const ThreePairSuggestionReport&) {
    return threePairSuggestionHeadings(Language::Chinese);
}
SuggestionRowTexts cellsOf(const GearSuggestion& suggestion, double requiredRatio) {
    return suggestionRowTexts(suggestion, requiredRatio, Language::Chinese);
}
ThreePairSuggestionRowTexts cellsOf(const ThreePairSuggestion& suggestion, double requiredRatio) {
    return threePairSuggestionRowTexts(suggestion, requiredRatio, Language::Chinese);
}

template <class Slot>
void printText(const SuggestionReportOf<Slot>& report, const SearchRequest& request, int pairs,
               int count, const std::string& direction, std::ostream& out) {
    if (!direction.empty()) {
        out << direction << '\n';
    }
    for (const std::string& line :
         suggestionSummary(report, reachableRange(request.gears, request.allowRepeats, pairs),
                           Language::Chinese)) {
        out << line << '\n';
    }
    if (report.suggestions.empty()) {
        return; // the last line said that no gear helps
    }
    TextTable table;
    table.addRow(headingsOf(report));
    const std::size_t shown = std::min(report.suggestions.size(), static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < shown; ++i) {
        table.addRow(cellsOf(report.suggestions[i], request.requiredRatio));
    }
    table.print(out);
}

// The report in the form asked for.
template <class Slot>
void printReport(const SuggestionReportOf<Slot>& report, const SearchRequest& request, int pairs,
                 int count, const RequiredRatio& ratio, bool json, std::ostream& out) {
    const std::string direction = ratio.directionText();
    if (!json) {
        printText(report, request, pairs, count, direction, out);
        return;
    }
    Json suggestions = Json::array();
    for (std::size_t i = 0; i < report.suggestions.size() && i < static_cast<std::size_t>(count);
         ++i) {
        suggestions.push_back(suggestionJson(report.suggestions[i], request.requiredRatio));
    }
    Json doc;
    if (!direction.empty()) {
        doc["direction"] = turnDirection(ratio.given);
    }
    doc.update({{"exact_in_set", report.exactInSet()},
                {"in_range", report.inRange},
                {"bring_into_range", report.bringIntoRange},
                {"none_helps", report.suggestions.empty()},
                {"suggestions", std::move(suggestions)}});
    out << doc.dump() << '\n';
}

} // namespace

CLI::App* addSuggestCommand(CLI::App& app, SuggestOptions& options) {
    CLI::App* cmd = app.add_subcommand(
        "suggest", "Which one gear to buy: the search with each tooth count from " +
                       std::to_string(kMinTeeth) + " to " + std::to_string(kMaxTeeth) +
                       " added to the set, best first");
    addSearchSetupOptions(cmd, options.setup);
    addRatioChoice(cmd, options.ratio);
    cmd->add_option("--count", options.count,
                    "Number of suggestions to list, 0 to " + std::to_string(kAdditions) +
                        " (default 5)");
    cmd->add_flag("--json", options.json, "Print one JSON object instead of the table");
    return cmd;
}

int runSuggest(const SuggestOptions& options, std::ostream& out) {
    const SearchSetup setup = readSearchSetup(options.setup, "suggest", true);
    SearchRequest request = setup.request;
    const RequiredRatio ratio = requiredRatio(options.ratio, setup, "suggest");
    request.requiredRatio = ratio.searched.value();
    const int count = parseInt(options.count, "count", 0, kAdditions);
    const bool threePairs = setup.pairs == 3;
    if (auto problem = threePairs ? findThreePairProblem(request) : findProblem(request)) {
        throw UsageError{searchProblemText(*problem, Language::English)};
    }
    try {
        if (threePairs) {
            printReport(suggestGearsThreePairs(request, ratio.searched.fraction()), request, 3,
                        count, ratio, options.json, out);
        } else {
            printReport(suggestGears(request, ratio.searched.fraction()), request, 2, count, ratio,
                        options.json, out);
        }
    } catch (const SearchRefused& refused) {
        throw UsageError{searchProblemText(refused.problem(), Language::English)};
    }
    return 0;
}

} // namespace gearsel::cli
