// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_options.h"

#include "base/version.h"

#include <string_view>

namespace gearsel {

namespace {

constexpr std::string_view kLibOption = "--lib";
constexpr std::string_view kLibPrefix = "--lib=";

StartOptions refuse(std::string problem) {
    StartOptions refused;
    refused.action = StartOptions::Action::Refuse;
    refused.problem = "gearsel: " + std::move(problem) + "; gearsel --help lists the options";
    return refused;
}

} // namespace

StartOptions parseStartOptions(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--help" || arguments[i] == "-h") {
            return StartOptions{StartOptions::Action::PrintHelp, {}, {}, {}};
        }
        if (arguments[i] == "--version") {
            return StartOptions{StartOptions::Action::PrintVersion, {}, {}, {}};
        }
    }
    StartOptions options;
    if (!arguments.empty()) {
        options.qtArguments.push_back(arguments.front());
    }
    bool libGiven = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::string file;
        if (argument == kLibOption) {
            if (i + 1 == arguments.size()) {
                return refuse("--lib needs a data file");
            }
            file = arguments[++i];
        } else if (argument.starts_with(kLibPrefix)) {
            file = argument.substr(kLibPrefix.size());
        } else {
            options.qtArguments.push_back(argument);
            continue;
        }
        if (libGiven) {
            return refuse("--lib is given more than once");
        }
        if (file.empty()) {
            return refuse("--lib needs a data file, not an empty name");
        }
        libGiven = true;
        options.dataFile = file;
    }
    return options;
}

std::string startUsage() {
    return std::string("Usage: gearsel [--lib FILE]\n"
                       "       gearsel --help | --version\n"
                       "\n") +
           kProductName + " (" + kProductNameChinese +
           ") selects change gears for lathes and gear hobbing machines.\n"
           "It opens its window on a data file, system.lib, that keeps the machines and\n"
           "their gear sets.\n"
           "\n"
           "  --lib FILE   open FILE as the data file instead of the usual one, for example\n"
           "               one system.lib that everyone in a workshop shares\n"
           "  --help       print this text and end\n"
           "  --version    print the version and end\n"
           "\n"
           "Without --lib the data file is the system.lib beside the program when there is\n"
           "one, otherwise the user's own $XDG_DATA_HOME/gearsel/system.lib (by default\n"
           "~/.local/share/gearsel/system.lib), made on the first start as a copy of the\n"
           "default data installed with the program. Qt's own options, such as\n"
           "-platform offscreen, are passed on to Qt.\n"
           "\n"
           "gearsel-cli does the same on the command line. See gearsel(1), gearsel-cli(1).\n";
}

std::string shownArgument(const std::string& argument) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    for (const char c : argument) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            shown += "\\x";
            shown += kHex[byte / 16];
            shown += kHex[byte % 16];
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string versionLine() {
    return std::string("gearsel ") + kVersion + "\n";
}

} // namespace gearsel
