// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/hover_feedback.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace gearsel {

HoverFeedback::HoverFeedback(QObject* parent) : QObject(parent) {}

void HoverFeedback::addCommand(QWidget* trigger, QWidget* caption) {
    trigger->setMouseTracking(true);
    trigger->installEventFilter(this);
    commands_.push_back({trigger, caption});
}

void HoverFeedback::addResetSurface(QWidget* surface, const QList<QWidget*>& captions) {
    surface->setMouseTracking(true);
    surface->installEventFilter(this);
    surfaces_.push_back({surface, captions});
}

bool HoverFeedback::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseMove) {
        return QObject::eventFilter(watched, event);
    }
    for (const Command& command : commands_) {
        if (command.trigger == watched) {
            setCaptionColour(command.caption, kCommandHover);
        }
    }
    for (const Surface& surface : surfaces_) {
        if (surface.surface != watched) {
            continue;
        }
        // A move that a control on the surface passed on is not a move over the bare
        // surface; shapes take no mouse input and count as bare.
        const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (surface.surface->childAt(position) == nullptr) {
            for (QWidget* caption : surface.captions) {
                setCaptionColour(caption, kCommandRest);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void setCaptionColour(QWidget* caption, const QColor& colour) {
    QPalette palette = caption->palette();
    if (palette.isBrushSet(QPalette::Active, QPalette::WindowText) &&
        palette.color(QPalette::WindowText) == colour) {
        return;
    }
    palette.setColor(QPalette::WindowText, colour);
    caption->setPalette(palette);
}

} // namespace gearsel
