// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace gearsel {

namespace {

// Room for a window manager's frame: its borders and title bar.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

} // namespace

QRect availableArea(const QWidget* widget) {
    const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

QSize sizeWithin(QSize preferred, const QRect& area) {
    if (area.isEmpty()) {
        return preferred;
    }
    return preferred.boundedTo(
        QSize(std::max(1, area.width() - kFrameWidth), std::max(1, area.height() - kFrameHeight)));
}

QPoint centredWithin(QSize size, const QRect& area) {
    QRect placed(QPoint(), size);
    placed.moveCenter(area.center());
    return {std::max(area.left(), placed.left()), std::max(area.top(), placed.top())};
}

} // namespace gearsel
