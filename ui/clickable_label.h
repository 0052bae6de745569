// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that reports clicks and pointer movement: the window's text commands and, through
// PictureLabel, its picture commands.

#include <QLabel>

namespace gearsel {

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);

Q_SIGNALS:
    // A left click released over the label.
    void clicked();
    // The pointer moved over the label.
    void hovered();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace gearsel
