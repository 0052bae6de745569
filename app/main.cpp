// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start: read the command line (--help and --version print and end without a
// window), take the data file it names with --lib or find system.lib (beside the executable,
// or the user's own copy made from the installed default data), make it writable and open the
// window in the language --lang names or the locale asks for. Without any file the program ends at
// once, silently.

#include "app/start_options.h"
#include "base/version.h"
#include "present/store_problem_text.h"
#include "store/data_file.h"
#include "store/data_location.h"
#include "store/machine_store.h"
#include "store/store_error.h"
#include "ui/gear_sel.h"
#include "ui/guarded_application.h"
#include "ui/lock_wait_watch.h"
#include "ui/prompter.h"
#include "ui/ui_style.h"
#include "ui/window_language.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Exit status when there is no display to show the window on.
constexpr int kNoDisplay = 3;

// Qt ends the process when it finds no display; say so in one line instead.
bool displayAvailable() {
#if defined(Q_OS_LINUX)
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
           std::getenv("QT_QPA_PLATFORM") != nullptr;
#else
    return true;
#endif
}

// Exit status for a command line that is refused, and for output that cannot be written.
constexpr int kBadUsage = 2;

// Prints `text` on standard output; a failed write says so on stderr.
int printOut(const std::string& text) {
    if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
        std::fputs("gearsel: standard output cannot be written\n", stderr);
        return kBadUsage;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    gearsel::StartOptions options = gearsel::parseStartOptions({argv, argv + argc});
    switch (options.action) {
    case gearsel::StartOptions::Action::PrintHelp:
        return printOut(gearsel::startUsage());
    case gearsel::StartOptions::Action::PrintVersion:
        return printOut(gearsel::versionLine());
    case gearsel::StartOptions::Action::Refuse:
        std::fprintf(stderr, "%s\n", options.problem.c_str());
        return kBadUsage;
    case gearsel::StartOptions::Action::OpenWindow:
        break;
    }

    std::filesystem::path dataFile;
    // Why no data file was found, e.g. the copy of the default data could not be made.
    std::optional<gearsel::StoreProblem> locateFailure;
    if (!options.dataFile.empty()) {
        std::error_code ec;
        dataFile = std::filesystem::absolute(options.dataFile, ec);
        if (ec || !gearsel::dataFileExists(dataFile)) {
            std::fprintf(stderr, "gearsel: --lib %s: no data file there\n",
                         gearsel::shownArgument(options.dataFile.string()).c_str());
            return kBadUsage;
        }
    } else {
        try {
            dataFile = gearsel::locateDataFile(gearsel::currentDataPlaces());
        } catch (const gearsel::StoreError& error) {
            locateFailure = error.problem();
        }
        if (dataFile.empty() && !locateFailure) {
            return 0;
        }
    }
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "gearsel: no display found; start it on a desktop, or headless "
                     "with xvfb-run -a %s\n",
                     argv[0]);
        return kNoDisplay;
    }

    // Qt takes its own options out of what is left; anything it leaves is refused.
    std::vector<char*> qtArgv;
    for (std::string& argument : options.qtArguments) {
        qtArgv.push_back(argument.data());
    }
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(options.qtArguments.size());
    gearsel::GuardedApplication app(qtArgc, qtArgv.data());
    if (const QStringList rest = QApplication::arguments(); rest.size() > 1) {
        std::fprintf(stderr, "gearsel: unknown argument %s; gearsel --help lists the options\n",
                     gearsel::shownArgument(rest.at(1).toStdString()).c_str());
        return kBadUsage;
    }
    // The names the desktop matches the window with its menu entry and icon by.
    QApplication::setApplicationName(QString::fromUtf8(gearsel::kProductName));
    QApplication::setApplicationVersion(QString::fromUtf8(gearsel::kVersion));
    QApplication::setDesktopFileName(QStringLiteral(GEARSEL_APP_ID));
    gearsel::style::installFontSubstitutions();
    // --lang wins over the locale; a translation that cannot be loaded leaves the texts that
    // are built in (the window's Chinese, Qt's English), which is still a working window.
    const auto fromEnvironment = [](const char* name) { return std::getenv(name); };
    gearsel::installWindowLanguage(gearsel::languageNamed(options.language)
                                       .value_or(gearsel::languageFromLocale(fromEnvironment)));
    gearsel::MessageBoxPrompter prompter(nullptr);
    app.setPrompter(&prompter);
    // The store's problems are worded in the window's language, from here on.
    const auto worded = [](const gearsel::StoreProblem& problem) {
        return gearsel::windowSentence(
            gearsel::storeProblemText(problem, gearsel::windowLanguage()));
    };
    if (locateFailure) {
        prompter.inform(worded(*locateFailure));
        return 1;
    }
    try {
        gearsel::makeWritable(dataFile);
    } catch (const gearsel::StoreError& error) {
        // The file can still be read; the first save will report the same cause.
        prompter.inform(worded(error.problem()));
    }

    // The window shows the waits for the data file's lock that the store's changes meet.
    gearsel::LockWaitWatch lockWaits(gearsel::posixFileSystem());
    std::optional<gearsel::MachineStore> store;
    try {
        store.emplace(gearsel::MachineStore::open(dataFile.string(), lockWaits));
    } catch (const gearsel::StoreError& error) {
        prompter.inform(worded(error.problem()));
        return 1;
    }
    gearsel::GearSel window(std::move(*store), lockWaits, prompter,
                            gearsel::TwipsScale::fromScreen(), gearsel::RandomSource());
    window.show();
    // Ask for the focus too: without a window manager (a bare X server) nobody else gives it,
    // and the first search runs when the window first becomes active.
    window.activateWindow();
    return QApplication::exec();
}
