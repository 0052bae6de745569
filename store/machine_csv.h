// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Machines as lines of text, for the readable source of the default data file, for backups
// and for spreadsheets: one machine a line, "name,Zn,tooth,tooth,...", then the machine's
// constants as fields "key=value" ("leadscrew=12mm,gearbox=1/2"; the keys of the constants
// file: leadscrew, gearbox, k, c, n). Blank lines and lines whose first character (after
// blanks) is an unquoted '#' are comments. A field may be quoted with '"' (a quote inside
// written twice); unquoted fields lose surrounding blanks.

#include "store/new_machine.h"

#include <string>
#include <string_view>
#include <vector>

namespace gearsel {

// Reads every machine of `text`. Numbers must be whole and fit 16 bits; ranges are checked
// when the machines are stored. A constant must be one the formulas take, each at most once a
// line. Throws StoreError naming `source` and the line of the first problem, also for text
// that is no UTF-8 (UTF-16, say). A UTF-8 byte-order mark and Windows line ends are accepted.
std::vector<NewMachine> parseMachineCsv(std::string_view text, const std::string& source);

// One machine as a line of that format, with its known constants, ending in a line feed; the
// name is quoted when it needs to be.
std::string machineCsvLine(const NewMachine& machine);

} // namespace gearsel
