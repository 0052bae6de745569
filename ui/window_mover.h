// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving a window that has no title bar: a press and drag with the left button on the bare
// surface of its main panel (the painted frame and background, not a control) moves the
// window. The window system does the move where it can; elsewhere (a bare X server, the
// offscreen platform) the window follows the pointer itself.

#include <QObject>
#include <QPoint>

class QWidget;

namespace gearsel {

class WindowMover : public QObject {
    Q_OBJECT
public:
    // Watches `surface`, a panel inside `window`; both must outlive the mover.
    WindowMover(QWidget* window, QWidget* surface, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    QWidget* surface_;
    bool dragging_ = false;
    QPoint grabOffset_; // from the window's top left corner to the pointer, in screen pixels
};

} // namespace gearsel
