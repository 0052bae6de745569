// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/select_command.h"

#include "engine/ratio_range.h"
#include "engine/train_fraction.h"
#include "present/result_text.h"
#include "present/search_problem_text.h"
#include "tools/cli/strict_number.h"
#include "tools/cli/text_table.h"

#include <charconv>
#include <limits>
#include <nlohmann/json.hpp>
#include <ostream>
#include <stdexcept>

namespace gearsel::cli {

CLI::App* addSelectCommand(CLI::App& app, SelectOptions& options) {
    CLI::App* cmd = app.add_subcommand(
        "select", "Rank the best gear trains of a gear set for a required ratio");
    addSearchSetupOptions(cmd, options.setup);
    addRatioChoice(cmd, options.ratio);
    cmd->add_option("--count", options.count,
                    "Number of trains to list, 0 to " + std::to_string(kMaxResultCount) +
                        " (default 5)");
    cmd->add_option("--engine", options.engine,
                    "fast (default) or reference, the literal enumeration used for checking")
        ->check(CLI::IsMember({"fast", "reference"}));
    cmd->add_flag("--json", options.json, "Print one JSON object instead of the table");
    return cmd;
}

SearchRequest selectRequest(const SelectOptions& options, RequiredRatio& ratio) {
    const SearchSetup setup = readSearchSetup(options.setup, "select", options.ratio.byFormula());
    SearchRequest request = setup.request;
    ratio = requiredRatio(options.ratio, setup, "select");
    request.requiredRatio = ratio.searched.value();
    request.resultCount = parseInt(options.count, "count", 0, kMaxResultCount);
    if (auto problem = findProblem(request)) {
        throw UsageError{searchProblemText(*problem, Language::English)};
    }
    return request;
}

namespace {

// The note for a ratio beyond the reach of the gear set: no train comes closer than the
// range's end, so the list may be empty, which would otherwise go without a word.
std::string rangeNote(const SearchRequest& request, const std::optional<RatioRange>& range) {
    const double ratio = request.requiredRatio;
    if (!range || (range->low <= ratio && ratio <= range->high)) {
        return {};
    }
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, ratio).ptr;
    return "ratio " + std::string(text, end) + " lies outside the range " + rangeCaption(*range) +
           " that this gear set can reach" +
           (request.allowRepeats ? "" : " without repeated tooth counts");
}

} // namespace

int runSelect(const SelectOptions& options, std::ostream& out, std::ostream& notes) {
    RequiredRatio ratio{Quantity::whole(1), Quantity::whole(1)};
    const SearchRequest request = selectRequest(options, ratio);
    const EngineKind engine =
        options.engine == "reference" ? EngineKind::Reference : EngineKind::Production;
    const SelectionResult result = runSelection(request, engine);
    const std::string note =
        rangeNote(request, reachableRange(result.sortedGears, request.allowRepeats));
    if (!note.empty()) {
        notes << "gearsel-cli: note: " << note << '\n';
    }
    printSelection(request, result, ratio, options.json, note, out);
    return 0;
}

void printSelection(const SearchRequest& request, const SelectionResult& result,
                    const RequiredRatio& ratio, bool json, const std::string& note,
                    std::ostream& out) {
    const auto range = reachableRange(result.sortedGears, request.allowRepeats);
    const std::optional<Fraction>& requiredFraction = ratio.searched.fraction();
    const std::string direction = ratio.directionText();
    const auto& slots = result.results.slots;
    const int filled = result.results.filledCount();

    if (json) {
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (int s = 0; s < filled; ++s) {
            const ResultSlot& slot = slots[static_cast<std::size_t>(s)];
            const Fraction fraction = trainFraction(slot.train);
            rows.push_back({{"z1", slot.train.z1},
                            {"z2", slot.train.z2},
                            {"z3", slot.train.z3},
                            {"z4", slot.train.z4},
                            {"repeat", slot.repeat},
                            {"ratio", slot.calcRatio},
                            {"abs_error", slot.absError},
                            {"rel_error", relativeError(slot, request.requiredRatio)},
                            {"num", fraction.num()},
                            {"den", fraction.den()},
                            {"exact", isExactTrain(slot.train, requiredFraction)}});
        }
        nlohmann::ordered_json doc;
        if (!direction.empty()) {
            doc["direction"] = turnDirection(ratio.given);
        }
        doc["range"] = range ? nlohmann::ordered_json::array({range->low, range->high})
                             : nlohmann::ordered_json();
        doc["note"] = note.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(note);
        doc["seconds"] = result.seconds;
        doc["results"] = std::move(rows);
        out << doc.dump() << '\n';
        return;
    }

    if (!direction.empty()) {
        out << direction << '\n';
    }
    out << "速比可选择的范围: " << (range ? rangeCaption(*range) : std::string("-")) << '\n';
    TextTable table;
    const auto toCells = [](const ResultRowTexts& texts) {
        return std::vector<std::string>(texts.begin(), texts.end());
    };
    // Beyond the grid's columns: the train's exact ratio, marked where it is the required one.
    std::vector<std::string> headings = toCells(resultHeadings(Language::Chinese));
    headings.push_back("  速比分数");
    table.addRow(std::move(headings));
    for (int s = 0; s < filled; ++s) {
        const ResultSlot& slot = slots[static_cast<std::size_t>(s)];
        std::vector<std::string> cells = toCells(resultRow(s + 1, slot, request.requiredRatio));
        cells.push_back(trainFraction(slot.train).text() +
                        (isExactTrain(slot.train, requiredFraction) ? " 精确" : ""));
        table.addRow(std::move(cells));
    }
    out << table.render();
    out << "计算处理所花的时间: " << secondsText(result.seconds) << '\n';
}

} // namespace gearsel::cli
