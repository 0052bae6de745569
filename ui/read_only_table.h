// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table the user reads but does not edit: Tab leaves it for the next control (the arrow keys
// move within it), entering it by the keyboard makes its first cell current without selecting
// it, and the current cell of the table with the focus is framed plainly, so that a keyboard
// user sees where the focus is on every cell colour.

#include <QTableView>

namespace gearsel {

class ReadOnlyTable : public QTableView {
    Q_OBJECT
public:
    explicit ReadOnlyTable(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace gearsel
