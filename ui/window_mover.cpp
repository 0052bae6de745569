// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_mover.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace gearsel {

WindowMover::WindowMover(QWidget* window, QWidget* surface, QObject* parent)
    : QObject(parent), window_(window), surface_(surface) {
    surface_->installEventFilter(this);
}

bool WindowMover::eventFilter(QObject* watched, QEvent* event) {
    if (watched != surface_) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // A press that a control let pass (a caption, a picture) arrives here too; only the
        // bare surface moves the window.
        if (mouse->button() != Qt::LeftButton ||
            surface_->childAt(mouse->position().toPoint()) != nullptr) {
            return false;
        }
        QWindow* handle = window_->windowHandle();
        if (handle != nullptr && handle->startSystemMove()) {
            return true;
        }
        dragging_ = true;
        grabOffset_ = mouse->globalPosition().toPoint() - window_->pos();
        return true;
    }
    case QEvent::MouseMove:
        if (dragging_) {
            const QPoint pointer = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            window_->move(pointer - grabOffset_);
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (dragging_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            dragging_ = false;
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace gearsel
