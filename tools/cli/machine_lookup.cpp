// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/machine_lookup.h"

#include "present/store_problem_text.h"
#include "store/data_location.h"
#include "store/store_conflict.h"
#include "tools/cli/strict_number.h"

#include <algorithm>

namespace gearsel::cli {

std::string libPath(const std::string& libOption) {
    if (!libOption.empty()) {
        return libOption;
    }
    const DataPlaces places = currentDataPlaces();
    const std::filesystem::path file = locateDataFile(places);
    if (file.empty()) {
        throw UsageError{dataFileNotFoundText(places, Language::English)};
    }
    return file.string();
}

void refuseEmptyLibPaths(CLI::App& app) {
    const CLI::Option* lib = app.get_option_no_throw("--lib");
    if (lib != nullptr && lib->count() > 0 && lib->as<std::string>().empty()) {
        throw UsageError{"--lib: the path of the data file is empty; leave --lib out for the "
                         "default file ('machines where' names it)"};
    }
    for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
        refuseEmptyLibPaths(*command);
    }
}

int findMachine(const MachineStore& store, std::string_view ref, NameMatch match) {
    const auto first = ref.find_first_not_of(" \t");
    const std::string_view text = first == std::string_view::npos
                                      ? std::string_view()
                                      : ref.substr(first, ref.find_last_not_of(" \t") - first + 1);
    const auto& machines = store.machines();
    int found = -1;
    for (std::size_t i = 0; i < machines.size(); ++i) {
        if (machines[i].name == text) {
            if (found >= 0) {
                throw UsageError{"several machines are named '" + std::string(text) +
                                 "'; give the number of one (see 'machines list')"};
            }
            found = static_cast<int>(i);
        }
    }
    if (found >= 0) {
        return found;
    }
    const bool number = !text.empty() && std::all_of(text.begin(), text.end(),
                                                     [](char c) { return c >= '0' && c <= '9'; });
    if (number && !machines.empty()) {
        return parseInt(text, "machine number", 1, static_cast<int>(machines.size())) - 1;
    }
    // The beginning of one machine's name is enough: "CA6140" for "CA6140 车床".
    std::vector<std::size_t> starting;
    for (std::size_t i = 0; i < machines.size() && !text.empty(); ++i) {
        if (match == NameMatch::Whole) {
            break;
        }
        if (machines[i].name.starts_with(text)) {
            starting.push_back(i);
        }
    }
    if (starting.size() == 1) {
        return static_cast<int>(starting.front());
    }
    if (starting.empty()) {
        throw UsageError{"no machine '" + std::string(text) + "' in " + store.path() +
                         " (see 'machines list')"};
    }
    std::string names;
    for (const std::size_t i : starting) {
        names +=
            (names.empty() ? "" : ", ") + std::to_string(i + 1) + " '" + machines[i].name + "'";
    }
    throw UsageError{"'" + std::string(text) + "' begins the names of several machines (" + names +
                     "); give more of the name, or the number"};
}

MachineData readMachine(const std::string& libOption, std::string_view ref, bool withConstants) {
    MachineStore store = MachineStore::open(libPath(libOption));
    MachineData machine;
    readWithRetry(store, [&] {
        machine.index = findMachine(store, ref, NameMatch::Beginning);
        const MachineEntry& entry = store.machines()[static_cast<std::size_t>(machine.index)];
        machine.name = entry.name;
        machine.zn = entry.zn;
        machine.gears = store.gearList(machine.index);
        if (withConstants) {
            machine.constants = store.constants(machine.index);
        }
    });
    return machine;
}

void readWithRetry(MachineStore& store, const std::function<void()>& read) {
    constexpr int kAttempts = 5;
    for (int attempt = 1;; ++attempt) {
        try {
            read();
            return;
        } catch (const StoreConflict&) {
            if (attempt == kAttempts) {
                throw;
            }
            store.reload();
        }
    }
}

} // namespace gearsel::cli
