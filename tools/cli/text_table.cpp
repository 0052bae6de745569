// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/text_table.h"

#include <algorithm>

namespace gearsel::cli {

namespace {

// Decodes the code point that starts at `pos` and advances `pos` past it. Malformed bytes
// count as one character each.
char32_t nextCodePoint(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra > 0 && pos + static_cast<std::size_t>(extra) >= s.size()) {
        ++pos;
        return lead;
    }
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    ++pos;
    for (int i = 0; i < extra; ++i, ++pos) {
        cp = (cp << 6) | (static_cast<unsigned char>(s[pos]) & 0x3F);
    }
    return cp;
}

bool isWide(char32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
           (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
           (cp >= 0xFFE0 && cp <= 0xFFE6);
}

} // namespace

std::size_t displayWidth(std::string_view utf8) {
    std::size_t width = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        width += isWide(nextCodePoint(utf8, pos)) ? 2 : 1;
    }
    return width;
}

void TextTable::addRow(std::vector<std::string> cells) {
    rows_.push_back(std::move(cells));
}

std::string TextTable::render() const {
    std::vector<std::size_t> widths;
    for (const auto& row : rows_) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], displayWidth(row[c]));
        }
    }
    std::string out;
    for (const auto& row : rows_) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) {
                line.push_back(' ');
            }
            line += row[c];
            line.append(widths[c] - displayWidth(row[c]), ' ');
        }
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        out += line;
        out.push_back('\n');
    }
    return out;
}

} // namespace gearsel::cli
