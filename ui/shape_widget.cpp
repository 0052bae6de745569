// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shape_widget.h"

#include <QPainter>
#include <algorithm>

namespace gearsel {

ShapeWidget::ShapeWidget(QColor border, std::optional<QColor> fill, QWidget* parent)
    : QWidget(parent), border_(border), fill_(fill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(border_, 1));
    painter.setBrush(fill_ ? QBrush(*fill_) : Qt::NoBrush);
    // Corners of about a tenth of the shorter side, as rounded rectangles are drawn.
    const qreal radius = std::min(width(), height()) / 10.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

} // namespace gearsel
