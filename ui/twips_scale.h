// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Converts the window's layout lengths, given in twips (1/1440 inch), to logical pixels.

#include <QRect>
#include <QSize>

namespace gearsel {

class TwipsScale {
public:
    // `twipsPerPixelX`/`Y`: how many twips one pixel is wide and high (15 at 96 dpi).
    explicit TwipsScale(int twipsPerPixelX = 15, int twipsPerPixelY = 15);

    // The scale of the primary screen: round(1440 / logical dpi) in each direction.
    static TwipsScale fromScreen();
    // This scale, or a smaller one at which `twips` (a width and height) takes at most
    // `pixels`: both directions shrink alike, and the fonts with them. Empty `pixels` (no
    // screen) keep this scale.
    TwipsScale fittedInto(QSize pixels, QSize twips) const;

    int pixelTwipsX() const { return twipsX_; }
    int pixelTwipsY() const { return twipsY_; }

    // A horizontal or vertical length in twips as whole pixels (rounded to nearest).
    int x(int twips) const;
    int y(int twips) const;
    // A rectangle given as Left, Top, Width, Height in twips.
    QRect rect(int left, int top, int width, int height) const;
    // A font size in points, made smaller as far as the layout was (fittedInto).
    double points(double pointSize) const { return pointSize * fontScale_; }

private:
    int twipsX_;
    int twipsY_;
    double fontScale_ = 1.0;
};

} // namespace gearsel
