// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that reports clicks: the caption beside a command's picture, the bars behind the
// captions and the banner, which start their command (or show another banner) when clicked.

#include <QLabel>

namespace gearsel {

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);

Q_SIGNALS:
    // A left click released over the label.
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace gearsel
