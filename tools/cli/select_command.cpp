#include "tools/cli/select_command.h"

#include "engine/ratio_range.h"
#include "engine/train_fraction.h"
#include "present/result_text.h"
#include "tools/cli/strict_number.h"
#include "tools/cli/text_table.h"

#include <cmath>
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

SearchRequest selectRequest(const SelectOptions& options, std::optional<Fraction>& fraction) {
    const SearchSetup setup = readSearchSetup(options.setup, "select", options.ratio.byFormula());
    SearchRequest request = setup.request;
    const Quantity ratio = requiredRatio(options.ratio, setup, "select");
    request.requiredRatio = ratio.value();
    fraction = ratio.fraction();
    request.resultCount = parseInt(options.count, "count", 0, kMaxResultCount);
    if (auto problem = findProblem(request)) {
        throw UsageError{describeProblem(*problem)};
    }
    return request;
}

int runSelect(const SelectOptions& options, std::ostream& out) {
    std::optional<Fraction> fraction;
    const SearchRequest request = selectRequest(options, fraction);
    const EngineKind engine =
        options.engine == "reference" ? EngineKind::Reference : EngineKind::Production;
    const SelectionResult result = runSelection(request, engine);
    // The relative error divides by the ratio: for a ratio close enough to 0 (5e-324) it
    // exceeds every double, which neither JSON nor the table can show as a number.
    const auto& slots = result.results.slots;
    for (int s = 0; s < result.results.filledCount(); ++s) {
        if (!std::isfinite(
                relativeError(slots[static_cast<std::size_t>(s)], request.requiredRatio))) {
            throw UsageError{"ratio " + options.ratio.ratio.value_or("") +
                             " is too close to 0: the relative error (error / ratio) of the "
                             "trains found is beyond the range of numbers"};
        }
    }
    printSelection(request, result, options.json, out, fraction);
    return 0;
}

void printSelection(const SearchRequest& request, const SelectionResult& result, bool json,
                    std::ostream& out, const std::optional<Fraction>& requiredFraction) {
    const auto range = reachableRange(result.sortedGears, request.allowRepeats);
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
        doc["range"] = range ? nlohmann::ordered_json::array({range->low, range->high})
                             : nlohmann::ordered_json();
        doc["seconds"] = result.seconds;
        doc["results"] = std::move(rows);
        out << doc.dump() << '\n';
        return;
    }

    out << "速比可选择的范围: " << (range ? rangeCaption(*range) : std::string("-")) << '\n';
    TextTable table;
    const auto toCells = [](const ResultRowTexts& texts) {
        return std::vector<std::string>(texts.begin(), texts.end());
    };
    // Beyond the grid's columns: the train's exact ratio, marked where it is the required one.
    std::vector<std::string> headings = toCells(resultHeadings());
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
