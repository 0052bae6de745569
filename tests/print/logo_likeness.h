// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which logo a printed result list carries, seen on the page as an image: the page drawn on
// an image, or a PDF file rasterized by poppler's pdftoppm.

#include "print/printout_layout.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdlib>

namespace gearsel::test {

// How far the logo on `page` (the whole page, at any size) is from the picture `resource`
// drawn in its place: the mean difference in grey per pixel, 0 to 255, where the logos' words
// differ (the line under the name, the lower right of the logo; the rest is the same in every
// language, but for how the edges are smoothed).
inline double logoDistance(const QImage& page, const QString& resource) {
    const QRectF logo = printoutLayout(page.width(), page.height(), 0).logoRect();
    const QRectF words(logo.left() + 0.47 * logo.width(), logo.top() + 0.57 * logo.height(),
                       0.53 * logo.width(), 0.43 * logo.height());
    QImage expected(page.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        QSvgRenderer(resource).render(&painter, logo);
    }
    const QRect area = words.toAlignedRect().intersected(page.rect());
    double difference = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            difference += std::abs(qGray(page.pixel(x, y)) - qGray(expected.pixel(x, y)));
        }
    }
    return area.isEmpty() ? 255.0 : difference / (area.width() * area.height());
}

// Whether the page carries the logo at `resource` rather than the one at `other`: much
// closer to it.
inline bool carriesLogo(const QImage& page, const QString& resource, const QString& other) {
    return 4 * logoDistance(page, resource) < logoDistance(page, other);
}

} // namespace gearsel::test
