// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid_row_menu.h"

#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>

namespace gearsel {

GridRowMenu::GridRowMenu(QTableView* table) : QObject(table), table_(table) {
    // A right click arrives at the viewport, the menu key at the table with the focus.
    table->installEventFilter(this);
    table->viewport()->installEventFilter(this);
}

bool GridRowMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu || table_->actions().isEmpty()) {
        return false;
    }
    auto* request = static_cast<QContextMenuEvent*>(event);
    QPoint at;
    if (watched == table_->viewport()) {
        const QModelIndex row = table_->indexAt(request->pos());
        if (!row.isValid()) {
            return false;
        }
        table_->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
        at = request->globalPos();
    } else {
        // By the keyboard: at the current cell, or the table's top left corner without one.
        const QRect cell = table_->visualRect(table_->currentIndex());
        at = table_->viewport()->mapToGlobal(cell.isValid() ? cell.center() : QPoint(0, 0));
    }
    QMenu menu(table_);
    menu.setObjectName(QStringLiteral("rowMenu"));
    menu.addActions(table_->actions());
    menu.exec(at);
    return true;
}

} // namespace gearsel
