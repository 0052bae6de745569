// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/guarded_application.h"

#include "ui/prompter.h"

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
            prompter_->inform(QStringLiteral("操作没有完成：") + QString::fromUtf8(error.what()));
            telling_ = false;
        }
        return false;
    }
}

} // namespace gearsel
