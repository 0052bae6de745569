// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widget_helpers.h"

#include <QLabel>

namespace gearsel {

void setCaption(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

QLabel* makeCaption(QWidget* parent, const char* name, QPoint at, const QString& text,
                    const QString& toolTip) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(at);
    setCaption(label, text);
    label->setToolTip(toolTip);
    return label;
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace gearsel
