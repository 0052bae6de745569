// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/machine_csv.h"

#include "base/trim.h"

#include "store/constants_file.h"
#include "store/file_text.h"
#include "store/store_error.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace gearsel {

namespace {

// Splits one line into fields; false for a quote that does not end, or text after one.
bool splitFields(std::string_view line, std::vector<std::string>& fields) {
    fields.clear();
    std::size_t pos = 0;
    while (true) {
        const std::size_t start = line.find_first_not_of(" \t", pos);
        std::string field;
        if (start != std::string_view::npos && line[start] == '"') {
            std::size_t i = start + 1;
            while (true) {
                if (i >= line.size()) {
                    return false;
                }
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.push_back(line[i++]);
            }
            // Blanks may follow the closing quote; anything else belongs to no field.
            const std::size_t next = line.find_first_not_of(" \t", i);
            if (next != std::string_view::npos && line[next] != ',') {
                return false;
            }
            pos = next;
        } else {
            const std::size_t comma = line.find(',', pos);
            field = std::string(trimmed(line.substr(pos, comma - pos)));
            pos = comma;
        }
        fields.push_back(std::move(field));
        if (pos == std::string_view::npos) {
            return true;
        }
        ++pos;
    }
}

// A refusal of line `line` of `source`.
StoreProblem refusal(StoreProblem::Kind kind, const std::string& source, int line) {
    return StoreProblem{.kind = kind, .file = source, .line = line};
}

// The field as a 16-bit whole number; refused with `kind` (the Zn's or a tooth count's).
std::int16_t parseInt16(const std::string& field, const std::string& source, int line,
                        StoreProblem::Kind kind) {
    int value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size() ||
        value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        StoreProblem problem = refusal(kind, source, line);
        problem.value = field;
        throw StoreError(std::move(problem));
    }
    return static_cast<std::int16_t>(value);
}

// Sets the constant that the field "key=value" gives; throws StoreError for an unknown key, a
// key given before on the line, or a value no formula takes.
void readConstant(std::string_view field, NewMachine& machine, const std::string& source,
                  int line) {
    using Kind = StoreProblem::Kind;
    const auto equals = field.find('=');
    const std::string key(trimmed(field.substr(0, equals)));
    const std::string value(trimmed(field.substr(equals + 1)));
    const auto refused = [&](Kind kind) {
        StoreProblem problem = refusal(kind, source, line);
        problem.key = key;
        return problem;
    };
    const auto constant = constantKeyNamed(key);
    if (!constant) {
        throw StoreError(refused(Kind::ListUnknownConstant));
    }
    if (constantText(machine.constants, *constant)) {
        throw StoreError(refused(Kind::ListConstantTwice));
    }
    try {
        setConstantText(machine.constants, *constant, value);
    } catch (const ValueRefused& e) {
        StoreProblem problem = refused(Kind::ListConstantRefused);
        problem.value = value;
        problem.why = e.problem();
        throw StoreError(std::move(problem));
    }
}

bool needsQuotes(const std::string& name) {
    return name.empty() || name.find_first_of(",\"") != std::string::npos || name.front() == '#' ||
           name.front() == ' ' || name.front() == '\t' || name.back() == ' ' || name.back() == '\t';
}

} // namespace

std::vector<NewMachine> parseMachineCsv(std::string_view text, const std::string& source) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    if (auto problem = textProblem(text)) {
        throw StoreError(
            {.kind = StoreProblem::Kind::ListNotText, .file = source, .text = std::move(problem)});
    }
    std::vector<NewMachine> machines;
    std::vector<std::string> fields;
    int lineNumber = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string_view content = trimmed(line);
        if (content.empty() || content.front() == '#') {
            continue;
        }
        if (!splitFields(line, fields)) {
            throw StoreError(refusal(StoreProblem::Kind::ListQuoteOpen, source, lineNumber));
        }
        if (fields.size() < 2) {
            throw StoreError(refusal(StoreProblem::Kind::ListWithoutZn, source, lineNumber));
        }
        // Spreadsheets fill short rows with empty cells up to the longest row.
        while (fields.size() > 2 && fields.back().empty()) {
            fields.pop_back();
        }
        NewMachine machine;
        machine.name = fields[0];
        machine.zn = parseInt16(fields[1], source, lineNumber, StoreProblem::Kind::ListZnNotInt16);
        for (std::size_t f = 2; f < fields.size(); ++f) {
            if (fields[f].find('=') != std::string::npos) {
                readConstant(fields[f], machine, source, lineNumber);
                continue;
            }
            machine.gears.push_back(
                parseInt16(fields[f], source, lineNumber, StoreProblem::Kind::ListToothNotInt16));
        }
        machines.push_back(std::move(machine));
    }
    return machines;
}

std::string machineCsvLine(const NewMachine& machine) {
    std::string line;
    if (needsQuotes(machine.name)) {
        line.push_back('"');
        for (const char c : machine.name) {
            if (c == '"') {
                line.push_back('"');
            }
            line.push_back(c);
        }
        line.push_back('"');
    } else {
        line = machine.name;
    }
    line += "," + std::to_string(machine.zn);
    for (const std::int16_t tooth : machine.gears) {
        line += "," + std::to_string(tooth);
    }
    for (const ConstantKey key : kConstantKeys) {
        if (const auto text = constantText(machine.constants, key)) {
            line += "," + std::string(constantName(key)) + "=" + *text;
        }
    }
    line.push_back('\n');
    return line;
}

} // namespace gearsel
