// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "gearsel-cli machines": list, show, add, copy, rename, delete and edit the machines of a data
// file, see and set their constants, export or import them as CSV or JSON, and say which file
// that is.

#include "tools/cli/constant_options.h"
#include "tools/cli/train_options.h"

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <string>

namespace gearsel::cli {

// The arguments as typed; they are checked strictly when the command runs.
struct MachinesOptions {
    std::string lib;            // --lib: the data file; empty for the one the program uses
    std::string wait = "5";     // --wait: seconds a change waits for the file's lock
    std::string action;         // the subcommand given: list, show, add, ..., where
    std::string machine;        // NAME|INDEX of the machine acted on
    std::string name;           // NAME of add, NEWNAME of copy and rename
    std::string gears;          // --gears of add and set-gears
    std::string zn = "15";      // --zn of add
    std::string format = "csv"; // --format of export
    std::string file;           // FILE of import
    bool replace = false;       // --replace of import
    bool json = false;          // --json of list, show and constants
    ConstantOptions constants;  // the constants given to constants
    TrainOptions train;         // the train's constants given to constants
    bool clear = false;         // --clear of constants
};

// Adds the "machines" subcommand with its own subcommands to `app`; parsing fills `options`.
CLI::App* addMachinesCommand(CLI::App& app, MachinesOptions& options);

// Runs the chosen subcommand and prints its result to `out`. Throws UsageError or StoreError
// before anything is changed when the input or the file is refused. Returns the exit status.
int runMachines(const MachinesOptions& options, std::ostream& out);

} // namespace gearsel::cli
