// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/constants_file.h"

#include "store/json_check.h"
#include "store/lib_layout.h"
#include "store/safe_write.h"
#include "store/store_error.h"

#include <filesystem>
#include <nlohmann/json.hpp>

namespace gearsel {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kFormat = "gearsel machine constants";
constexpr int kVersion = 1;
// The file is 3 deep; anything much deeper is no constants file.
constexpr int kMaxDepth = 8;

// Entry `position` of the file at `path`, `item`, whose object in the text is `object` (null
// when it is no object).
ConstantsBook::Entry readEntry(const Json& item, std::size_t position,
                               const JsonObjectOutline* object, const std::string& path) {
    using Kind = StoreProblem::Kind;
    // Entry `position`, on the line of the key `key` when there is one.
    const auto damaged = [&](Kind kind, std::string_view key) {
        return StoreProblem{.kind = kind,
                            .file = path,
                            .line = object == nullptr ? 0 : object->lineOf(key),
                            .entry = static_cast<int>(position) + 1,
                            .key = std::string(key)};
    };
    if (!item.is_object() || object == nullptr) {
        throw StoreError(damaged(Kind::EntryNotObject, ""));
    }
    const auto number = item.find("machine");
    const auto name = item.find("name");
    if (number == item.end() || !number->is_number_integer() || *number < 1 ||
        *number > kMaxMachines) {
        StoreProblem problem = damaged(Kind::EntryMachineNumber, "machine");
        problem.limit = kMaxMachines;
        throw StoreError(std::move(problem));
    }
    if (name == item.end() || !name->is_string()) {
        throw StoreError(damaged(Kind::EntryWithoutName, "name"));
    }
    ConstantsBook::Entry entry{number->get<int>() - 1, name->get<std::string>(), {}};
    for (const auto& [key, value] : item.items()) {
        if (key == "machine" || key == "name") {
            continue;
        }
        const auto constant = constantKeyNamed(key);
        if (!constant) {
            throw StoreError(damaged(Kind::EntryUnknownKey, key));
        }
        if (!value.is_string()) {
            throw StoreError(damaged(Kind::EntryValueNotText, key));
        }
        try {
            setConstantText(entry.constants, *constant, value.get<std::string>());
        } catch (const ValueRefused& refused) {
            StoreProblem problem = damaged(Kind::EntryValueRefused, key);
            problem.value = value.get<std::string>();
            problem.why = refused.problem();
            throw StoreError(std::move(problem));
        }
    }
    return entry;
}

} // namespace

std::optional<ConstantKey> constantKeyNamed(std::string_view name) {
    for (const ConstantKey key : kConstantKeys) {
        if (name == constantName(key)) {
            return key;
        }
    }
    return std::nullopt;
}

std::string constantsPath(const std::string& dataPath) {
    const std::filesystem::path target(saveTarget(dataPath));
    return (target.parent_path() / (target.filename().string() + ".constants.json")).string();
}

ConstantsBook parseConstants(std::string_view text, const std::string& path) {
    using Kind = StoreProblem::Kind;
    JsonOutline outline;
    if (auto problem = checkJson(text, kMaxDepth, outline)) {
        throw StoreError(
            {.kind = Kind::ConstantsNotText, .file = path, .text = std::move(problem)});
    }
    const Json doc = Json::parse(text);
    if (!doc.is_object()) {
        throw StoreError({.kind = Kind::ConstantsNotObject, .file = path, .key = doc.type_name()});
    }
    const auto format = doc.find("format");
    const auto version = doc.find("version");
    const auto machines = doc.find("machines");
    if (format == doc.end() || *format != kFormat) {
        throw StoreError({.kind = Kind::ConstantsWrongFormat, .file = path, .key = kFormat});
    }
    if (version == doc.end() || !version->is_number_integer() || *version != kVersion) {
        throw StoreError({.kind = Kind::ConstantsWrongVersion, .file = path, .count = kVersion});
    }
    if (machines == doc.end() || !machines->is_array() || doc.size() != 3) {
        throw StoreError({.kind = Kind::ConstantsWrongKeys, .file = path});
    }
    ConstantsBook book;
    const auto objects = arrayObjects(outline, 2);
    for (std::size_t i = 0; i < machines->size(); ++i) {
        const ConstantsBook::Entry entry =
            readEntry((*machines)[i], i, i < objects.size() ? objects[i] : nullptr, path);
        for (const ConstantsBook::Entry& known : book.entries()) {
            if (known.index == entry.index && known.name == entry.name) {
                throw StoreError({.kind = Kind::ConstantsMachineTwice,
                                  .file = path,
                                  .machine = entry.index,
                                  .name = entry.name});
            }
        }
        ConstantsBook one;
        one.set(entry.index, entry.name, entry.constants);
        book.addMissing(one);
    }
    return book;
}

std::string constantsJson(const ConstantsBook& book) {
    Json machines = Json::array();
    for (const ConstantsBook::Entry& entry : book.entries()) {
        Json item = {{"machine", entry.index + 1}, {"name", entry.name}};
        for (const ConstantKey key : kConstantKeys) {
            if (const auto text = constantText(entry.constants, key)) {
                item[constantName(key)] = *text;
            }
        }
        machines.push_back(std::move(item));
    }
    const Json doc = {{"format", kFormat}, {"version", kVersion}, {"machines", machines}};
    // Names are UTF-8 as decoded from GBK; should one not be, it is written with U+FFFD rather
    // than failing the save.
    return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace gearsel
