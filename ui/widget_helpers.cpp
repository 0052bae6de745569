// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widget_helpers.h"

#include <QLabel>

namespace gearsel {

void setCaption(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace gearsel
