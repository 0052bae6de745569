// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The context menu of a table's rows: the table's own actions, shown by the right mouse button
// on a row (which makes that row current first, as the menu acts on it) or by the keyboard's
// menu key on the current row. Nothing else of the table changes: its clicks and keys stay as
// they were.

#include <QObject>

class QTableView;

namespace gearsel {

class GridRowMenu : public QObject {
    Q_OBJECT
public:
    // Watches `table`, which owns the menu.
    explicit GridRowMenu(QTableView* table);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* table_;
};

} // namespace gearsel
