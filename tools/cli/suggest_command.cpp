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

void printText(const SuggestionReport& report, const SearchRequest& request, int count,
               const std::string& direction, std::ostream& out) {
    if (!direction.empty()) {
        out << direction << '\n';
    }
    for (const std::string& line : suggestionSummary(
             report, reachableRange(request.gears, request.allowRepeats), Language::Chinese)) {
        out << line << '\n';
    }
    if (report.suggestions.empty()) {
        return; // the last line said that no gear helps
    }
    TextTable table;
    const SuggestionRowTexts headings = suggestionHeadings(Language::Chinese);
    table.addRow(headings);
    const std::size_t shown = std::min(report.suggestions.size(), static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < shown; ++i) {
        const SuggestionRowTexts cells =
            suggestionRowTexts(report.suggestions[i], request.requiredRatio, Language::Chinese);
        table.addRow(cells);
    }
    table.print(out);
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
    if (setup.pairs == 3) {
        throw UsageError{
            "suggest lists one- and two-pair trains; three-pair trains (--pairs 3, or the "
            "machine's pairs) are listed by select"};
    }
    SearchRequest request = setup.request;
    const RequiredRatio ratio = requiredRatio(options.ratio, setup, "suggest");
    request.requiredRatio = ratio.searched.value();
    const int count = parseInt(options.count, "count", 0, kAdditions);
    if (auto problem = findProblem(request)) {
        throw UsageError{searchProblemText(*problem, Language::English)};
    }
    SuggestionReport report;
    try {
        report = suggestGears(request, ratio.searched.fraction());
    } catch (const SearchRefused& refused) {
        throw UsageError{searchProblemText(refused.problem(), Language::English)};
    }
    const std::string direction = ratio.directionText();
    if (!options.json) {
        printText(report, request, count, direction, out);
        return 0;
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
    return 0;
}

} // namespace gearsel::cli
