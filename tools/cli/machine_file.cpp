// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/machine_file.h"

#include "present/store_problem_text.h"
#include "present/value_problem_text.h"
#include "store/constants_file.h"
#include "store/file_text.h"
#include "store/json_check.h"
#include "store/lib_layout.h"
#include "store/machine_csv.h"
#include "store/posix_file_system.h"
#include "store/regular_file.h"
#include "tools/cli/strict_number.h"

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <string_view>

namespace gearsel::cli {

namespace {

using Json = nlohmann::json;

// A JSON number that is a whole number of 16 bits, as a field of a machine needs. Unsigned
// and signed values are read as what they are, so 18446744073709551615 is not taken for -1.
bool isInt16(const Json& value) {
    if (value.is_number_unsigned()) {
        return value.get<std::uint64_t>() <=
               static_cast<std::uint64_t>(std::numeric_limits<std::int16_t>::max());
    }
    if (value.is_number_integer()) {
        const auto number = value.get<std::int64_t>();
        return number >= std::numeric_limits<std::int16_t>::min() &&
               number <= std::numeric_limits<std::int16_t>::max();
    }
    return false;
}

// Refused: "<path>: <why>", the line as the command line shows it.
UsageError refusal(const std::string& path, const std::string& why) {
    return UsageError{path + ": " + why};
}

// Machine `position` of the array, `item`, whose object in the text is `object`.
NewMachine readMachine(const Json& item, std::size_t position, const JsonObjectOutline* object,
                       const std::string& path) {
    const std::string n = std::to_string(position + 1);
    // "line 7: machine 3", at the key `key` when there is one.
    const auto refuse = [&](std::string_view key, const std::string& why) {
        const int line = object == nullptr ? 0 : object->lineOf(key);
        throw refusal(path,
                      (line > 0 ? lineLabel(line, Language::English) : "") + "machine " + n + why);
    };
    if (!item.is_object() || object == nullptr) {
        refuse("", " is not an object {\"name\": ..., \"zn\": ..., \"gears\": [...]}");
    }
    for (const auto& [key, value] : item.items()) {
        if (key != "name" && key != "zn" && key != "gears" && !constantKeyNamed(key)) {
            refuse(key, " has the unknown key '" + key +
                            "' (the keys are name, zn, gears and the constants leadscrew, "
                            "gearbox, k, c and n)");
        }
    }
    for (const char* key : {"name", "zn", "gears"}) {
        if (!item.contains(key)) {
            refuse("", std::string(" lacks the key '") + key + "'");
        }
    }
    NewMachine machine;
    if (!item["name"].is_string()) {
        refuse("name", ": name must be a text");
    }
    machine.name = item["name"].get<std::string>();
    if (!isInt16(item["zn"])) {
        refuse("zn", ": zn " + item["zn"].dump() + " is not a whole number from -32768 to 32767");
    }
    machine.zn = item["zn"].get<std::int16_t>();
    if (!item["gears"].is_array()) {
        refuse("gears", ": gears must be an array of tooth counts");
    }
    for (const Json& tooth : item["gears"]) {
        if (!isInt16(tooth)) {
            refuse("gears",
                   ": tooth count " + tooth.dump() + " is not a whole number from -32768 to 32767");
        }
        machine.gears.push_back(tooth.get<std::int16_t>());
    }
    for (const auto& [key, value] : item.items()) {
        const auto constant = constantKeyNamed(key);
        if (!constant) {
            continue;
        }
        if (!value.is_string()) {
            refuse(key, ": " + key + " must be a text such as \"12mm\"");
        }
        try {
            setConstantText(machine.constants, *constant, value.get<std::string>());
        } catch (const ValueRefused& refused) {
            refuse(key, ": " + key + " cannot be used (" +
                            valueProblemText(refused.problem(), Language::English) + ")");
        }
    }
    return machine;
}

std::vector<NewMachine> parseMachineJson(std::string_view text, const std::string& path) {
    JsonOutline outline;
    if (const auto problem = checkJson(text, kMaxJsonDepth, outline)) {
        throw refusal(path, textProblemText(*problem, Language::English));
    }
    const Json doc = Json::parse(text);
    if (!doc.is_array()) {
        throw refusal(path, "is a JSON " + std::string(doc.is_object() ? "object" : "value") +
                                ", but a list of machines is an array [{\"name\": ..., \"zn\": "
                                "..., \"gears\": [...]}, ...] as 'machines export --format "
                                "json' writes it");
    }
    const auto objects = arrayObjects(outline, 1);
    std::vector<NewMachine> machines;
    for (std::size_t i = 0; i < doc.size(); ++i) {
        machines.push_back(readMachine(doc[i], i, i < objects.size() ? objects[i] : nullptr, path));
    }
    return machines;
}

} // namespace

std::vector<NewMachine> readMachineFile(const std::string& path) {
    FileInfo info;
    const std::string bytes = readRegularFile(posixFileSystem(), path, kMaxFileSize, info);
    std::string_view text = bytes;
    // Editors on Windows put a byte-order mark in front of UTF-8, JSON as well as CSV.
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    if (const auto problem = textProblem(text)) {
        throw refusal(path, textProblemText(*problem, Language::English));
    }
    const auto start = text.find_first_not_of(" \t\r\n");
    if (start != std::string_view::npos && (text[start] == '[' || text[start] == '{')) {
        return parseMachineJson(text, path);
    }
    return parseMachineCsv(text, path);
}

} // namespace gearsel::cli
