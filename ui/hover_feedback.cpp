// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/hover_feedback.h"

#include "ui/clickable_label.h"
#include "ui/main_face.h"
#include "ui/picture_label.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace gearsel {

HoverFeedback::HoverFeedback(MainFace& face, QObject* parent) : QObject(parent) {
    const MainFace::Commands& c = face.commands();
    const std::pair<QWidget*, ClickableLabel*> commands[] = {
        {c.ComCHOSE, c.LabCHOSE},     {c.LabCHOSE, c.LabCHOSE}, {c.ComHelp, c.LabHelp},
        {c.LabHelp, c.LabHelp},       {c.ComSave, c.LabSave},   {c.LabSave, c.LabSave},
        {c.ImgPrint, c.LabPrint},     {c.LabPrint, c.LabPrint}, {c.ImaSM, c.LabZCSM},
        {c.LabZCSM, c.LabZCSM},       {c.LabExit, c.LabExit},   {c.LabNewJc, c.LabNewJc},
        {c.LabXgCsTab, c.LabXgCsTab},
    };
    for (const auto& [trigger, label] : commands) {
        addCommand(trigger, label);
    }
    addResetSurface(face.panels().Ped0, {c.LabNewJc, c.LabXgCsTab, c.LabSave, c.LabHelp, c.LabPrint,
                                         c.LabCHOSE, c.LabZCSM, c.LabExit});
}

void HoverFeedback::addCommand(QWidget* trigger, QLabel* label) {
    if (auto* clickable = qobject_cast<ClickableLabel*>(trigger)) {
        connect(clickable, &ClickableLabel::hovered, label,
                [label] { setLabelColour(label, kCommandHover); });
        return;
    }
    trigger->setMouseTracking(true);
    trigger->installEventFilter(this);
    commands_.push_back({trigger, label});
}

void HoverFeedback::addResetSurface(QWidget* surface, const QList<QLabel*>& labels) {
    surface->setMouseTracking(true);
    surface->installEventFilter(this);
    surfaces_.push_back({surface, labels});
}

bool HoverFeedback::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseMove) {
        return QObject::eventFilter(watched, event);
    }
    for (const Command& command : commands_) {
        if (command.trigger == watched) {
            setLabelColour(command.label, kCommandHover);
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
            for (QLabel* label : surface.labels) {
                setLabelColour(label, kCommandRest);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void setLabelColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    if (palette.isBrushSet(QPalette::Active, QPalette::WindowText) &&
        palette.color(QPalette::WindowText) == colour) {
        return;
    }
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace gearsel
