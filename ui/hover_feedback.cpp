#include "ui/hover_feedback.h"

#include "ui/clickable_label.h"
#include "ui/main_face.h"
#include "ui/picture_label.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace gearsel {

HoverFeedback::HoverFeedback(MainFace& face, QObject* parent) : QObject(parent) {
    const std::pair<QWidget*, ClickableLabel*> commands[] = {
        {face.ComCHOSE, face.LabCHOSE},     {face.LabCHOSE, face.LabCHOSE},
        {face.ComHelp, face.LabHelp},       {face.LabHelp, face.LabHelp},
        {face.ComSave, face.LabSave},       {face.LabSave, face.LabSave},
        {face.ImgPrint, face.LabPrint},     {face.LabPrint, face.LabPrint},
        {face.ImaSM, face.LabZCSM},         {face.LabZCSM, face.LabZCSM},
        {face.LabExit, face.LabExit},       {face.LabNewJc, face.LabNewJc},
        {face.LabXgCsTab, face.LabXgCsTab},
    };
    for (const auto& [trigger, label] : commands) {
        addCommand(trigger, label);
    }
    addResetSurface(face.Ped0, {face.LabNewJc, face.LabXgCsTab, face.LabSave, face.LabHelp,
                                face.LabPrint, face.LabCHOSE, face.LabZCSM, face.LabExit});
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
