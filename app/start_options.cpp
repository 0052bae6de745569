// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_options.h"

#include "base/version.h"

#include <optional>
#include <string_view>

namespace gearsel {

namespace {

StartOptions refuse(std::string problem) {
    StartOptions refused;
    refused.action = StartOptions::Action::Refuse;
    refused.problem = "gearsel: " + std::move(problem) + "; gearsel --help lists the options";
    return refused;
}

// The value of `option` ("--lib") when `arguments[i]` is it, as "--lib FILE" (which moves `i`
// on to FILE) or "--lib=FILE"; nothing when the argument is another one. A missing value is
// an empty one.
std::optional<std::string> valueOf(std::string_view option,
                                   const std::vector<std::string>& arguments, std::size_t& i) {
    const std::string& argument = arguments[i];
    if (argument == option) {
        return i + 1 < arguments.size() ? arguments[++i] : std::string();
    }
    if (argument.size() > option.size() && argument.starts_with(option) &&
        argument[option.size()] == '=') {
        return argument.substr(option.size() + 1);
    }
    return std::nullopt;
}

} // namespace

StartOptions parseStartOptions(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--help" || arguments[i] == "-h") {
            return StartOptions{StartOptions::Action::PrintHelp, {}, {}, {}, {}};
        }
        if (arguments[i] == "--version") {
            return StartOptions{StartOptions::Action::PrintVersion, {}, {}, {}, {}};
        }
    }
    StartOptions options;
    if (!arguments.empty()) {
        options.qtArguments.push_back(arguments.front());
    }
    bool libGiven = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (const std::optional<std::string> file = valueOf("--lib", arguments, i)) {
            if (libGiven) {
                return refuse("--lib is given more than once");
            }
            if (file->empty()) {
                return refuse("--lib needs a data file");
            }
            libGiven = true;
            options.dataFile = *file;
        } else if (const std::optional<std::string> language = valueOf("--lang", arguments, i)) {
            if (!options.language.empty()) {
                return refuse("--lang is given more than once");
            }
            if (*language != "en" && *language != "zh") {
                return refuse("--lang takes en or zh, not '" + shownArgument(*language) + "'");
            }
            options.language = *language;
        } else {
            options.qtArguments.push_back(arguments[i]);
        }
    }
    return options;
}

std::string startUsage() {
    return std::string("Usage: gearsel [--lib FILE] [--lang en|zh]\n"
                       "       gearsel --help | --version\n"
                       "\n") +
           kProductName + " (" + kProductNameChinese +
           ") selects change gears for lathes and gear hobbing machines.\n"
           "It opens its window on a data file, system.lib, that keeps the machines and\n"
           "their gear sets.\n"
           "\n"
           "  --lib FILE   open FILE as the data file instead of the usual one, for example\n"
           "               one system.lib that everyone in a workshop shares\n"
           "  --lang en|zh the window in English or in Chinese; without it the locale\n"
           "               decides (LANGUAGE, LC_ALL, LC_MESSAGES, LANG): English where it\n"
           "               asks for English, Chinese otherwise\n"
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
