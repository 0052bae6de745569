// SPDX-License-Identifier: GPL-3.0-or-later
// Every gearsel-cli example of the README runs as written, so that the README cannot drift from
// the program. The examples are the lines that start with "gearsel-cli" in the README's code
// blocks marked ```sh (or ```bash, or no language at all); a line ending in a backslash goes
// on with the next. Each block runs in a folder of its own with a gearsel-cli whose data file
// is a fresh copy of the default data, its lines in order, so one line may use a file that an
// earlier line of its block wrote. A line marked with the comment "# fails" must be refused as
// bad input is (status 2, one line on stderr, nothing on stdout); one marked "# not run" is
// skipped. Every other line must end with status 0.

#include "cli_run.h"
#include "lib_bytes.h"

#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace gearsel {
namespace {

struct Example {
    int line = 0;        // in the README, from 1
    int block = 0;       // the code block it stands in, from 1
    std::string command; // as written, continuation lines joined
    bool fails = false;
    bool run = true;
};

// The gearsel-cli examples of `readme` in the order they stand.
std::vector<Example> examplesOf(const std::string& readme) {
    static const std::regex fence(R"(^\s*```\s*([A-Za-z]*)\s*$)");
    static const std::regex fails(R"(#\s*fails\b)");
    static const std::regex notRun(R"(#\s*not run\b)");
    std::vector<Example> examples;
    std::istringstream lines(readme);
    std::string line;
    int number = 0;
    int blocks = 0;
    bool inBlock = false;
    bool runnable = false;
    while (std::getline(lines, line)) {
        ++number;
        std::smatch match;
        if (std::regex_match(line, match, fence)) {
            inBlock = !inBlock;
            if (inBlock) {
                const std::string language = match[1];
                runnable = language.empty() || language == "sh" || language == "bash";
                ++blocks;
            }
            continue;
        }
        const auto start = line.find_first_not_of(" \t");
        if (!inBlock || !runnable || start == std::string::npos ||
            line.compare(start, 12, "gearsel-cli ") != 0) {
            continue;
        }
        Example example{number, blocks, line.substr(start)};
        while (!example.command.empty() && example.command.back() == '\\' &&
               std::getline(lines, line)) {
            ++number;
            example.command += "\n" + line; // the shell goes on after the backslash, too
        }
        example.fails = std::regex_search(example.command, fails);
        example.run = !std::regex_search(example.command, notRun);
        examples.push_back(std::move(example));
    }
    return examples;
}

TEST(ReadmeExamplesTest, FindsTheExamplesAndTheirMarks) {
    const std::string readme = "Text with `gearsel-cli inline` is no example.\n"
                               "```sh\n"
                               "make run\n"
                               "gearsel-cli machines list\n"
                               "  gearsel-cli select --gears 20,30 \\\n"
                               "    --ratio 1.5\n"
                               "gearsel-cli machines show Nope   # fails: no such machine\n"
                               "```\n"
                               "```text\n"
                               "gearsel-cli select (--gears LIST | --machine M)\n"
                               "```\n"
                               "```\n"
                               "gearsel-cli machines delete 1   # not run: it would go\n"
                               "```\n";
    const std::vector<Example> examples = examplesOf(readme);
    ASSERT_EQ(examples.size(), 4U);
    EXPECT_EQ(examples[0].command, "gearsel-cli machines list");
    EXPECT_EQ(examples[1].line, 5);
    EXPECT_EQ(examples[1].command, "gearsel-cli select --gears 20,30 \\\n    --ratio 1.5");
    EXPECT_TRUE(examples[2].fails);
    EXPECT_EQ(examples[2].block, 1);
    EXPECT_FALSE(examples[3].run);
    EXPECT_EQ(examples[3].block, 3);
}

class ReadmeExamplesRunTest : public test::FolderTest {};

TEST_F(ReadmeExamplesRunTest, EveryExampleRunsAsWrittenOnTheDefaultData) {
    const std::vector<Example> examples = examplesOf(test::readFile(GEARSEL_README));
    // The README shows at least the selection, a formula, the machines and a backup.
    ASSERT_GE(examples.size(), 8U) << "the README's examples were not found";
    std::filesystem::path program;
    int block = 0;
    for (const Example& example : examples) {
        if (!example.run) {
            continue;
        }
        if (example.block != block) {
            block = example.block;
            const std::filesystem::path folder = dir / ("block" + std::to_string(block));
            std::filesystem::create_directories(folder / "work");
            program = test::portableCli(folder);
        }
        // The examples name the program as a user types it; it is found on the PATH.
        const std::string command =
            "export PATH=" + test::shellQuoted(program.parent_path().string()) + ":\"$PATH\"; " +
            "cd " + test::shellQuoted((program.parent_path().parent_path() / "work").string()) +
            " && " + example.command;
        const std::string base = (dir / "run").string();
        const int status = std::system(("timeout -k 5 120 sh -c " + test::shellQuoted(command) +
                                        " >" + base + ".out 2>" + base + ".err")
                                           .c_str());
        const test::CliRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                               test::readFile(base + ".out"), test::readFile(base + ".err")};
        const std::string where =
            "README.md line " + std::to_string(example.line) + ": " + example.command;
        if (example.fails) {
            EXPECT_TRUE(test::refusedWith(run, "gearsel-cli: ")) << where;
        } else {
            // A note on stderr (a ratio out of reach, say) goes with a success.
            EXPECT_EQ(run.status, 0) << where << "\n" << run.err;
        }
    }
}

} // namespace
} // namespace gearsel
