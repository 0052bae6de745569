// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/guarded_application.h"

#include "present/problem_text.h"
#include "ui/prompter.h"
#include "ui/window_language.h"

#include <exception>

namespace gearsel {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        // The message box runs an event loop of its own; a second failure while it is open
        // is not told again.
        if (prompter_ != nullptr && !telling_) {
            telling_ = true;
            prompter_->inform(
                QCoreApplication::translate("gearsel::GuardedApplication", "操作没有完成：") +
                QString::fromStdString(exceptionText(error, windowLanguage())));
            telling_ = false;
        }
        return false;
    }
}

} // namespace gearsel
