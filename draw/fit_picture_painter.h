// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paints the picture of a mounted gear train to scale onto any QPainter: a widget, a PDF or
// SVG page, an image. The picture fills the target rectangle as far as its proportions allow,
// centred, with the y axis upwards; pens and texts are sized from the target, so the picture
// reads the same at any resolution.

#include "present/fit_picture.h"

#include <QColor>
#include <QRectF>
#include <QTransform>

class QPainter;

namespace gearsel {

// The colours of the picture; a test finds its lines by them.
struct FitPictureColours {
    QColor paper{255, 255, 255};
    QColor rear{37, 99, 171};   // z1 and z2, the rear plane
    QColor front{196, 110, 14}; // z3 and z4
    QColor idler{34, 139, 74};  // a single pair's idler
    QColor clash{214, 31, 38};  // what fails
    QColor ink{64, 64, 64};     // shafts, centre lines, texts
    QColor slot{226, 228, 232}; // the quadrant's slot
};

// The map from the picture's millimetres to the painter's coordinates within `target`.
QTransform fitPictureTransform(const PictureBounds& bounds, const QRectF& target);

// Paints `picture` into `target`, in the painter's current coordinates, over a paper-coloured
// background.
void paintFitPicture(QPainter& painter, const QRectF& target, const FitPicture& picture,
                     const FitPictureColours& colours = {});

} // namespace gearsel
