// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/page_painting.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace gearsel {

namespace {

double textWidth(const QPainter& painter, const QString& text, const QFont& font) {
    return QFontMetricsF(font, painter.device()).horizontalAdvance(text);
}

} // namespace

QFont printFont(const QString& family, double pointSize) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    return font;
}

QFont songFont(double pointSize) {
    return printFont(QStringLiteral("宋体"), pointSize);
}

QFont heiFont(double pointSize) {
    return printFont(QStringLiteral("黑体"), pointSize);
}

QPen rulePen(const QPainter& painter, int dots) {
    const double perDot = painter.device()->logicalDpiX() / 300.0;
    QPen pen(Qt::black, dots * perDot);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void putText(QPainter& painter, const QString& text, const QFont& font, double x, double y) {
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    painter.drawText(QPointF(x, y + metrics.ascent()), text);
}

void putCentred(QPainter& painter, const QString& text, const QFont& font, double centre,
                double y) {
    putText(painter, text, font, centre - textWidth(painter, text, font) / 2, y);
}

void putRightAligned(QPainter& painter, const QString& text, const QFont& font, double right,
                     double y) {
    putText(painter, text, font, right - textWidth(painter, text, font), y);
}

double lineHeight(const QPainter& painter, const QFont& font) {
    return QFontMetricsF(font, painter.device()).height();
}

} // namespace gearsel
