// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A rounded rectangle drawn on a panel, like the faces of the editor and notes panels and the
// frame of the computing notice. It takes no mouse input.

#include <QColor>
#include <QWidget>
#include <optional>

namespace gearsel {

class ShapeWidget : public QWidget {
public:
    // `fill` empty: only the outline is drawn.
    ShapeWidget(QColor border, std::optional<QColor> fill, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor border_;
    std::optional<QColor> fill_;
};

} // namespace gearsel
