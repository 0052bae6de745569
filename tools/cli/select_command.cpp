// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/select_command.h"

#include "engine/gearbox_positions.h"
#include "engine/ratio_range.h"
#include "engine/train_fitter.h"
#include "engine/train_fraction.h"
#include "present/result_text.h"
#include "present/search_problem_text.h"
#include "tools/cli/select_listing.h"
#include "tools/cli/strict_number.h"
#include "tools/cli/text_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
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

// The JSON text of a number or a truth value, as the JSON library writes it.
template <class T> void appendJson(std::string& text, T value) {
    if constexpr (std::is_same_v<T, bool>) {
        text += value ? "true" : "false";
    } else if constexpr (std::is_integral_v<T>) {
        char digits[24];
        text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    } else {
        text += nlohmann::json(value).dump();
    }
}

// One result row as an object of the "results" array, with the comma before it unless it is
// the first.
void appendJsonRow(std::string& text, const ResultSlot& slot, double requiredRatio,
                   const std::optional<Fraction>& requiredFraction, bool first) {
    const Fraction fraction = trainFraction(slot.train);
    const auto field = [&](std::string_view key, auto value) {
        text += key;
        appendJson(text, value);
    };
    text += first ? "{" : ",{";
    field("\"z1\":", slot.train.z1);
    field(",\"z2\":", slot.train.z2);
    field(",\"z3\":", slot.train.z3);
    field(",\"z4\":", slot.train.z4);
    field(",\"repeat\":", slot.repeat);
    field(",\"ratio\":", slot.calcRatio);
    field(",\"abs_error\":", slot.absError);
    field(",\"rel_error\":", relativeError(slot, requiredRatio));
    field(",\"num\":", fraction.num());
    field(",\"den\":", fraction.den());
    field(",\"exact\":", isExactTrain(slot.train, requiredFraction));
    // Without a geometry whether the train fits is unknown.
    text += ",\"fit\":null}";
}

// Writes out what `text` holds once it is long, so that a long list is written as it is made.
void flushFull(std::string& text, std::ostream& out) {
    if (text.size() >= std::size_t{1} << 16) {
        out << text;
        text.clear();
    }
}

// A plain search (one- and two-pair trains, no gearbox positions, no geometry) printed as it
// always was, row by row as it is made, so that a long list costs little.
void printSelection(const SearchRequest& request, const SelectionResult& result,
                    const RequiredRatio& ratio, bool json, const std::string& note,
                    std::ostream& out) {
    const auto range = reachableRange(result.sortedGears, request.allowRepeats);
    const std::optional<Fraction>& requiredFraction = ratio.searched.fraction();
    const std::string direction = ratio.directionText();
    const auto& slots = result.results.slots;
    const int filled = result.results.filledCount();

    if (json) {
        nlohmann::ordered_json doc;
        if (!direction.empty()) {
            doc["direction"] = turnDirection(ratio.given);
        }
        doc["range"] = range ? nlohmann::ordered_json::array({range->low, range->high})
                             : nlohmann::ordered_json();
        doc["note"] = note.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(note);
        doc["seconds"] = result.seconds;
        doc["results"] = nlohmann::ordered_json::array();
        // The document with its rows left open; the rows follow one by one, as the document's
        // own text would hold them, without a tree of every row in memory.
        std::string text = doc.dump();
        text.resize(text.size() - std::string_view("]}").size());
        for (int s = 0; s < filled; ++s) {
            appendJsonRow(text, slots[static_cast<std::size_t>(s)], request.requiredRatio,
                          requiredFraction, s == 0);
            flushFull(text, out);
        }
        text += "]}\n";
        out << text;
        return;
    }

    if (!direction.empty()) {
        out << direction << '\n';
    }
    out << "速比可选择的范围: " << (range ? rangeCaption(*range) : std::string("-")) << '\n';
    TextTable table;
    // A row's text takes about 60 bytes.
    table.reserve(static_cast<std::size_t>(filled) + 1, kResultColumns + 1, 64);
    // Beyond the grid's columns: the train's exact ratio, marked where it is the required one.
    std::array<std::string, kResultColumns + 1> cells;
    const ResultRowTexts headings = resultHeadings(Language::Chinese);
    std::copy(headings.begin(), headings.end(), cells.begin());
    cells.back() = "  速比分数";
    table.addRow(cells);
    for (int s = 0; s < filled; ++s) {
        const ResultSlot& slot = slots[static_cast<std::size_t>(s)];
        ResultRowTexts texts = resultRow(s + 1, slot, request.requiredRatio);
        std::move(texts.begin(), texts.end(), cells.begin());
        cells.back() = trainFraction(slot.train).text() +
                       (isExactTrain(slot.train, requiredFraction) ? " 精确" : "");
        table.addRow(cells);
    }
    table.print(out);
    out << "计算处理所花的时间: " << secondsText(result.seconds) << '\n';
}

} // namespace

int runSelect(const SelectOptions& options, std::ostream& out, std::ostream& notes) {
    const SelectPlan plan = selectPlan(options);
    const SearchRequest& request = plan.setup.request;
    const EngineKind engine =
        options.engine == "reference" ? EngineKind::Reference : EngineKind::Production;
    if (plan.setup.pairs == 2 && !plan.ratio.byPositions && !plan.setup.geometry) {
        const SelectionResult result = runSelection(request, engine);
        const std::string note =
            rangeNote(request, reachableRange(result.sortedGears, request.allowRepeats));
        if (!note.empty()) {
            notes << "gearsel-cli: note: " << note << '\n';
        }
        printSelection(request, result, plan.ratio, options.json, note, out);
        return 0;
    }
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
    listed.listing.print(out);
    out << "计算处理所花的时间: " << secondsText(listed.seconds) << '\n';
    return 0;
}

} // namespace gearsel::cli
