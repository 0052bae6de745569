#include "tools/cli/machine_file.h"

#include "store/json_depth.h"
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

std::vector<NewMachine> parseMachineJson(std::string_view text, const std::string& path) {
    if (jsonNestsDeeperThan(text, kMaxJsonDepth)) {
        throw UsageError{path + ": JSON nested deeper than " + std::to_string(kMaxJsonDepth) +
                         " levels; an export of machines is 3 deep"};
    }
    const Json doc = Json::parse(text, nullptr, false);
    if (doc.is_discarded() || !doc.is_array()) {
        throw UsageError{path + ": not a JSON array of machines"};
    }
    std::vector<NewMachine> machines;
    for (std::size_t i = 0; i < doc.size(); ++i) {
        const Json& item = doc[i];
        const std::string where = path + ": machine " + std::to_string(i + 1) + ": ";
        if (!item.is_object() || !item.contains("name") || !item["name"].is_string()) {
            throw UsageError{where + "needs a \"name\" text"};
        }
        NewMachine spec;
        spec.name = item["name"].get<std::string>();
        if (item.contains("zn")) {
            if (!isInt16(item["zn"])) {
                throw UsageError{where + "\"zn\" " + item["zn"].dump() +
                                 " is not a whole number from -32768 to 32767"};
            }
            spec.zn = item["zn"].get<std::int16_t>();
        }
        if (!item.contains("gears") || !item["gears"].is_array()) {
            throw UsageError{where + "needs a \"gears\" array"};
        }
        for (const Json& tooth : item["gears"]) {
            if (!isInt16(tooth)) {
                throw UsageError{where + "tooth count " + tooth.dump() +
                                 " is not a whole number from -32768 to 32767"};
            }
            spec.gears.push_back(tooth.get<std::int16_t>());
        }
        machines.push_back(std::move(spec));
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
    const auto start = text.find_first_not_of(" \t\r\n");
    if (start != std::string_view::npos && text[start] == '[') {
        return parseMachineJson(text, path);
    }
    return parseMachineCsv(text, path);
}

} // namespace gearsel::cli
