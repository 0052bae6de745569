// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/panel_frame.h"

#include "engine/number_text.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gearsel {

namespace {

// A colour component as the frame computes it: rounded half to even and kept in a byte.
int component(double value) {
    return static_cast<int>(std::clamp<std::int64_t>(roundToInteger(value), 0, 255));
}

// A position along a side of `length` pixels for a draw r in [0, 1).
int pixelAt(double r, int length) {
    const int pixel = static_cast<int>(std::floor(r * length));
    return std::clamp(pixel, 0, std::max(0, length - 1));
}

} // namespace

FrameColours frameColours(QColor frame, QColor back) {
    // Eighths of the difference, not rounded: only the colours themselves are.
    const double dR = (back.red() - frame.red()) / 8.0;
    const double dG = (back.green() - frame.green()) / 8.0;
    const double dB = (back.blue() - frame.blue()) / 8.0;
    FrameColours colours;
    colours.speckle = QColor(component(back.red() - dR), component(back.green() - dG),
                             component(back.blue() - dB));
    for (int k = 0; k < kFrameRings; ++k) {
        colours.rings[static_cast<std::size_t>(k)] =
            QColor(component(k * dR + frame.red()), component(k * dG + frame.green()),
                   component(k * dB + frame.blue()));
    }
    return colours;
}

void drawFrame(QPainter& painter, QSize size, const FrameColours& colours) {
    const int w = size.width();
    const int h = size.height();
    for (int k = 0; k < kFrameRings; ++k) {
        const int ringWidth = w - 2 * k;
        const int ringHeight = h - 2 * k;
        if (ringWidth <= 0 || ringHeight <= 0) {
            break;
        }
        // Filled one-pixel strips rather than a stroked rectangle: exact pixels, no pen rules.
        const QColor& colour = colours.rings[static_cast<std::size_t>(k)];
        painter.fillRect(k, k, ringWidth, 1, colour);
        painter.fillRect(k, h - 1 - k, ringWidth, 1, colour);
        painter.fillRect(k, k, 1, ringHeight, colour);
        painter.fillRect(w - 1 - k, k, 1, ringHeight, colour);
    }
}

void drawSpeckles(QPainter& painter, QSize size, QColor colour, int count,
                  const std::function<double()>& uniform) {
    for (int i = 0; i < count; ++i) {
        // Width 2r + 1 rounded half to even: 1 below r = 0.25, 3 above r = 0.75, else 2.
        const int width = static_cast<int>(roundToInteger(2.0 * uniform() + 1.0));
        const int x = pixelAt(uniform(), size.width());
        const int y = pixelAt(uniform(), size.height());
        const int corner = (width - 1) / 2;
        painter.fillRect(x - corner, y - corner, width, width, colour);
    }
}

QImage panelFaceImage(QSize size, QColor frame, QColor back,
                      const std::function<double()>& uniform) {
    if (size.isEmpty()) {
        return {};
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(back);
    const FrameColours colours = frameColours(frame, back);
    QPainter painter(&image);
    drawSpeckles(painter, size, colours.speckle, kSpeckleCount, uniform);
    // The frame goes last, so it covers the dots that fell on it.
    drawFrame(painter, size, colours);
    return image;
}

} // namespace gearsel
