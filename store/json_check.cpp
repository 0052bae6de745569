// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/json_check.h"

#include "store/file_text.h"
#include "store/json_depth.h"

#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>

namespace gearsel {

namespace {

// One array or object open at the point of the scan.
struct Frame {
    bool object = false;
    bool expectKey = false;    // an object after '{' or ','
    bool valueStarted = false; // an array whose current element has begun
    int elements = 0;          // an array's elements so far
    std::size_t outline = 0;   // an object's place in the outline
};

// The syntax error that nlohmann's parser found, in words without its prefix and without the
// text it last read (which may be long and is shown escaped in any case).
std::string syntaxReason(const std::string& what) {
    std::string reason = what;
    if (const auto colon = reason.find(": "); colon != std::string::npos) {
        reason.erase(0, colon + 2);
    }
    if (const auto lastRead = reason.find("; last read:"); lastRead != std::string::npos) {
        const auto expected = reason.find("; expected", lastRead);
        reason.erase(lastRead,
                     expected == std::string::npos ? std::string::npos : expected - lastRead);
    }
    return reason;
}

// Scans the tokens of `text` (which need not be valid JSON) for the objects, their keys and
// numbers; returns the first key found twice or number beyond the range of doubles.
std::optional<TextProblem> scan(std::string_view text, JsonOutline& outline) {
    std::vector<Frame> frames;
    int line = 1;
    const auto startValue = [&] {
        if (!frames.empty() && !frames.back().object && !frames.back().valueStarted) {
            frames.back().valueStarted = true;
            return frames.back().elements++;
        }
        return -1;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
        } else if (c == '{') {
            const int element = startValue();
            outline.push_back({line, static_cast<int>(frames.size()), element, {}});
            frames.push_back({true, true, false, 0, outline.size() - 1});
        } else if (c == '[') {
            startValue();
            frames.push_back({false, false, false, 0, 0});
        } else if ((c == '}' || c == ']') && !frames.empty()) {
            frames.pop_back();
        } else if (c == ',' && !frames.empty()) {
            frames.back().expectKey = frames.back().object;
            frames.back().valueStarted = false;
        } else if (c == '"') {
            std::size_t end = i + 1;
            while (end < text.size() && text[end] != '"' && text[end] != '\n') {
                end += text[end] == '\\' ? 2 : 1;
            }
            if (end >= text.size() || text[end] != '"') {
                return std::nullopt; // a string that does not end: the parser says where
            }
            const std::string_view token = text.substr(i, end - i + 1);
            i = end;
            if (frames.empty() || !frames.back().object || !frames.back().expectKey) {
                startValue();
                continue;
            }
            frames.back().expectKey = false;
            const auto decoded = nlohmann::json::parse(token, nullptr, false);
            const std::string name =
                decoded.is_string() ? decoded.get<std::string>() : std::string(token);
            auto& keys = outline[frames.back().outline].keys;
            for (const JsonKey& key : keys) {
                if (key.name == name) {
                    TextProblem problem{TextProblem::Kind::KeyTwice, line};
                    problem.firstLine = key.line;
                    problem.detail = name;
                    return problem;
                }
            }
            keys.push_back({name, line});
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            startValue();
            std::size_t end = i + 1;
            while (end < text.size() &&
                   std::string_view("0123456789.eE+-").find(text[end]) != std::string_view::npos) {
                ++end;
            }
            const std::string number(text.substr(i, end - i));
            i = end - 1;
            if (std::isinf(std::strtod(number.c_str(), nullptr))) {
                TextProblem problem{TextProblem::Kind::NumberTooLarge, line};
                problem.detail = number;
                return problem;
            }
        } else if (c == 't' || c == 'f' || c == 'n') {
            startValue();
        }
    }
    return std::nullopt;
}

} // namespace

int JsonObjectOutline::lineOf(std::string_view name) const {
    for (const JsonKey& key : keys) {
        if (key.name == name) {
            return key.line;
        }
    }
    return line;
}

std::optional<TextProblem> checkJson(std::string_view text, int maxDepth, JsonOutline& outline) {
    outline.clear();
    if (auto problem = textProblem(text)) {
        return problem;
    }
    if (jsonNestsDeeperThan(text, maxDepth)) {
        TextProblem problem{TextProblem::Kind::TooDeep};
        problem.limit = maxDepth;
        return problem;
    }
    if (auto problem = scan(text, outline)) {
        outline.clear();
        return problem;
    }
    try {
        const nlohmann::json parsed = nlohmann::json::parse(text);
        static_cast<void>(parsed);
    } catch (const nlohmann::json::parse_error& e) {
        outline.clear();
        // The byte the parser stopped at, counted from 1.
        const std::size_t at = e.byte > 0 ? e.byte - 1 : 0;
        const int line = lineAt(text, at);
        const std::size_t lineStart =
            at == 0 ? 0 : text.rfind('\n', std::min(at, text.size()) - 1) + 1;
        TextProblem problem{TextProblem::Kind::NotJson, line};
        problem.column = static_cast<int>(at - std::min(lineStart, at) + 1);
        problem.detail = syntaxReason(e.what());
        return problem;
    }
    return std::nullopt;
}

std::vector<const JsonObjectOutline*> arrayObjects(const JsonOutline& outline, int depth) {
    std::vector<const JsonObjectOutline*> objects;
    for (const JsonObjectOutline& object : outline) {
        if (object.depth != depth || object.element < 0) {
            continue;
        }
        const auto place = static_cast<std::size_t>(object.element);
        if (objects.size() <= place) {
            objects.resize(place + 1, nullptr);
        }
        objects[place] = &object;
    }
    return objects;
}

} // namespace gearsel
