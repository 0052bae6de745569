// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding the data file and a machine in it from command-line arguments.

#include "store/machine_store.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gearsel::cli {

// The data file that --lib names or, when it is empty, the one the program uses: system.lib
// beside gearsel-cli, otherwise the user's own file (copied from the installed default data on
// first use). Throws UsageError naming the places looked at when there is none, StoreError
// when the copy fails.
std::string libPath(const std::string& libOption);

// Throws UsageError when any command of `app` was given --lib with an empty path: an empty path
// names no file, and taking the default file for it would read and change the user's data.
void refuseEmptyLibPaths(CLI::App& app);

// How a command may name a machine besides its whole name and its number.
enum class NameMatch {
    Whole,     // a change: a name cut short could mean another machine once one is gone
    Beginning, // a read: the one machine whose name begins so ("CA6140" for "CA6140 车床")
};

// The index (from 0) of the machine `ref` names: the machine whose name is exactly `ref`
// (blanks around it ignored), otherwise a whole number counted from 1, otherwise, with
// NameMatch::Beginning, the one machine whose name begins with `ref`. Throws UsageError when
// there is no such machine, the name is shared by several, or several names begin with `ref`
// (naming them).
int findMachine(const MachineStore& store, std::string_view ref, NameMatch match);

// One machine as the commands that search on it need it.
struct MachineData {
    int index = 0;                   // from 0
    std::string name;                // as shown
    std::vector<std::int16_t> gears; // as the program uses them (10 to 255)
    std::int16_t zn = 0;
    MachineConstants constants; // the constants kept for it, when asked for
};

// Reads the machine that `ref` names (as findMachine() with NameMatch::Beginning) from the data
// file that `libOption` names (as libPath()), with its constants when `withConstants`; retries as
// readWithRetry(). Throws UsageError or StoreError.
MachineData readMachine(const std::string& libOption, std::string_view ref, bool withConstants);

// Runs `read` (which looks machines up and reads their gear lists) and, when another program
// changed a machine it reads in the meantime, reads the table anew and runs it again, up to a
// few times. `read` must print nothing before its last read.
void readWithRetry(MachineStore& store, const std::function<void()>& read);

} // namespace gearsel::cli
