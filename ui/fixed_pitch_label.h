// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that lays its text out as a fixed-pitch Chinese font does: every character that
// is not ASCII takes one full cell (the width of "中"), every ASCII character half of one.
// Captions that use blanks to leave room for fields beside them then line up in any font.

#include "ui/clickable_label.h"

namespace gearsel {

class FixedPitchLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit FixedPitchLabel(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Width of the cell of one character.
    int cellWidth(QChar c) const;
};

} // namespace gearsel
