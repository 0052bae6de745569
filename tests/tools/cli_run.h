// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the gearsel-cli binary as a user would, capturing what it prints and its exit status.

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gearsel::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `gearsel-cli ARGS` through the shell (quote ARGS as on a command line) in `folder`, or
// in the current folder when it is empty; `program` instead of the built gearsel-cli when given.
CliRun runCli(const std::string& args, const std::filesystem::path& folder = {},
              const std::filesystem::path& program = {});

// Starts `gearsel-cli ARGS` for every entry of `argsList` at once, as two scripts started
// together would, and waits for all of them.
std::vector<CliRun> runCliTogether(const std::vector<std::string>& argsList,
                                   const std::filesystem::path& folder = {},
                                   const std::filesystem::path& program = {});

// A gearsel-cli of its own in `folder`/bin (a hard link to the built one, or a copy) with a
// data file beside it written from the default machines, so that without --lib it uses that
// file and never the build's own. Returns the program's path.
std::filesystem::path portableCli(const std::filesystem::path& folder);

// Whether the run was refused as every bad input must be: status 2, nothing on stdout and
// exactly one line on stderr that contains `mentions`.
::testing::AssertionResult refusedWith(const CliRun& run, const std::string& mentions);

// `text` quoted for the shell.
std::string shellQuoted(const std::string& text);

// What the shell command `command` writes on stdout, run in `folder` (such as pdfinfo or
// pdftotext on a printed file).
std::string commandOutput(const std::string& command, const std::filesystem::path& folder);

} // namespace gearsel::test
