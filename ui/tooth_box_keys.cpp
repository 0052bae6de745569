// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tooth_box_keys.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <algorithm>

namespace gearsel {

ToothBoxKeys::ToothBoxKeys(std::vector<QCheckBox*> boxes, QWidget* before, QWidget* after,
                           QObject* parent)
    : QObject(parent), boxes_(std::move(boxes)), before_(before), after_(after) {
    for (QCheckBox* box : boxes_) {
        // Only the Tab stop takes the focus by Tab; none takes it by a click, so that a click
        // hands the focus to the caption editor as it always has.
        box->setFocusPolicy(Qt::NoFocus);
        box->installEventFilter(this);
    }
    makeStop(0);
}

void ToothBoxKeys::makeStop(int index) {
    boxes_[static_cast<std::size_t>(stop_)]->setFocusPolicy(Qt::NoFocus);
    stop_ = index;
    QCheckBox* box = boxes_[static_cast<std::size_t>(index)];
    box->setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(before_, box);
    QWidget::setTabOrder(box, after_);
}

void ToothBoxKeys::keepStopVisible() {
    if (boxes_[static_cast<std::size_t>(stop_)]->isHidden()) {
        makeStop(0);
    }
}

int ToothBoxKeys::columns() const {
    const int firstRow = boxes_.front()->y();
    int count = 0;
    while (count < static_cast<int>(boxes_.size()) &&
           !boxes_[static_cast<std::size_t>(count)]->isHidden() &&
           boxes_[static_cast<std::size_t>(count)]->y() == firstRow) {
        ++count;
    }
    return std::max(count, 1);
}

bool ToothBoxKeys::moveTo(int index) {
    if (index < 0 || index >= static_cast<int>(boxes_.size()) ||
        boxes_[static_cast<std::size_t>(index)]->isHidden()) {
        return false;
    }
    makeStop(index);
    boxes_[static_cast<std::size_t>(index)]->setFocus(Qt::OtherFocusReason);
    return true;
}

bool ToothBoxKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto at = std::find(boxes_.begin(), boxes_.end(), watched);
    if (at == boxes_.end()) {
        return QObject::eventFilter(watched, event);
    }
    const int index = static_cast<int>(at - boxes_.begin());
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left:
        moveTo(index - 1);
        return true;
    case Qt::Key_Right:
        moveTo(index + 1);
        return true;
    case Qt::Key_Up:
        moveTo(index - columns());
        return true;
    case Qt::Key_Down:
        moveTo(index + columns());
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace gearsel
