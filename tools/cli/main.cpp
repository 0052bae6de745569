// SPDX-License-Identifier: GPL-3.0-or-later
// gearsel-cli: change-gear selection from the command line.

#include "base/printable_text.h"
#include "base/version.h"
#include "present/problem_text.h"
#include "store/store_error.h"
#include "tools/cli/chart_command.h"
#include "tools/cli/machine_lookup.h"
#include "tools/cli/machines_command.h"
#include "tools/cli/output_check.h"
#include "tools/cli/ratio_command.h"
#include "tools/cli/select_command.h"
#include "tools/cli/strict_number.h"
#include "tools/cli/suggest_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string_view>

int main(int argc, char** argv) {
    using namespace gearsel::cli;
    CLI::App app{"gearsel-cli: change-gear selection from the command line"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("gearsel-cli ") + gearsel::kVersion);
    // Building a command's options takes longer than running most commands, so only the
    // command named first is built, or every one where none is (--help, --version, a typo).
    const std::string_view named = argc > 1 ? argv[1] : "";
    const std::string_view commands[] = {"select", "machines", "ratio", "suggest", "chart"};
    const bool all =
        std::find(std::begin(commands), std::end(commands), named) == std::end(commands);
    const auto wanted = [&](std::string_view name) { return all || named == name; };
    SelectOptions selectOptions;
    CLI::App* select = wanted("select") ? addSelectCommand(app, selectOptions) : nullptr;
    MachinesOptions machinesOptions;
    CLI::App* machines = wanted("machines") ? addMachinesCommand(app, machinesOptions) : nullptr;
    RatioOptions ratioOptions;
    CLI::App* ratio = wanted("ratio") ? addRatioCommand(app, ratioOptions) : nullptr;
    SuggestOptions suggestOptions;
    CLI::App* suggest = wanted("suggest") ? addSuggestCommand(app, suggestOptions) : nullptr;
    ChartOptions chartOptions;
    CLI::App* chart = wanted("chart") ? addChartCommand(app, chartOptions) : nullptr;
    const auto given = [](const CLI::App* command) { return command != nullptr && *command; };

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) {
            return checkedExit(app.exit(e)); // --help, --version: the text on stdout
        }
        std::cerr << "gearsel-cli: " << gearsel::printableText(e.what()) << '\n';
        return 2;
    }

    // Every line on stderr shows control characters escaped: they may come from arguments and
    // files, and a terminal would obey them.
    try {
        refuseEmptyLibPaths(app);
        if (given(select)) {
            return checkedExit(runSelect(selectOptions, std::cout, std::cerr));
        }
        if (given(machines)) {
            return checkedExit(runMachines(machinesOptions, std::cout));
        }
        if (given(ratio)) {
            return checkedExit(runRatio(ratioOptions, std::cout));
        }
        if (given(suggest)) {
            return checkedExit(runSuggest(suggestOptions, std::cout));
        }
        if (given(chart)) {
            return checkedExit(runChart(chartOptions, std::cout));
        }
    } catch (const UsageError& e) {
        std::cerr << "gearsel-cli: " << gearsel::printableText(e.what()) << '\n';
        return 2;
    } catch (const gearsel::StoreError& e) {
        std::cerr << "gearsel-cli: " << gearsel::exceptionText(e, gearsel::Language::English)
                  << '\n';
        return 2;
    } catch (const std::exception& e) {
        // A refusal that no command worded is still worded by its problem, not by what().
        std::cerr << "gearsel-cli: " << gearsel::exceptionText(e, gearsel::Language::English)
                  << '\n';
        return 1;
    }
    return 0;
}
