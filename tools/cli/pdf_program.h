// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// gearsel-cli's way to a PDF file. Writing one needs Qt, whose libraries take most of a
// command's start-up, so gearsel-cli has no PDF writer: it runs its own command line in
// gearsel-cli-pdf, the same program with the PDF writer and Qt, in place of itself. Every other
// command starts without Qt.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gearsel::cli {

// The name of the program with the PDF writer.
inline constexpr std::string_view kPdfProgramName = "gearsel-cli-pdf";

// Where the program with the PDF writer may lie, in the order they are tried: beside this
// program (the build folder, a program folder copied as a whole), then in the installed folder
// of helper programs. `exeFolder` is this program's folder.
std::vector<std::filesystem::path> pdfProgramPlaces(const std::filesystem::path& exeFolder);

// A command line `args` (the program first) with "--lib FILE" put right after the first
// argument `command`; unchanged when `lib` is empty.
std::vector<std::string> withDataFile(std::vector<std::string> args, std::string_view command,
                                      const std::string& lib);

// Runs this process's command line in the program with the PDF writer, in place of this one.
// `lib` is the data file this program found for --machine, or empty: the other program lies in
// another folder and would look for it elsewhere. Returns only by throwing UsageError when no
// such program can be started.
[[noreturn]] void runInPdfProgram(std::string_view command, const std::string& lib);

} // namespace gearsel::cli
