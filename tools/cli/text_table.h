// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain-text table for the terminal, with columns padded to the width of their widest cell.
// Chinese characters take two terminal columns, which the padding accounts for.

#include <string>
#include <string_view>
#include <vector>

namespace gearsel::cli {

// Terminal columns that a UTF-8 text takes: two for East Asian wide characters, one for
// everything else.
std::size_t displayWidth(std::string_view utf8);

class TextTable {
public:
    void addRow(std::vector<std::string> cells);
    // Every row on its own line; cells left-aligned and separated by one blank.
    std::string render() const;

private:
    std::vector<std::vector<std::string>> rows_;
};

} // namespace gearsel::cli
