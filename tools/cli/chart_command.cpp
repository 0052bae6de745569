// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/chart_command.h"

#include "engine/gearbox_positions.h"
#include "engine/ratio_chart.h"
#include "engine/train_fraction.h"
#include "present/chart_plan.h"
#include "present/chart_problem_text.h"
#include "present/chart_text.h"
#include "present/constant_text.h"
#include "present/result_text.h"
#include "present/search_problem_text.h"
#include "tools/cli/chart_pdf.h"
#include "tools/cli/gear_list_text.h"
#include "tools/cli/pdf_program.h"
#include "tools/cli/refused_value.h"
#include "tools/cli/strict_number.h"
#include "tools/cli/text_table.h"

#include <limits>
#include <nlohmann/json.hpp>
#include <ostream>
#include <stdexcept>

namespace gearsel::cli {

namespace {

using Json = nlohmann::ordered_json;

// "17-120" or a single "17".
std::pair<int, int> toothRange(const std::string& text) {
    const auto dash = text.find('-', 1);
    const int max = std::numeric_limits<int>::max();
    if (dash == std::string::npos) {
        const int teeth = parseInt(text, "teeth", 1, max);
        return {teeth, teeth};
    }
    const std::string first = text.substr(0, dash);
    const std::string last = text.substr(dash + 1);
    if (trimmed(first).empty() || trimmed(last).empty()) {
        throw UsageError{"--teeth '" + text + "' needs two tooth counts, A-B, such as 17-120"};
    }
    return {parseInt(first, "teeth", 1, max), parseInt(last, "teeth", 1, max)};
}

// The plan that `make` works out; a refusal becomes a usage error, in the command line's words
// where the plan's own sentence does not fit it.
template <typename Make> auto planned(Make make) -> decltype(make()) {
    try {
        return make();
    } catch (const ChartRefused& e) {
        switch (e.problem().kind) {
        case ChartProblem::Kind::NoLeadscrew:
            throw UsageError{"chart --threads needs --leadscrew, the leadscrew pitch (6mm or "
                             "4tpi), or a machine that keeps it (--machine)"};
        case ChartProblem::Kind::NoIndexConstant:
            throw UsageError{"chart --hob-index needs the index constant K, or a machine that "
                             "keeps it (--machine)"};
        case ChartProblem::Kind::BadPitch:
            if (trimmed(e.problem().item).empty()) {
                throw UsageError{"--threads has an empty item: pitches are separated by single "
                                 "commas, such as 0.5mm,0.75mm,1mm"};
            }
            break;
        default:
            break;
        }
        throw UsageError{chartProblemText(e.problem(), Language::English)};
    }
}

ThreadSeries threadSeries(const std::string& text) {
    return text == "metric" ? ThreadSeries::Metric
           : text == "tpi"  ? ThreadSeries::Inch
                            : ThreadSeries::List;
}

ChartPlan plan(const ChartOptions& options, const MachineConstants& constants) {
    const int starts = parseInt(options.starts, "starts", 1, std::numeric_limits<int>::max());
    if (options.threads) {
        const std::string& kind = *options.threads;
        return planned([&] {
            return threadChartPlan(threadSeries(kind), kind, starts, constants, Language::Chinese);
        });
    }
    MachineConstants withK = constants;
    if (!options.hobIndex->empty()) {
        MachineConstants given;
        readOrRefuse(
            {}, [&] { setConstantText(given, ConstantKey::IndexConstant, *options.hobIndex); });
        withK.indexConstant = given.indexConstant;
    }
    const MachineConstants used = planned([&] { return hobIndexChartConstants(withK); });
    if (options.teeth.empty()) {
        throw UsageError{"chart --hob-index needs --teeth A-B, the workpiece tooth counts"};
    }
    // Plain variables, not a structured binding: clang before 16 cannot capture those.
    const std::pair<int, int> range = toothRange(options.teeth);
    const int first = range.first;
    const int last = range.second;
    return planned([&] { return hobIndexChartPlan(used, starts, first, last, Language::Chinese); });
}

Json teethJson(std::int16_t teeth) {
    return teeth == 0 ? Json() : Json(teeth);
}

// The tooth counts of a train under their keys ("z1" .. "z4" or "z6", with `prefix`); a single
// pair's z3 and z4 are null.
Json teethJson(const GearTrain& t, const std::string& prefix = "") {
    return {{prefix + "z1", t.z1},
            {prefix + "z2", t.z2},
            {prefix + "z3", teethJson(t.z3)},
            {prefix + "z4", teethJson(t.z4)}};
}

Json teethJson(const ThreePairTrain& t, const std::string& prefix = "") {
    return {{prefix + "z1", t.z1}, {prefix + "z2", t.z2}, {prefix + "z3", t.z3},
            {prefix + "z4", t.z4}, {prefix + "z5", t.z5}, {prefix + "z6", t.z6}};
}

Fraction fractionOf(const GearTrain& t) {
    return trainFraction(t);
}

Fraction fractionOf(const ThreePairTrain& t) {
    return threePairFraction(t);
}

template <class Slot> Json rowJson(const ChartRowOf<Slot>& row, int teeth) {
    Json item = {{"target", row.target.label}};
    if (!row.position.empty()) {
        item["position"] = row.position;
    }
    item["required"] = row.target.ratio.value();
    if (row.best) {
        const Slot& slot = row.best->slot;
        const Fraction fraction = fractionOf(slot.train);
        item.update(teethJson(slot.train));
        item.update({{"repeat", slot.repeat},
                     {"ratio", slot.calcRatio},
                     {"num", fraction.num()},
                     {"den", fraction.den()},
                     {"abs_error", slot.absError},
                     {"rel_error", slot.absError / row.target.ratio.value()}});
    } else {
        for (int z = 1; z <= teeth; ++z) {
            item["z" + std::to_string(z)] = nullptr;
        }
        for (const char* key : {"repeat", "ratio", "num", "den", "abs_error", "rel_error"}) {
            item[key] = nullptr;
        }
    }
    item["exact"] = row.exact();
    item["buy"] = row.buy ? Json(row.buy->tooth) : Json();
    item["buy_exact"] = row.buy ? Json(row.buy->best.exact) : Json();
    if (row.buy) {
        item.update(teethJson(row.buy->best.slot.train, "buy_"));
        item.update({{"buy_repeat", row.buy->best.slot.repeat},
                     {"buy_abs_error", row.buy->best.slot.absError}});
    }
    return item;
}

template <class Row, class Cells>
void printText(const ChartHeading& heading, const std::vector<Row>& rows, const Cells& headings,
               Cells (*cellsOf)(const Row&, Language), std::ostream& out) {
    out << heading.title << '\n' << "机床名称：" << heading.machine << '\n';
    if (!heading.constants.empty()) {
        out << "机床常数：" << heading.constants << '\n';
    }
    TextTable table;
    const bool positions = namesPositions(rows);
    table.addRow(positions ? withPosition(headings, positionHeading(Language::Chinese))
                           : std::vector<std::string>(headings.begin(), headings.end()));
    for (const Row& row : rows) {
        const Cells cells = cellsOf(row, Language::Chinese);
        table.addRow(positions ? withPosition(cells, row.position)
                               : std::vector<std::string>(cells.begin(), cells.end()));
    }
    table.print(out);
    out << chartSummary(rows, Language::Chinese) << '\n';
}

// Writes the rows as `format` asks: text (under `heading`), csv or json.
template <class Row, class Cells>
void writeRows(const std::string& format, const ChartHeading& heading, const std::vector<Row>& rows,
               const Cells& headings, Cells (*cellsOf)(const Row&, Language), int teeth,
               std::ostream& out) {
    if (format == "csv") {
        out << chartCsv(rows, Language::Chinese);
    } else if (format == "json") {
        Json list = Json::array();
        for (const Row& row : rows) {
            list.push_back(rowJson(row, teeth));
        }
        out << Json{{"rows", std::move(list)}}.dump() << '\n';
    } else {
        printText(heading, rows, headings, cellsOf, out);
    }
}

} // namespace

CLI::App* addChartCommand(CLI::App& app, ChartOptions& options) {
    CLI::App* cmd = app.add_subcommand(
        "chart", "The best train for every thread of a series or every tooth count of a range, "
                 "and the gear to buy where it is not exact");
    addSearchSetupOptions(cmd, options.setup);
    addConstantOption(cmd, options.constants, ConstantKey::Leadscrew,
                      "Pitch of the lathe's leadscrew for --threads: 6mm or 4tpi (default: the "
                      "machine's)");
    addConstantOption(cmd, options.constants, ConstantKey::GearboxRatio,
                      "Ratio of the feed gearbox for --threads (default: the machine's, or 1)");
    CLI::Option* threads = cmd->add_option_function<std::string>(
        "--threads", [&options](const std::string& text) { options.threads = text; },
        "Thread chart: metric (ISO pitches 0.2 to 6 mm), tpi (4 to 80 threads per inch), or "
        "a list such as 0.5mm,0.75mm,1mm or 8tpi,10tpi");
    CLI::Option* hob =
        cmd->add_option_function<std::string>(
               "--hob-index", [&options](const std::string& text) { options.hobIndex = text; },
               "Hobbing index chart with the index constant K (left out: the "
               "machine's); the tooth counts come from --teeth")
            ->expected(0, 1);
    threads->excludes(hob);
    cmd->add_option("--teeth", options.teeth, "Workpiece tooth counts A-B of --hob-index")
        ->needs(hob);
    cmd->add_option("--starts", options.starts, "Starts of the threads, or of the hob (default 1)");
    cmd->add_option_function<std::string>(
           "--format", [&options](const std::string& text) { options.format = text; },
           "text (default), csv or json")
        ->check(CLI::IsMember({"text", "csv", "json"}));
    cmd->add_option_function<std::string>(
        "--pdf", [&options](const std::string& text) { options.pdf = text; },
        "Also print the chart as a table on A4 pages into this PDF file");
    return cmd;
}

int runChart(const ChartOptions& options, std::ostream& out) {
    if (!options.threads && !options.hobIndex) {
        throw UsageError{"chart needs --threads LIST|metric|tpi or --hob-index K --teeth A-B"};
    }
    if (options.threads && trimmed(*options.threads).empty()) {
        throw UsageError{"--threads needs metric, tpi or a list of pitches such as 0.5mm,1mm"};
    }
    if (options.pdf && trimmed(*options.pdf).empty()) {
        throw UsageError{"--pdf needs the name of the PDF file to write"};
    }
    const ChartPdfWriter writePdf = chartPdfWriter();
    if (options.pdf && writePdf == nullptr) {
        const SearchSetupOptions& given = options.setup;
        runInPdfProgram("chart", given.machine && given.lib.empty() ? libPath({}) : std::string());
    }
    const SearchSetup setup = readSearchSetup(options.setup, "chart", true);
    const MachineConstants kept = setup.machine ? setup.machine->constants : MachineConstants();
    MachineConstants constants = overridden(kept, givenConstants(options.constants));
    // A thread chart searches the gearbox positions, unless a gearbox ratio is given for it.
    std::vector<GearboxPosition> positions;
    if (options.threads) {
        constants.gearboxPositions = setup.train.gearboxPositions;
        try {
            positions = threadChartPositions(
                constants,
                options.constants.texts[static_cast<std::size_t>(ConstantKey::GearboxRatio)]
                    .has_value());
        } catch (const PositionsRefused& refused) {
            throw UsageError{positionProblemText(refused.problem(), Language::English)};
        }
    }
    const ChartPlan chart = plan(options, constants);
    for (const ChartTarget& target : chart.targets) {
        requireUsableRatio(target.ratio, "row " + target.label + ": the ratio", true);
    }
    const ChartHeading heading{chart.title,
                               setup.machine ? setup.machine->name
                                             : "挂轮 " + gearListText(setup.request.gears),
                               constantsSummary(chart.used, Language::Chinese)};
    const std::string format = options.format.value_or("text");
    try {
        std::vector<ChartRow> rows;
        std::vector<ThreePairChartRow> threePairRows;
        if (setup.pairs == 3) {
            threePairRows = buildThreePairChart(setup.request, chart.targets, positions);
        } else {
            rows = buildChart(setup.request, chart.targets, positions);
        }
        if (options.pdf) {
            const int pages = writePdf(*options.pdf, heading, rows, threePairRows);
            if (!options.format) {
                out << "已写入 " << *options.pdf << "（" << pages << " 页）\n";
                return 0;
            }
        }
        if (setup.pairs == 3) {
            writeRows(format, heading, threePairRows, threePairChartHeadings(Language::Chinese),
                      threePairChartRowTexts, 6, out);
        } else {
            writeRows(format, heading, rows, chartHeadings(Language::Chinese), chartRowTexts, 4,
                      out);
        }
    } catch (const SearchRefused& refused) {
        throw UsageError{searchProblemText(refused.problem(), Language::English)};
    }
    return 0;
}

} // namespace gearsel::cli
