// SPDX-License-Identifier: GPL-3.0-or-later
// gearsel-window-shot: pictures of the window for people to look at, taken without a screen.
// It opens the window offscreen over a data file, as the program would show it, and saves
// the main face after its first search and the gear-set editor open on the first machine.
//
//   gearsel-window-shot DATA_FILE FACE.png [EDITOR.png]

#include "store/machine_store.h"
#include "store/store_error.h"
#include "ui/clickable_label.h"
#include "ui/gear_sel.h"
#include "ui/main_face.h"
#include "ui/prompter.h"
#include "ui/qt_translation.h"
#include "ui/ui_style.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

// Nobody answers questions here: every dialog is declined and every message goes to stderr.
class QuietPrompter : public gearsel::Prompter {
public:
    void inform(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool askYesNo(const QString&, Icon) override { return false; }
    std::optional<QString> askText(const QString&, const QString&) override { return {}; }
    std::optional<QString> askSavePath(const QString&, const QString&, const QString&) override {
        return {};
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s DATA_FILE FACE.png [EDITOR.png]\n", argv[0]);
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    gearsel::style::installFontSubstitutions();
    gearsel::installQtChineseTranslation(app);
    QuietPrompter prompter;
    std::optional<gearsel::GearSel> window;
    try {
        window.emplace(gearsel::MachineStore::open(argv[1]), prompter, gearsel::TwipsScale(15, 15),
                       gearsel::RandomSource());
    } catch (const gearsel::StoreError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    window->show();
    window->activateWindow();
    int status = 0;
    // The first search runs once the window is active; the pictures are taken after it.
    QTimer::singleShot(200, [&] {
        if (!window->grab().save(QString::fromLocal8Bit(argv[2]))) {
            std::fprintf(stderr, "cannot write %s\n", argv[2]);
            status = 1;
        }
        if (argc == 4) {
            Q_EMIT window->face().commands().LabXgCsTab->clicked();
            if (!window->grab().save(QString::fromLocal8Bit(argv[3]))) {
                std::fprintf(stderr, "cannot write %s\n", argv[3]);
                status = 1;
            }
        }
        QApplication::quit();
    });
    QApplication::exec();
    return status;
}
