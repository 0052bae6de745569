// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The face of the main panel: a soft frame, nine pixels wide, that fades from the frame colour
// at the edge into the panel's background, over a background scattered with pale dots. It is
// painted once into an image that the panel keeps showing.

#include <QColor>
#include <QImage>
#include <QSize>
#include <array>
#include <functional>

class QPainter;

namespace gearsel {

// Rings of the frame, one pixel each, counted from the panel's edge inwards.
inline constexpr int kFrameRings = 9;
// Dots scattered over the panel.
inline constexpr int kSpeckleCount = 9000;

// The colours of the frame's rings, outermost first, and of the dots.
struct FrameColours {
    std::array<QColor, kFrameRings> rings;
    QColor speckle;
};

// The frame's colours: ring k lies k eighths of the way from `frame` to `back`, each component
// rounded half to even, so ring 8 is `back`; the dots take the colour one step short of it.
FrameColours frameColours(QColor frame, QColor back);

// Draws the rings as one-pixel outlines along the edge of a surface of `size` pixels.
void drawFrame(QPainter& painter, QSize size, const FrameColours& colours);

// Scatters `count` dots of `colour` over a surface of `size` pixels. Each dot takes three
// numbers in [0, 1) from `uniform`: its width (1 pixel a quarter of the time, 2 half of the
// time, 3 a quarter of the time), then its x and its y.
void drawSpeckles(QPainter& painter, QSize size, QColor colour, int count,
                  const std::function<double()>& uniform);

// The whole face of a panel of `size` pixels: the `back` colour, the dots, and the frame drawn
// over them.
QImage panelFaceImage(QSize size, QColor frame, QColor back,
                      const std::function<double()>& uniform);

} // namespace gearsel
