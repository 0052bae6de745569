// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/select_command.h"

#include "engine/gearbox_positions.h"
#include "engine/ratio_range.h"
#include "engine/train_fitter.h"
#include "present/result_text.h"
#include "present/search_problem_text.h"
#include "tools/cli/select_listing.h"
#include "tools/cli/strict_number.h"

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

SelectPlan selectPlan(const SelectOptions& options) {
    SelectPlan plan{readSearchSetup(options.setup, "select"),
                    {Quantity::whole(1), Quantity::whole(1)}};
    SearchRequest& request = plan.setup.request;
    plan.ratio = requiredRatio(options.ratio, plan.setup, "select");
    request.requiredRatio = plan.ratio.searched.value();
    request.resultCount = parseInt(options.count, "count", 0, kMaxResultCount);
    const auto problem =
        plan.setup.pairs == 3 ? findThreePairProblem(request) : findProblem(request);
    if (problem) {
        throw UsageError{searchProblemText(*problem, Language::English)};
    }
    if (plan.ratio.byPositions) {
        if (const auto refused = findPositionProblem(*plan.setup.train.gearboxPositions)) {
            throw UsageError{positionProblemText(*refused, Language::English)};
        }
    }
    return plan;
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

// The trains of one search, listed.
struct Listed {
    SelectListing listing;
    double seconds = 0.0;
};

Listed listTrains(const SelectPlan& plan, EngineKind engine) {
    const SearchSetup& setup = plan.setup;
    const SearchRequest& request = setup.request;
    const RowTarget target{request.requiredRatio, plan.ratio.searched.fraction()};
    if (plan.ratio.byPositions) {
        const auto& positions = *setup.train.gearboxPositions;
        const auto row = [&](const auto& results, std::size_t r) {
            const auto& found = results.rows[r];
            const Quantity& required = results.required[found.position];
            return std::pair{RowTarget{required.value(), required.fraction()},
                             positions[found.position].name};
        };
        if (setup.pairs == 3) {
            Listed listed{SelectListing(3, true, false)};
            const auto results =
                searchPositionsThreePairs(request, plan.ratio.searched, positions, engine);
            for (std::size_t r = 0; r < results.rows.size(); ++r) {
                const auto [rowTarget, name] = row(results, r);
                listed.listing.add(static_cast<int>(r) + 1, results.rows[r].slot, rowTarget, name);
            }
            return listed;
        }
        Listed listed{SelectListing(2, true, setup.geometry.has_value())};
        const auto results = searchPositions(request, plan.ratio.searched, positions, engine);
        std::vector<std::int16_t> sorted = request.gears;
        sortGears(sorted);
        const std::optional<TrainFitter> fitter =
            setup.geometry ? std::optional<TrainFitter>(std::in_place, *setup.geometry, sorted)
                           : std::nullopt;
        for (std::size_t r = 0; r < results.rows.size(); ++r) {
            const auto [rowTarget, name] = row(results, r);
            const ResultSlot& slot = results.rows[r].slot;
            listed.listing.add(static_cast<int>(r) + 1, slot, rowTarget,
                               fitter ? std::optional(fitter->fit(slot.train)) : std::nullopt,
                               name);
        }
        return listed;
    }
    if (setup.pairs == 3) {
        const ThreePairSelection result = runThreePairSelection(request, target.fraction, engine);
        Listed listed{SelectListing(3, false, false), result.seconds};
        for (std::size_t s = 0; s < result.slots.size(); ++s) {
            listed.listing.add(static_cast<int>(s) + 1, result.slots[s], target);
        }
        return listed;
    }
    const SelectionResult result = runSelection(request, engine);
    Listed listed{SelectListing(2, false, setup.geometry.has_value()), result.seconds};
    const std::optional<TrainFitter> fitter =
        setup.geometry
            ? std::optional<TrainFitter>(std::in_place, *setup.geometry, result.sortedGears)
            : std::nullopt;
    const auto& slots = result.results.slots;
    for (int s = 0; s < result.results.filledCount(); ++s) {
        const ResultSlot& slot = slots[static_cast<std::size_t>(s)];
        listed.listing.add(s + 1, slot, target,
                           fitter ? std::optional(fitter->fit(slot.train)) : std::nullopt);
    }
    return listed;
}

} // namespace

int runSelect(const SelectOptions& options, std::ostream& out, std::ostream& notes) {
    const SelectPlan plan = selectPlan(options);
    const SearchRequest& request = plan.setup.request;
    const EngineKind engine =
        options.engine == "reference" ? EngineKind::Reference : EngineKind::Production;
    const auto started = std::chrono::steady_clock::now();
    Listed listed = listTrains(plan, engine);
    if (plan.ratio.byPositions) {
        listed.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }
    const auto range = reachableRange(request.gears, request.allowRepeats, plan.setup.pairs);
    // In gearbox positions each position has a ratio of its own: no one range to compare with.
    const std::string note = plan.ratio.byPositions ? std::string() : rangeNote(request, range);
    if (!note.empty()) {
        notes << "gearsel-cli: note: " << note << '\n';
    }
    const std::string direction = plan.ratio.directionText();
    if (options.json) {
        nlohmann::ordered_json doc;
        if (!direction.empty()) {
            doc["direction"] = turnDirection(plan.ratio.given);
        }
        doc["range"] = range ? nlohmann::ordered_json::array({range->low, range->high})
                             : nlohmann::ordered_json();
        doc["note"] = note.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(note);
        doc["seconds"] = listed.seconds;
        doc["results"] = listed.listing.json();
        out << doc.dump() << '\n';
        return 0;
    }
    if (!direction.empty()) {
        out << direction << '\n';
    }
    out << "速比可选择的范围: " << (range ? rangeCaption(*range) : std::string("-")) << '\n';
    out << listed.listing.table();
    out << "计算处理所花的时间: " << secondsText(listed.seconds) << '\n';
    return 0;
}

} // namespace gearsel::cli
