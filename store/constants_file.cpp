#include "store/constants_file.h"

#include "store/json_depth.h"
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

// The key of a constant named `key` in the file, or nothing for another key.
std::optional<ConstantKey> constantKey(const std::string& key) {
    for (const ConstantKey k : kConstantKeys) {
        if (key == constantName(k)) {
            return k;
        }
    }
    return std::nullopt;
}

ConstantsBook::Entry readEntry(const Json& item, std::size_t position,
                               const std::function<StoreError(const std::string&)>& damaged) {
    const std::string where = "第 " + std::to_string(position + 1) + " 项";
    if (!item.is_object()) {
        throw damaged(where + "不是一个对象");
    }
    const auto number = item.find("machine");
    const auto name = item.find("name");
    if (number == item.end() || !number->is_number_integer() || *number < 1 ||
        *number > kMaxMachines) {
        throw damaged(where + "的 machine 应是 1 到 " + std::to_string(kMaxMachines) + " 的整数");
    }
    if (name == item.end() || !name->is_string()) {
        throw damaged(where + "缺少机床名称 name");
    }
    ConstantsBook::Entry entry{number->get<int>() - 1, name->get<std::string>(), {}};
    for (const auto& [key, value] : item.items()) {
        if (key == "machine" || key == "name") {
            continue;
        }
        const auto constant = constantKey(key);
        if (!constant) {
            throw damaged(where + "有不认识的键“" + key + "”");
        }
        if (!value.is_string()) {
            throw damaged(where + "的 " + key + " 应是文字");
        }
        try {
            setConstantText(entry.constants, *constant, value.get<std::string>());
        } catch (const std::invalid_argument& e) {
            throw damaged(where + "的 " + key + " 不可用（" + e.what() + "）");
        }
    }
    return entry;
}

} // namespace

std::string constantsPath(const std::string& dataPath) {
    const std::filesystem::path target(saveTarget(dataPath));
    return (target.parent_path() / (target.filename().string() + ".constants.json")).string();
}

ConstantsBook parseConstants(std::string_view text, const std::string& path) {
    const auto damaged = [&path](const std::string& why) {
        return StoreError(path, "已损坏：" + why +
                                    "；机床常数没有读入，也不会被改写。请修复或删除这个文件");
    };
    if (jsonNestsDeeperThan(text, kMaxDepth)) {
        throw damaged("嵌套太深");
    }
    const Json doc = Json::parse(text, nullptr, false);
    if (doc.is_discarded() || !doc.is_object()) {
        throw damaged("不是 JSON 对象");
    }
    const auto format = doc.find("format");
    const auto version = doc.find("version");
    const auto machines = doc.find("machines");
    if (format == doc.end() || *format != kFormat) {
        throw damaged("不是机床常数文件（format 应是“" + std::string(kFormat) + "”）");
    }
    if (version == doc.end() || !version->is_number_integer() || *version != kVersion) {
        throw damaged("版本不是 " + std::to_string(kVersion) + "，可能由更新的程序写成");
    }
    if (machines == doc.end() || !machines->is_array() || doc.size() != 3) {
        throw damaged("应只有 format、version 和 machines 三个键，machines 是一个数组");
    }
    ConstantsBook book;
    for (std::size_t i = 0; i < machines->size(); ++i) {
        const ConstantsBook::Entry entry = readEntry((*machines)[i], i, damaged);
        for (const ConstantsBook::Entry& known : book.entries()) {
            if (known.index == entry.index && known.name == entry.name) {
                throw damaged("第 " + std::to_string(entry.index + 1) + " 台机床“" + entry.name +
                              "”出现了两次");
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
