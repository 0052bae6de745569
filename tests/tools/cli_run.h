#pragma once
// Runs the gearsel-cli binary as a user would, capturing what it prints and its exit status.

#include <gtest/gtest.h>
#include <string>

namespace gearsel::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the CLI with `args` (already shell-quoted where needed), capturing both streams.
CliRun runCli(const std::string& args);

// Whether the run was refused as every bad input must be: status 2, nothing on stdout and
// exactly one line on stderr that contains `mentions`.
::testing::AssertionResult refusedWith(const CliRun& run, const std::string& mentions);

// `text` quoted for the shell.
std::string shellQuoted(const std::string& text);

} // namespace gearsel::test
