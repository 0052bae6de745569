// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/line_field.h"

#include <QKeyEvent>
#include <QTimer>

namespace gearsel {

bool movesFocusWithinWindow(const QFocusEvent* event) {
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}

bool isCommandKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_E && event->modifiers() == Qt::ControlModifier;
}

LineField::LineField(QWidget* parent) : QLineEdit(parent) {}

bool LineField::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && isCommandKey(static_cast<QKeyEvent*>(event))) {
        // Not taken here: the window's command runs.
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void LineField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (movesFocusWithinWindow(event)) {
        // The whole text is selected once the focus has arrived; deferred so that the mouse
        // click that brought the focus does not undo the selection. A field that the focus
        // has left again meanwhile stays unselected.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus()) {
                selectAll();
            }
        });
    }
}

void LineField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (movesFocusWithinWindow(event)) {
        Q_EMIT focusLost();
    }
}

void LineField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT enterPressed();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace gearsel
