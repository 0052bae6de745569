// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/machines_command.h"

#include "base/trim.h"
#include "present/constant_text.h"
#include "present/store_problem_text.h"
#include "store/data_file.h"
#include "store/machine_csv.h"
#include "store/store_error.h"
#include "tools/cli/gear_list_text.h"
#include "tools/cli/machine_file.h"
#include "tools/cli/machine_lookup.h"
#include "tools/cli/strict_number.h"
#include "tools/cli/text_table.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <limits>
#include <nlohmann/json.hpp>
#include <ostream>

namespace gearsel::cli {

namespace {

using Json = nlohmann::ordered_json;

// Subcommand `name` of `parent`, which records its name in `options.action` when given.
CLI::App* action(CLI::App* parent, MachinesOptions& options, const std::string& name,
                 const std::string& description) {
    CLI::App* cmd = parent->add_subcommand(name, description);
    cmd->callback([&options, name] { options.action = name; });
    return cmd;
}

void addMachineArgument(CLI::App* cmd, MachinesOptions& options) {
    cmd->add_option("machine", options.machine, "The machine: its name or its number from 1")
        ->required();
}

void list(const MachineStore& store, bool json, std::ostream& out) {
    const auto& machines = store.machines();
    if (json) {
        Json rows = Json::array();
        for (std::size_t i = 0; i < machines.size(); ++i) {
            rows.push_back({{"index", i + 1},
                            {"name", machines[i].name},
                            {"zn", machines[i].zn},
                            {"gear_count", machines[i].gearCount}});
        }
        out << rows.dump() << '\n';
        return;
    }
    TextTable table;
    table.addRow({"序号", "机床型号", "Zn", "挂轮数"});
    for (std::size_t i = 0; i < machines.size(); ++i) {
        table.addRow({std::to_string(i + 1), machines[i].name, std::to_string(machines[i].zn),
                      std::to_string(machines[i].gearCount)});
    }
    table.print(out);
}

void show(const MachineStore& store, int index, bool json, std::ostream& out) {
    const MachineEntry& entry = store.machines()[static_cast<std::size_t>(index)];
    const auto stored = store.storedGearList(index);
    const auto read = store.gearList(index);
    if (json) {
        out << Json{{"index", index + 1}, {"name", entry.name},
                    {"zn", entry.zn},     {"gear_count", entry.gearCount},
                    {"gears", read},      {"stored", stored}}
                   .dump()
            << '\n';
        return;
    }
    TextTable table;
    table.addRow({"序号:", std::to_string(index + 1)});
    table.addRow({"机床型号:", entry.name});
    table.addRow({"Zn:", std::to_string(entry.zn)});
    table.addRow({"挂轮数:", std::to_string(entry.gearCount)});
    table.addRow({"挂轮齿数:", gearListText(read)});
    table.addRow({"文件中的值:", gearListText(stored)});
    table.print(out);
}

void showConstants(const MachineStore& store, int index, const MachineConstants& constants,
                   bool json, std::ostream& out) {
    const MachineEntry& entry = store.machines()[static_cast<std::size_t>(index)];
    if (json) {
        Json doc = {{"index", index + 1}, {"name", entry.name}};
        for (const ConstantKey key : kConstantKeys) {
            const auto text = constantText(constants, key);
            doc[constantName(key)] = text ? Json(*text) : Json();
        }
        out << doc.dump() << '\n';
        return;
    }
    TextTable table;
    table.addRow({"序号:", std::to_string(index + 1)});
    table.addRow({"机床型号:", entry.name});
    for (const ConstantKey key : kConstantKeys) {
        table.addRow({constantLabel(key, Language::Chinese) + ":",
                      constantText(constants, key).value_or("-")});
    }
    table.print(out);
}

void exportAll(const MachineStore& store, const std::string& format, std::ostream& out) {
    const auto& machines = store.machines();
    const std::vector<MachineConstants> constants = store.allConstants();
    if (format == "json") {
        Json rows = Json::array();
        for (std::size_t i = 0; i < machines.size(); ++i) {
            Json row = {{"name", machines[i].name},
                        {"zn", machines[i].zn},
                        {"gears", store.gearList(static_cast<int>(i))}};
            for (const ConstantKey key : kConstantKeys) {
                if (const auto text = constantText(constants[i], key)) {
                    row[constantName(key)] = *text;
                }
            }
            rows.push_back(std::move(row));
        }
        out << rows.dump(2) << '\n';
        return;
    }
    std::string text = "# 机床型号,Zn,挂轮齿数…,常数=值…（每行一台机床）\n";
    for (std::size_t i = 0; i < machines.size(); ++i) {
        text += machineCsvLine(
            {machines[i].name, machines[i].zn, store.gearList(static_cast<int>(i)), constants[i]});
    }
    out << text;
}

// How the confirmations on standard output name machine `index`: "第 3 台机床“CA6140”".
std::string label(const MachineStore& store, int index) {
    return machineLabel(index, store.machines()[static_cast<std::size_t>(index)].name,
                        Language::Chinese);
}

// Refuses a name that is empty or blank, for every command that names a machine anew.
void refuseEmptyName(const std::string& name) {
    if (trimmed(name, " ").empty()) {
        throw UsageError{"the machine name is empty; give the machine a name"};
    }
}

} // namespace

CLI::App* addMachinesCommand(CLI::App& app, MachinesOptions& options) {
    CLI::App* cmd = app.add_subcommand("machines", "List and edit the machines of the data file");
    cmd->require_subcommand(1);
    cmd->fallthrough();
    cmd->add_option("--lib", options.lib,
                    "The data file (default: the one 'machines where' prints)");
    cmd->add_option("--wait", options.wait,
                    "Seconds a change waits while another program changes the file (default 5)");

    CLI::App* list = action(cmd, options, "list", "Number, name, Zn and gear count of each");
    list->add_flag("--json", options.json, "Print JSON instead of the table");

    CLI::App* show = action(cmd, options, "show", "A machine's gear list, as read and as stored");
    addMachineArgument(show, options);
    show->add_flag("--json", options.json, "Print JSON instead of the table");

    CLI::App* add = action(cmd, options, "add", "Add a machine at the end of the table");
    add->add_option("name", options.name, "Its name (at most 24 bytes in GBK)")->required();
    add->add_option("--gears", options.gears, "Tooth counts, comma-separated (10 to 255 each)")
        ->required();
    add->add_option("--zn", options.zn, "Assembly condition as a tooth count (default 15)");

    CLI::App* copy = action(cmd, options, "copy", "Add a copy of a machine under a new name");
    addMachineArgument(copy, options);
    copy->add_option("newname", options.name, "The copy's name")->required();

    CLI::App* rename = action(cmd, options, "rename", "Give a machine a new name");
    addMachineArgument(rename, options);
    rename->add_option("newname", options.name, "The new name")->required();

    CLI::App* remove = action(cmd, options, "delete", "Delete a machine (not the last one)");
    addMachineArgument(remove, options);

    CLI::App* setGears = action(cmd, options, "set-gears", "Replace a machine's gear list");
    addMachineArgument(setGears, options);
    setGears->add_option("--gears", options.gears, "Tooth counts, comma-separated (10 to 255 each)")
        ->required();

    CLI::App* constants = action(cmd, options, "constants",
                                 "See or set the constants a machine keeps for the ratio formulas");
    addMachineArgument(constants, options);
    addConstantOptions(constants, options.constants);
    constants->add_flag("--clear", options.clear,
                        "Forget the machine's constants first (then set those given)");
    constants->add_flag("--json", options.json, "Print JSON instead of the table");

    CLI::App* exportCmd = action(cmd, options, "export", "Print all machines as CSV or JSON");
    exportCmd->add_option("--format", options.format, "csv (default) or json")
        ->check(CLI::IsMember({"csv", "json"}));

    action(cmd, options, "where", "Print the path of the data file in use");

    CLI::App* importCmd = action(cmd, options, "import",
                                 "Add the machines of a CSV or JSON file at the end, or replace "
                                 "the whole table with them");
    importCmd->add_option("file", options.file, "A file as export writes it")->required();
    importCmd->add_flag("--replace", options.replace,
                        "Make the file's machines, with their constants, the whole table");
    return cmd;
}

int runMachines(const MachinesOptions& options, std::ostream& out) {
    const std::string path = libPath(options.lib);
    if (options.action == "where") {
        if (!dataFileExists(path)) {
            std::error_code ec;
            const int error = std::filesystem::is_directory(path, ec) ? EISDIR : ENOENT;
            throw StoreError(
                {.kind = StoreProblem::Kind::CannotRead, .file = path, .error = error});
        }
        out << std::filesystem::absolute(path).lexically_normal().string() << '\n';
        return 0;
    }
    const int wait = parseInt(options.wait, "wait", 0, 3600);
    MachineStore store = MachineStore::open(path);
    store.setLockTimeout(std::chrono::seconds(wait));
    const std::string& what = options.action;
    if (what == "list") {
        list(store, options.json, out);
        return 0;
    }
    if (what == "export") {
        readWithRetry(store, [&] { exportAll(store, options.format, out); });
        return 0;
    }
    if (what == "show") {
        readWithRetry(store, [&] {
            show(store, findMachine(store, options.machine, NameMatch::Beginning), options.json,
                 out);
        });
        return 0;
    }
    if (what == "constants") {
        const MachineConstants given = givenConstants(options.constants);
        const bool change = options.clear || options.constants.anyGiven();
        int index = 0;
        MachineConstants constants;
        const auto lookUp = [&] {
            index = findMachine(store, options.machine,
                                change ? NameMatch::Whole : NameMatch::Beginning);
            constants = store.constants(index);
            if (change) {
                constants = overridden(options.clear ? MachineConstants() : constants, given);
                store.setConstants(index, constants);
            }
        };
        if (change) {
            store.withLock(lookUp);
        } else {
            readWithRetry(store, lookUp);
        }
        showConstants(store, index, constants, options.json, out);
        return 0;
    }
    // A change: its input is checked first, then the machine is looked up and changed under
    // the file's lock, so that the name or number means the machine it names at that moment.
    if (what == "add" || what == "copy" || what == "rename") {
        refuseEmptyName(options.name);
    }
    if (what == "add") {
        const auto gears = parseGearList(options.gears);
        const int zn = parseInt(options.zn, "zn", std::numeric_limits<std::int16_t>::min(),
                                std::numeric_limits<std::int16_t>::max());
        const int index = store.addMachine(options.name, static_cast<std::int16_t>(zn), gears);
        out << "已添加" << label(store, index) << "：Zn " << zn << "，" << gears.size()
            << " 个挂轮\n";
        return 0;
    }
    if (what == "import") {
        const auto machines = readMachineFile(options.file);
        if (options.replace) {
            const std::size_t before = store.machines().size();
            store.replaceMachines(machines);
            out << "已导入 " << machines.size() << " 台机床，替换了原有的 " << before << " 台\n";
            return 0;
        }
        const int first = store.addMachines(machines);
        out << "已导入 " << machines.size() << " 台机床";
        if (!machines.empty()) {
            out << "：第 " << first + 1 << " 到 " << first + static_cast<int>(machines.size())
                << " 台";
        }
        out << '\n';
        return 0;
    }
    const auto gears =
        what == "set-gears" ? parseGearList(options.gears) : std::vector<std::int16_t>();
    store.withLock([&] {
        const int index = findMachine(store, options.machine, NameMatch::Whole);
        const std::string before = label(store, index);
        if (what == "copy") {
            const int copy = store.copyMachine(index, options.name);
            out << "已将" << before << "复制为" << label(store, copy) << '\n';
        } else if (what == "rename") {
            store.renameMachine(index, options.name);
            out << before << "已改名为“" << store.machines()[static_cast<std::size_t>(index)].name
                << "”\n";
        } else if (what == "delete") {
            store.deleteMachine(index);
            out << "已删除" << before << "，还有 " << store.machines().size() << " 台机床\n";
        } else if (what == "set-gears") {
            store.setGearList(index, gears);
            out << "已保存" << before << "的 " << gears.size() << " 个挂轮\n";
        }
    });
    return 0;
}

} // namespace gearsel::cli
