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

void TextTable::reserve(std::size_t rows, std::size_t columns, std::size_t bytes) {
    text_.reserve(text_.size() + rows * bytes);
    cellEnds_.reserve(cellEnds_.size() + rows * columns);
    rowEnds_.reserve(rowEnds_.size() + rows);
}

void TextTable::addRow(std::span<const std::string> cells) {
    columnWidths_.resize(std::max(columnWidths_.size(), cells.size()), 0);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const std::size_t width = displayWidth(cells[c]);
        columnWidths_[c] = std::max(columnWidths_[c], width);
        text_ += cells[c];
        cellEnds_.push_back(static_cast<std::uint32_t>(text_.size()));
    }
    rowEnds_.push_back(cellEnds_.size());
}

void TextTable::print(std::ostream& out) const {
    // Written in blocks, not line by line nor as one text the size of the table.
    constexpr std::size_t kBlock = 1 << 16;
    std::string block;
    std::size_t cell = 0;
    std::size_t start = 0;
    for (const std::size_t rowEnd : rowEnds_) {
        const std::size_t lineStart = block.size();
        for (std::size_t c = 0; cell < rowEnd; ++c, ++cell) {
            if (c > 0) {
                block.push_back(' ');
            }
            const std::string_view text(text_.data() + start, cellEnds_[cell] - start);
            block += text;
            block.append(columnWidths_[c] - displayWidth(text), ' ');
            start = cellEnds_[cell];
        }
        const std::size_t last = block.find_last_not_of(' ');
        block.resize(last == std::string::npos || last < lineStart ? lineStart : last + 1);
        block.push_back('\n');
        if (block.size() >= kBlock) {
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            block.clear();
        }
    }
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
}

} // namespace gearsel::cli
