// SPDX-License-Identifier: GPL-3.0-or-later
// The window program's command line: which file the window opens, what is left for Qt, what
// is refused, and the usage notes and version line it prints instead of opening a window.

#include "app/start_options.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

using gearsel::StartOptions;
using Action = StartOptions::Action;
using Arguments = std::vector<std::string>;

struct StartCase {
    const char* name;
    Arguments arguments; // after the program's name
    Action action;
    std::string dataFile;
    Arguments forQt; // after the program's name
};

// Names the row in test listings instead of its bytes.
void PrintTo(const StartCase& c, std::ostream* out) {
    *out << c.name;
}

class StartOptionsTest : public testing::TestWithParam<StartCase> {};

TEST_P(StartOptionsTest, ReadsTheCommandLine) {
    const StartCase& c = GetParam();
    Arguments arguments{"gearsel"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const StartOptions options = gearsel::parseStartOptions(arguments);
    EXPECT_EQ(options.action, c.action);
    if (c.action == Action::Refuse) {
        // One line that starts with the program's name and points to the help.
        EXPECT_EQ(options.problem.rfind("gearsel: ", 0), 0U) << options.problem;
        EXPECT_NE(options.problem.find("--help"), std::string::npos) << options.problem;
        EXPECT_EQ(options.problem.find('\n'), std::string::npos) << options.problem;
        return;
    }
    EXPECT_TRUE(options.problem.empty()) << options.problem;
    if (c.action == Action::OpenWindow) {
        EXPECT_EQ(options.dataFile.string(), c.dataFile);
        Arguments forQt{"gearsel"};
        forQt.insert(forQt.end(), c.forQt.begin(), c.forQt.end());
        EXPECT_EQ(options.qtArguments, forQt);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartOptionsTest,
    testing::Values(
        StartCase{"Nothing", {}, Action::OpenWindow, "", {}},
        StartCase{"Lib",
                  {"--lib", "/srv/shop/system.lib"},
                  Action::OpenWindow,
                  "/srv/shop/system.lib",
                  {}},
        StartCase{"LibWithEquals", {"--lib=shop.lib"}, Action::OpenWindow, "shop.lib", {}},
        StartCase{
            "LibNamedLikeAnOption", {"--lib", "-platform"}, Action::OpenWindow, "-platform", {}},
        StartCase{"QtOptionsPassOn",
                  {"-platform", "offscreen", "--lib", "a.lib", "-style", "fusion"},
                  Action::OpenWindow,
                  "a.lib",
                  {"-platform", "offscreen", "-style", "fusion"}},
        StartCase{"StrayWordsGoToQtToBeJudged", {"a.lib"}, Action::OpenWindow, "", {"a.lib"}},
        StartCase{"Help", {"--help"}, Action::PrintHelp, "", {}},
        StartCase{"ShortHelp", {"-h"}, Action::PrintHelp, "", {}},
        StartCase{"Version", {"--version"}, Action::PrintVersion, "", {}},
        StartCase{"HelpWinsOverAnError", {"--lib", "", "--help"}, Action::PrintHelp, "", {}},
        StartCase{"VersionAfterLib", {"--lib", "a.lib", "--version"}, Action::PrintVersion, "", {}},
        StartCase{"LibWithoutFile", {"--lib"}, Action::Refuse, "", {}},
        StartCase{"LibEmpty", {"--lib", ""}, Action::Refuse, "", {}},
        StartCase{"LibEqualsEmpty", {"--lib="}, Action::Refuse, "", {}},
        StartCase{"LibTwice", {"--lib", "a.lib", "--lib", "b.lib"}, Action::Refuse, "", {}}),
    [](const testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

TEST(StartOptionsLanguageTest, LangChoosesTheWindowsLanguage) {
    const struct {
        const char* name;
        Arguments arguments;  // after the program's name
        const char* language; // null for a refusal
    } rows[] = {
        {"none: the locale decides", {"--lib", "a.lib"}, ""},
        {"English", {"--lang", "en"}, "en"},
        {"Chinese with equals", {"--lang=zh", "--lib", "a.lib"}, "zh"},
        {"beside Qt's options", {"-platform", "offscreen", "--lang", "en"}, "en"},
        {"a locale name is not a language of ours", {"--lang", "en_US"}, nullptr},
        {"French", {"--lang", "fr"}, nullptr},
        {"without a value", {"--lang"}, nullptr},
        {"empty", {"--lang="}, nullptr},
        {"twice", {"--lang", "en", "--lang", "zh"}, nullptr},
    };
    for (const auto& row : rows) {
        Arguments arguments{"gearsel"};
        arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
        const StartOptions options = gearsel::parseStartOptions(arguments);
        if (row.language == nullptr) {
            EXPECT_EQ(options.action, Action::Refuse) << row.name;
            EXPECT_NE(options.problem.find("--lang"), std::string::npos) << row.name;
            continue;
        }
        EXPECT_EQ(options.action, Action::OpenWindow) << row.name << ": " << options.problem;
        EXPECT_EQ(options.language, row.language) << row.name;
        // The option and its value are ours: Qt never sees them.
        for (const std::string& argument : options.qtArguments) {
            EXPECT_EQ(argument.find("--lang"), std::string::npos) << row.name;
            EXPECT_NE(argument, "en") << row.name;
        }
    }
}

// Columns a line takes on a terminal: a Chinese character takes two.
std::size_t columns(const std::string& line) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < line.size();) {
        const auto lead = static_cast<unsigned char>(line[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        count += length >= 3 ? 2 : 1;
        i += length;
    }
    return count;
}

TEST(StartUsageTest, FitsOneScreenAndNamesEveryOption) {
    const std::string usage = gearsel::startUsage();
    std::istringstream lines(usage);
    std::size_t count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_LE(columns(line), 80U) << line;
    }
    EXPECT_LE(count, 24U);
    for (const char* part :
         {"--lib FILE", "--lang en|zh", "--help", "--version", "GearSel", "挂轮选配"}) {
        EXPECT_NE(usage.find(part), std::string::npos) << part;
    }
}

TEST(StartUsageTest, ArgumentsAreShownWithoutControlCharacters) {
    const struct {
        const char* name;
        std::string argument;
        std::string shown;
    } rows[] = {
        {"escape sequence", "a\x1b[31mb", "a\\x1b[31mb"},
        {"carriage return and bell", "x\r\ay", "x\\x0d\\x07y"},
        {"delete", "\x7f", "\\x7f"},
        {"Chinese and spaces stay", "机床 1.lib", "机床 1.lib"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(gearsel::shownArgument(row.argument), row.shown) << row.name;
    }
}

TEST(StartUsageTest, VersionIsTheProjectVersion) {
    EXPECT_EQ(gearsel::versionLine(), "gearsel " GEARSEL_PROJECT_VERSION "\n");
}

} // namespace
