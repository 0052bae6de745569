// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/twips_scale.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace gearsel {

TwipsScale::TwipsScale(int twipsPerPixelX, int twipsPerPixelY)
    : twipsX_(std::max(1, twipsPerPixelX)), twipsY_(std::max(1, twipsPerPixelY)) {}

TwipsScale TwipsScale::fromScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return TwipsScale();
    }
    const auto perPixel = [](double dpi) {
        return dpi > 0 ? static_cast<int>(std::lround(1440.0 / dpi)) : 15;
    };
    return TwipsScale(perPixel(screen->logicalDotsPerInchX()),
                      perPixel(screen->logicalDotsPerInchY()));
}

TwipsScale TwipsScale::fittedInto(QSize pixels, QSize twips) const {
    if (pixels.isEmpty()) {
        return *this; // no screen to fit
    }
    const double over = std::max(static_cast<double>(twips.width()) / (pixels.width() * twipsX_),
                                 static_cast<double>(twips.height()) / (pixels.height() * twipsY_));
    if (over <= 1.0) {
        return *this;
    }
    TwipsScale fitted(static_cast<int>(std::ceil(twipsX_ * over)),
                      static_cast<int>(std::ceil(twipsY_ * over)));
    fitted.fontScale_ = fontScale_ * std::min(static_cast<double>(twipsX_) / fitted.twipsX_,
                                              static_cast<double>(twipsY_) / fitted.twipsY_);
    return fitted;
}

int TwipsScale::x(int twips) const {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsX_));
}

int TwipsScale::y(int twips) const {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsY_));
}

QRect TwipsScale::rect(int left, int top, int width, int height) const {
    return QRect(x(left), y(top), x(width), y(height));
}

} // namespace gearsel
