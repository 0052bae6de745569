// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fixed_pitch_label.h"

#include <QFontMetrics>
#include <QPainter>

namespace gearsel {

FixedPitchLabel::FixedPitchLabel(QWidget* parent) : ClickableLabel(parent) {}

int FixedPitchLabel::cellWidth(QChar c) const {
    const int full = fontMetrics().horizontalAdvance(QChar(0x4E2D)); // 中
    return c.unicode() < 0x80 ? (full + 1) / 2 : full;
}

QSize FixedPitchLabel::sizeHint() const {
    int width = 0;
    for (QChar c : text()) {
        width += cellWidth(c);
    }
    return QSize(width, fontMetrics().height());
}

void FixedPitchLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    int x = 0;
    const int baseline = fontMetrics().ascent();
    for (QChar c : text()) {
        painter.drawText(x, baseline, QString(c));
        x += cellWidth(c);
    }
}

} // namespace gearsel
