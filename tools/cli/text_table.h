// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain-text table for the terminal, with columns padded to the width of their widest cell.
// Chinese characters take two terminal columns, which the padding accounts for.

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gearsel::cli {

// Terminal columns that a UTF-8 text takes: two for East Asian wide characters, one for
// everything else.
std::size_t displayWidth(std::string_view utf8);

class TextTable {
public:
    // Room for `rows` more rows of `columns` cells and about `bytes` bytes each, where a long
    // table's size is known ahead: it then holds its text once, not in a growing copy.
    void reserve(std::size_t rows, std::size_t columns, std::size_t bytes);
    void addRow(std::span<const std::string> cells);
    void addRow(std::initializer_list<std::string> cells) {
        addRow(std::span(cells.begin(), cells.size()));
    }
    // Every row on its own line; cells left-aligned and separated by one blank; no blanks at
    // a line's end.
    void print(std::ostream& out) const;

private:
    // The cells one after the other, each with where it ends: a long table costs little more
    // than its text.
    std::string text_;
    std::vector<std::uint32_t> cellEnds_;
    std::vector<std::size_t> rowEnds_; // where each row's cells end
    std::vector<std::size_t> columnWidths_;
};

} // namespace gearsel::cli
