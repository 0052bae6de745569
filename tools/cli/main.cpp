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
#include <iostream>
#include <stdexcept>

int main(int argc, char** argv) {
    using namespace gearsel::cli;
    CLI::App app{"gearsel-cli: change-gear selection from the command line"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("gearsel-cli ") + gearsel::kVersion);
    SelectOptions selectOptions;
    CLI::App* select = addSelectCommand(app, selectOptions);
    MachinesOptions machinesOptions;
    CLI::App* machines = addMachinesCommand(app, machinesOptions);
    RatioOptions ratioOptions;
    CLI::App* ratio = addRatioCommand(app, ratioOptions);
    SuggestOptions suggestOptions;
    CLI::App* suggest = addSuggestCommand(app, suggestOptions);
    ChartOptions chartOptions;
    CLI::App* chart = addChartCommand(app, chartOptions);

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
        if (*select) {
            return checkedExit(runSelect(selectOptions, std::cout, std::cerr));
        }
        if (*machines) {
            return checkedExit(runMachines(machinesOptions, std::cout));
        }
        if (*ratio) {
            return checkedExit(runRatio(ratioOptions, std::cout));
        }
        if (*suggest) {
            return checkedExit(runSuggest(suggestOptions, std::cout));
        }
        if (*chart) {
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
