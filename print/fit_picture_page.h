// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture of a listed train as the window, the printer and the saved files show it: a few
// lines naming the machine, the train, the geometry and whether the train fits, and under them
// the train drawn to scale on its machine; for a machine without a geometry, the sentence that
// says why there is no picture.

#include "print/fit_picture_content.h"

#include <QRectF>
#include <QStringList>

class QPaintDevice;
class QPainter;

namespace gearsel {

// The lines above the picture, in the window's language.
QStringList fitPictureCaption(const FitPictureContent& content);

// The train as its tooth counts read: "30/40 × 45/60", or "30/40" for a single pair.
QString trainText(const GearTrain& train);

// Paints the caption and the picture into `target` on white, with texts sized from the
// target's height.
void paintFitPicturePage(QPainter& painter, const QRectF& target, const FitPictureContent& content);

// Paints the page over the whole of `device` (an image, an SVG file, a printer's or a PDF
// file's page). False when no painter could start on it.
bool paintFitPictureOn(QPaintDevice& device, const FitPictureContent& content);

} // namespace gearsel
