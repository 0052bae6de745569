// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main face on a plain window, without the window's own behaviour: for the parts that
// attach themselves to the face from outside (usage notes, hover feedback, painted face).

#include "ui/main_face.h"
#include "ui/ui_style.h"

#include <QPoint>
#include <QTest>
#include <QWidget>

namespace gearsel::testing {

class BareFace {
public:
    explicit BareFace(int twipsPerPixel = 15)
        : face(styled(window), TwipsScale(twipsPerPixel, twipsPerPixel)) {
        window.setFixedSize(face.panels().Ped0->size());
    }

    // Shows the window and waits until it is active.
    bool show() {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    // Moves the pointer, as the mouse does, to `point` of `widget` (its centre by default):
    // the toolkit decides which control receives the move.
    void moveOver(QWidget* widget, QPoint point) {
        QTest::mouseMove(window.windowHandle(), widget->mapTo(&window, point));
    }
    void moveOver(QWidget* widget) { moveOver(widget, widget->rect().center()); }

    QWidget window;
    MainFace face;

private:
    static QWidget* styled(QWidget& window) {
        window.setFont(style::song(9));
        return &window;
    }
};

} // namespace gearsel::testing
