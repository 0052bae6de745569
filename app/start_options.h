// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window program's command line asks for: open the window, on the data file given
// with --lib or else on the one the usual rule finds, in the language --lang names or the locale's,
// or print the usage notes or the version and end without a window. Every other argument is left
// for Qt, which takes its own
// (-platform, -style, ...); what Qt does not take either is refused after Qt has looked.

#include <filesystem>
#include <string>
#include <vector>

namespace gearsel {

struct StartOptions {
    enum class Action { OpenWindow, PrintHelp, PrintVersion, Refuse };
    Action action = Action::OpenWindow;
    std::filesystem::path dataFile;       // --lib FILE; empty for the usual place
    std::string language;                 // --lang: "en" or "zh"; empty for the locale's
    std::string problem;                  // for Refuse: one line that says what is wrong
    std::vector<std::string> qtArguments; // the program's name, then what is not ours
};

// Reads `arguments` (the program's name first). --help or --version anywhere wins over
// everything else, as a user who adds it to a failing command line expects.
StartOptions parseStartOptions(const std::vector<std::string>& arguments);

// The usage notes of --help: one screen, lines of at most 80 columns.
std::string startUsage();

// The line --version prints, e.g. "gearsel 0.1.0".
std::string versionLine();

// An argument as a message may show it: control characters (ESC, CR, BEL, DEL, ...) written as
// \x1b and the like, so that an argument can neither send terminal escapes nor break the line.
std::string shownArgument(const std::string& argument);

} // namespace gearsel
