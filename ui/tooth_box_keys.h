// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard among the gear-set editor's tooth-count boxes: the boxes are one stop of the Tab
// chain (the box last moved to, or the first), and the arrow keys move between the visible
// boxes as they stand on the panel: left and right to the neighbour in the box order, up and
// down to the box one row above or below.

#include <QObject>
#include <vector>

class QCheckBox;
class QWidget;

namespace gearsel {

class ToothBoxKeys : public QObject {
    Q_OBJECT
public:
    // Watches `boxes`, laid out row by row in their order; the Tab stop stands between
    // `before` and `after` in the Tab chain.
    ToothBoxKeys(std::vector<QCheckBox*> boxes, QWidget* before, QWidget* after,
                 QObject* parent = nullptr);

    // After a new layout: the first box becomes the Tab stop again when the stop was hidden.
    void keepStopVisible();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Moves the focus to box `index` and makes it the Tab stop; false when there is no such
    // visible box.
    bool moveTo(int index);
    // Makes box `index` the Tab stop.
    void makeStop(int index);
    // The number of boxes in the first row of the layout.
    int columns() const;

    std::vector<QCheckBox*> boxes_;
    QWidget* before_;
    QWidget* after_;
    int stop_ = 0;
};

} // namespace gearsel
