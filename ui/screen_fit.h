// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeping the windows on the screen they open on: a size that fits its free area, and a place
// on it. A large scale factor on a small screen must not push a window's buttons out of reach.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace gearsel {

// The free area (without panels and docks) of the screen `widget` shows on, the primary
// screen before it has one; empty when there is no screen.
QRect availableArea(const QWidget* widget);

// `preferred`, made smaller where `area` is, leaving room for the frame and title bar that a
// window manager adds around a window.
QSize sizeWithin(QSize preferred, const QRect& area);

// The top left corner of a window of `size` centred on `area`, never above or left of it.
QPoint centredWithin(QSize size, const QRect& area);

} // namespace gearsel
