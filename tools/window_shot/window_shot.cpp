// SPDX-License-Identifier: GPL-3.0-or-later
// gearsel-window-shot: pictures of the window for people to look at, taken without a screen.
// It opens the window offscreen over a data file, as the program would show it, with a fixed
// random seed (the same banner and starting ratio every time), and reaches each view as a user
// does, by clicks on the controls named as in the window's layout tables:
//
//   face.png     the main face after its first search
//   hover.png    the pointer over 选配, whose label turns red
//   focus.png    the keyboard focus on the result grid
//   editor.png   the gear-set editor open on the first machine
//   help.png     the usage notes
//   helper.png   the ratio helper on the first machine
//   chart.png    its chart page with the metric threads on a 6 mm leadscrew
//   buylist.png  which gear to buy for the starting ratio
//
//   gearsel-window-shot DATA_FILE FOLDER
//
// The window speaks the language the locale asks for, as the program does: LANGUAGE=en for
// the English pictures.

#include "present/store_problem_text.h"
#include "store/machine_store.h"
#include "store/store_error.h"
#include "ui/gear_sel.h"
#include "ui/lock_wait_watch.h"
#include "ui/prompter.h"
#include "ui/ui_style.h"
#include "ui/window_language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

using namespace gearsel;

// Nobody answers questions here: every dialog is declined and every message goes to stderr.
class QuietPrompter : public Prompter {
public:
    void inform(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool askYesNo(const QString&, Icon) override { return false; }
    std::optional<QString> askText(const QString&, const QString&) override { return {}; }
    std::optional<QString> askSavePath(const QString&, const QString&, const QString&) override {
        return {};
    }
};

class Photographer {
public:
    Photographer(QWidget& window, QString folder) : window_(window), folder_(std::move(folder)) {}

    // Saves a picture of `widget` as `name`.png in the folder.
    void take(QWidget& widget, const char* name) {
        QCoreApplication::processEvents();
        const QString path = QDir(folder_).filePath(QString::fromLatin1(name) + ".png");
        if (!widget.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            failed_ = true;
        }
    }
    // The window's control called `name`; null, after saying so, when there is none.
    QWidget* part(const char* name) {
        auto* widget = window_.findChild<QWidget*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            std::fprintf(stderr, "the window has no control named %s\n", name);
            failed_ = true;
        }
        return widget;
    }
    // A click as the platform delivers it, on the control's left part, halfway down.
    void click(QWidget* target) {
        if (target == nullptr) {
            return;
        }
        QWidget* top = target->window();
        QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {},
                          target->mapTo(top, QPoint(4, target->height() / 2)));
        QCoreApplication::processEvents();
    }
    void moveOver(QWidget* target) {
        if (target != nullptr) {
            QTest::mouseMove(window_.windowHandle(),
                             target->mapTo(&window_, target->rect().center()));
        }
    }
    void press(QWidget& top, Qt::Key key) {
        QTest::keyClick(top.windowHandle(), key);
        QCoreApplication::processEvents();
    }
    // The open dialog called `name`, once it is shown.
    QWidget* dialog(const char* name) {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QLatin1String(name) && top->isVisible()) {
                return QTest::qWaitForWindowExposed(top) ? top : nullptr;
            }
        }
        std::fprintf(stderr, "no dialog %s is open\n", name);
        failed_ = true;
        return nullptr;
    }
    bool failed() const { return failed_; }

private:
    QWidget& window_;
    QString folder_;
    bool failed_ = false;
};

void photographHelper(Photographer& camera, QWidget& window) {
    camera.click(camera.part("Label2"));
    QWidget* helper = camera.dialog("RatioHelper");
    if (helper == nullptr) {
        return;
    }
    camera.take(*helper, "helper");
    auto* pages = helper->findChild<QTabWidget*>(QStringLiteral("pages"));
    auto* leadscrew = helper->findChild<QLineEdit*>(QStringLiteral("leadscrew"));
    auto* generate = helper->findChild<QAbstractButton*>(QStringLiteral("generate"));
    if (pages != nullptr && leadscrew != nullptr && generate != nullptr) {
        pages->setCurrentIndex(pages->count() - 1);
        leadscrew->setText(QStringLiteral("6mm"));
        generate->click();
        camera.take(*helper, "chart");
    }
    camera.press(*helper, Qt::Key_Escape);
    window.activateWindow();
    static_cast<void>(QTest::qWaitForWindowActive(&window));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATA_FILE FOLDER\n", argv[0]);
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    style::installFontSubstitutions();
    installWindowLanguage(languageFromLocale([](const char* name) { return std::getenv(name); }));
    const QString folder = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot make the folder %s\n", argv[2]);
        return 1;
    }
    QuietPrompter prompter;
    LockWaitWatch lockWaits(posixFileSystem());
    std::optional<GearSel> window;
    try {
        window.emplace(MachineStore::open(argv[1], lockWaits), lockWaits, prompter,
                       TwipsScale(15, 15), RandomSource(7));
    } catch (const StoreError& error) {
        std::fprintf(stderr, "%s\n", storeProblemText(error.problem(), Language::English).c_str());
        return 1;
    }
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(&*window)) {
        std::fprintf(stderr, "the window did not become active\n");
        return 1;
    }
    // The first search runs once the window is active.
    QCoreApplication::processEvents();
    Photographer camera(*window, folder);
    camera.take(*window, "face");
    camera.moveOver(camera.part("LabCHOSE"));
    camera.take(*window, "hover");
    if (QWidget* results = camera.part("GZ")) {
        results->setFocus(Qt::TabFocusReason);
        camera.take(*window, "focus");
    }
    camera.click(camera.part("LabXgCsTab"));
    camera.take(*window, "editor");
    camera.press(*window, Qt::Key_Escape);
    camera.click(camera.part("LabHelp"));
    camera.take(*window, "help");
    camera.press(*window, Qt::Key_Escape);
    photographHelper(camera, *window);
    camera.click(camera.part("LabBuy"));
    if (QWidget* list = camera.dialog("SuggestionList")) {
        camera.take(*list, "buylist");
        camera.press(*list, Qt::Key_Escape);
    }
    return camera.failed() ? 1 : 0;
}
