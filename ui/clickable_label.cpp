// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clickable_label.h"

#include <QMouseEvent>

namespace gearsel {

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Q_EMIT clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace gearsel
