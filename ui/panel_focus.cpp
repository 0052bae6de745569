// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel_focus.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace gearsel {

PanelFocus::PanelFocus(QObject* parent) : QObject(parent) {}

void PanelFocus::addPanel(QWidget* panel, std::function<void()> close) {
    panels_.push_back(Panel{panel, std::move(close)});
    panel->installEventFilter(this);
    // The window deletes its panels one after the other, and each sends events on its way out:
    // a panel already gone must not be looked at then.
    connect(panel, &QObject::destroyed, this, [this, panel] {
        std::erase_if(panels_, [panel](const Panel& entry) { return entry.widget == panel; });
    });
}

PanelFocus::Panel* PanelFocus::front() {
    Panel* inFront = nullptr;
    qsizetype frontPlace = -1;
    for (Panel& panel : panels_) {
        const QWidget* widget = panel.widget;
        // Siblings later in their parent's list lie in front of earlier ones.
        const qsizetype place = widget->parentWidget()->children().indexOf(widget);
        if (widget->isVisible() && place > frontPlace) {
            inFront = &panel;
            frontPlace = place;
        }
    }
    return inFront;
}

PanelFocus::Panel* PanelFocus::panelHolding(const QWidget* widget) {
    for (Panel& panel : panels_) {
        if (widget != nullptr && (widget == panel.widget || panel.widget->isAncestorOf(widget))) {
            return &panel;
        }
    }
    return nullptr;
}

bool PanelFocus::covered() {
    return front() != nullptr;
}

bool PanelFocus::moveFocus(bool next) {
    Panel* panel = front();
    if (panel == nullptr) {
        return false;
    }
    QWidget* start = QApplication::focusWidget();
    if (panelHolding(start) != panel) {
        start = panel->widget;
    }
    // Round the focus chain, which runs through the whole window, to the next control of the
    // panel that takes the focus by Tab.
    QWidget* candidate = start;
    const qsizetype steps = panel->widget->window()->findChildren<QWidget*>().size() + 1;
    for (qsizetype i = 0; i < steps; ++i) {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate == start) {
            break;
        }
        if (panel->widget->isAncestorOf(candidate) && candidate->isVisible() &&
            candidate->isEnabled() && (candidate->focusPolicy() & Qt::TabFocus) != 0) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    // A panel without controls keeps the focus on itself.
    return true;
}

void PanelFocus::enter(const Panel& panel) {
    panel.widget->setFocus(Qt::OtherFocusReason);
}

void PanelFocus::shown(const Panel& panel) {
    QWidget* focus = QApplication::focusWidget();
    if (front() != &panel || panelHolding(focus) == &panel) {
        return;
    }
    if (panelHolding(focus) == nullptr) {
        faceFocus_ = focus;
    }
    enter(panel);
}

void PanelFocus::hidden(const Panel& panel) {
    // Called before the toolkit moves the focus away from a hidden control: where it goes
    // is decided here.
    if (panelHolding(QApplication::focusWidget()) != &panel) {
        return;
    }
    if (const Panel* next = front()) {
        enter(*next);
    } else if (faceFocus_ != nullptr && faceFocus_->isVisible()) {
        faceFocus_->setFocus(Qt::OtherFocusReason);
    }
}

bool PanelFocus::eventFilter(QObject* watched, QEvent* event) {
    Panel* panel = panelHolding(qobject_cast<QWidget*>(watched));
    if (panel == nullptr || panel->widget != watched) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::Show:
        shown(*panel);
        Q_EMIT coveredChanged(true);
        break;
    case QEvent::Hide:
        // Only a panel hidden itself, not one that goes with its window.
        if (panel->widget->isHidden()) {
            hidden(*panel);
            Q_EMIT coveredChanged(covered());
        }
        break;
    case QEvent::KeyPress:
        // Esc that no control of the panel took.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            panel->close();
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace gearsel
