// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/read_only_table.h"

#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QPainter>

namespace gearsel {

namespace {

// The frame of the current cell while the table has the focus.
const QColor kFocusFrame(0, 0, 192);

} // namespace

ReadOnlyTable::ReadOnlyTable(QWidget* parent) : QTableView(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::StrongFocus);
}

void ReadOnlyTable::focusInEvent(QFocusEvent* event) {
    const bool byKeyboard =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (byKeyboard && model() != nullptr && !currentIndex().isValid() && model()->rowCount() > 0 &&
        model()->columnCount() > 0) {
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
    }
    QTableView::focusInEvent(event);
}

void ReadOnlyTable::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid()) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(QPen(kFocusFrame, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(visualRect(current).adjusted(1, 1, -1, -1));
}

} // namespace gearsel
