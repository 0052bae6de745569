// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/constants_file.h"

#include "store/file_text.h"
#include "store/json_check.h"
#include "store/lib_layout.h"
#include "store/safe_write.h"
#include "store/store_error.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace gearsel {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kFormat = "gearsel machine constants";
constexpr int kVersion = 1;
// The file is 3 deep; anything much deeper is no constants file.
constexpr int kMaxDepth = 8;

// Entry `position` of the file, `item`, whose object in the text is `object` (null when it is
// no object).
ConstantsBook::Entry readEntry(const Json& item, std::size_t position,
                               const JsonObjectOutline* object,
                               const std::function<StoreError(const MessageText&)>& damaged) {
    const std::string n = std::to_string(position + 1);
    // "第 7 行：第 3 项", "line 7: entry 3", at the key `key` when there is one.
    const auto where = [&](std::string_view key) {
        const int line = object == nullptr ? 0 : object->lineOf(key);
        const MessageText entry{"第 " + n + " 项", "entry " + n};
        return line > 0 ? lineLabel(line) + entry : entry;
    };
    if (!item.is_object() || object == nullptr) {
        throw damaged(where("") + MessageText{"不是一个对象", " is not an object"});
    }
    const auto number = item.find("machine");
    const auto name = item.find("name");
    if (number == item.end() || !number->is_number_integer() || *number < 1 ||
        *number > kMaxMachines) {
        const std::string most = std::to_string(kMaxMachines);
        throw damaged(where("machine") +
                      MessageText{"的 machine 应是 1 到 " + most + " 的整数",
                                  ": machine must be a whole number from 1 to " + most});
    }
    if (name == item.end() || !name->is_string()) {
        throw damaged(where("name") + MessageText{"缺少文字的机床名称 name",
                                                  " lacks the machine's name as a text"});
    }
    ConstantsBook::Entry entry{number->get<int>() - 1, name->get<std::string>(), {}};
    for (const auto& [key, value] : item.items()) {
        if (key == "machine" || key == "name") {
            continue;
        }
        const auto constant = constantKeyNamed(key);
        if (!constant) {
            throw damaged(where(key) + MessageText{"有不认识的键“" + key + "”",
                                                   " has the unknown key '" + key + "'"});
        }
        if (!value.is_string()) {
            throw damaged(where(key) +
                          MessageText{"的 " + key + " 应是文字", ": " + key + " must be a text"});
        }
        try {
            setConstantText(entry.constants, *constant, value.get<std::string>());
        } catch (const std::invalid_argument& e) {
            const std::string why = e.what();
            throw damaged(where(key) + MessageText{"的 " + key + " 不可用（" + why + "）",
                                                   ": " + key + " cannot be used (" + why + ")"});
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
    const auto damaged = [&path](const MessageText& why) {
        return StoreError(path,
                          MessageText{"已损坏：", "is damaged: "} + why +
                              MessageText{"；机床常数没有读入，也不会被改写。请修复或删除这个文件",
                                          "; the machine constants were not read and "
                                          "will not be written; repair or delete the file"});
    };
    JsonOutline outline;
    if (const auto problem = checkJson(text, kMaxDepth, outline)) {
        throw damaged(*problem);
    }
    const Json doc = Json::parse(text);
    if (!doc.is_object()) {
        throw damaged({"它是一个 JSON " + std::string(doc.is_array() ? "数组" : "值") +
                           "，而机床常数文件是一个对象 {\"format\": …}",
                       "it is a JSON " + std::string(doc.is_array() ? "array" : "value") +
                           ", but a constants file is an object {\"format\": ...}"});
    }
    const auto format = doc.find("format");
    const auto version = doc.find("version");
    const auto machines = doc.find("machines");
    if (format == doc.end() || *format != kFormat) {
        const std::string format = kFormat;
        throw damaged({"不是机床常数文件（format 应是“" + format + "”）",
                       "it is no machine constants file (format must be '" + format + "')"});
    }
    if (version == doc.end() || !version->is_number_integer() || *version != kVersion) {
        const std::string v = std::to_string(kVersion);
        throw damaged({"版本不是 " + v + "，可能由更新的程序写成",
                       "its version is not " + v + "; a newer program may have written it"});
    }
    if (machines == doc.end() || !machines->is_array() || doc.size() != 3) {
        throw damaged({"应只有 format、version 和 machines 三个键，machines 是一个数组",
                       "it must hold only format, version and an array machines"});
    }
    ConstantsBook book;
    const auto objects = arrayObjects(outline, 2);
    for (std::size_t i = 0; i < machines->size(); ++i) {
        const ConstantsBook::Entry entry =
            readEntry((*machines)[i], i, i < objects.size() ? objects[i] : nullptr, damaged);
        for (const ConstantsBook::Entry& known : book.entries()) {
            if (known.index == entry.index && known.name == entry.name) {
                throw damaged(machineLabel(entry.index, entry.name) +
                              MessageText{"出现了两次", " appears twice"});
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
