// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the printed pages put their texts and rules on a paged device: fonts by name and size,
// rules as wide as on a 300 dpi printer, and texts placed by the top left corner of their line
// or centred on a point, as every page of the program prints them.

#include <QFont>
#include <QPen>
#include <QString>

class QPainter;

namespace gearsel {

// The font `family` at `pointSize` points.
QFont printFont(const QString& family, double pointSize);
// 宋体, the face of every page's body.
QFont songFont(double pointSize);
// 黑体, the face of the titles.
QFont heiFont(double pointSize);

// A black pen of `dots` printer dots of a 300 dpi printer, so that the rules keep their look
// on devices of any resolution.
QPen rulePen(const QPainter& painter, int dots);

// Prints `text` in `font` with the top left corner of its line at (x, y).
void putText(QPainter& painter, const QString& text, const QFont& font, double x, double y);
// Prints `text` centred on `centre`, its top at `y`.
void putCentred(QPainter& painter, const QString& text, const QFont& font, double centre, double y);
// Prints `text` with its right end at `right`, its top at `y`.
void putRightAligned(QPainter& painter, const QString& text, const QFont& font, double right,
                     double y);
// The height of a line of `font` on the painter's device.
double lineHeight(const QPainter& painter, const QFont& font);

} // namespace gearsel
