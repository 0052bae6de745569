// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel_face.h"

#include "draw/panel_frame.h"

#include <QEvent>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace gearsel {

PanelFace::PanelFace(QWidget* panel, QColor frame, const std::function<double()>& uniform)
    : QObject(panel), panel_(panel),
      image_(
          panelFaceImage(panel->size(), frame, panel->palette().color(QPalette::Window), uniform)) {
    panel_->installEventFilter(this);
    panel_->update();
}

bool PanelFace::eventFilter(QObject* watched, QEvent* event) {
    // The panel fills its background first; the face goes over it before the panel's
    // children paint, so every control lies over the face.
    if (watched == panel_ && event->type() == QEvent::Paint && !image_.isNull()) {
        QPainter painter(panel_);
        painter.drawImage(0, 0, image_);
    }
    return QObject::eventFilter(watched, event);
}

void paintPanelFace(QWidget* panel, QColor frame, const std::function<double()>& uniform) {
    new PanelFace(panel, frame, uniform);
}

} // namespace gearsel
