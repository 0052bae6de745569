// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object of the window. Every event the toolkit delivers, and so every slot a
// click or a key runs, goes through notify(); an exception that a handler let escape is
// caught there, told in one message box, and the program goes on, instead of ending inside
// the event loop. This is the last resort only: unwinding through the toolkit's own frames
// may leave a few of its bytes behind, so the handlers that call the store, the engine or
// the printer catch their failures themselves.

#include <QApplication>

namespace gearsel {

class Prompter;

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    // The prompter that tells the user about an escaped exception; none tells nobody.
    void setPrompter(Prompter* prompter) { prompter_ = prompter; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    Prompter* prompter_ = nullptr;
    bool telling_ = false;
};

} // namespace gearsel
