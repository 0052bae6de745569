// The program's start: find system.lib (beside the executable, or the user's own copy made from
// the installed default data), make it writable and open the window. Without any file the
// program ends at once, silently.

#include "store/data_file.h"
#include "store/data_location.h"
#include "store/machine_store.h"
#include "store/store_error.h"
#include "ui/gear_sel.h"
#include "ui/guarded_application.h"
#include "ui/prompter.h"
#include "ui/qt_translation.h"
#include "ui/ui_style.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <string>

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

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path dataFile;
    std::string locateFailure; // e.g. the copy of the default data could not be made
    try {
        dataFile = gearsel::locateDataFile(gearsel::currentDataPlaces());
    } catch (const gearsel::StoreError& error) {
        locateFailure = error.what();
    }
    if (dataFile.empty() && locateFailure.empty()) {
        return 0;
    }
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "gearsel: no display found; start it on a desktop, or headless "
                     "with xvfb-run -a %s\n",
                     argv[0]);
        return kNoDisplay;
    }

    gearsel::GuardedApplication app(argc, argv);
    // The names the desktop matches the window with its menu entry and icon by.
    QApplication::setApplicationName(QStringLiteral("GearSel"));
    QApplication::setDesktopFileName(QStringLiteral(GEARSEL_APP_ID));
    gearsel::style::installFontSubstitutions();
    gearsel::installQtChineseTranslation(app);
    gearsel::MessageBoxPrompter prompter(nullptr);
    app.setPrompter(&prompter);
    if (!locateFailure.empty()) {
        prompter.inform(QString::fromStdString(locateFailure));
        return 1;
    }
    try {
        gearsel::makeWritable(dataFile);
    } catch (const gearsel::StoreError& error) {
        // The file can still be read; the first save will report the same cause.
        prompter.inform(QString::fromStdString(error.what()));
    }

    std::optional<gearsel::MachineStore> store;
    try {
        store.emplace(gearsel::MachineStore::open(dataFile.string()));
    } catch (const gearsel::StoreError& error) {
        prompter.inform(QString::fromStdString(error.what()));
        return 1;
    }
    gearsel::GearSel window(std::move(*store), prompter, gearsel::TwipsScale::fromScreen(),
                            gearsel::RandomSource());
    window.show();
    // Ask for the focus too: without a window manager (a bare X server) nobody else gives it,
    // and the first search runs when the window first becomes active.
    window.activateWindow();
    return QApplication::exec();
}
