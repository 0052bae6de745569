#include "ui/line_field.h"

#include <QKeyEvent>

namespace gearsel {

bool movesFocusWithinWindow(const QFocusEvent* event) {
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}

LineField::LineField(QWidget* parent) : QLineEdit(parent) {}

void LineField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (movesFocusWithinWindow(event)) {
        Q_EMIT focusGained();
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
