#include "ui/line_field.h"

#include <QKeyEvent>

namespace gearsel {

LineField::LineField(QWidget* parent) : QLineEdit(parent) {}

void LineField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    Q_EMIT focusGained();
}

void LineField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A focus change caused by a popup menu of the field itself is no real focus loss.
    if (event->reason() != Qt::PopupFocusReason) {
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
