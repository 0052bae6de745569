// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps the keyboard inside the panels that cover the main face (the gear-set editor, the
// usage notes), so that no key reaches the fields hidden behind them. The panel in front takes
// the focus when it is shown, Tab and Shift+Tab move only among its own controls, Esc closes
// it, and once it hides the focus goes to the panel now in front, or back to the control of
// the face that had it before any panel covered the face.

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QWidget;

namespace gearsel {

class PanelFocus : public QObject {
    Q_OBJECT
public:
    explicit PanelFocus(QObject* parent = nullptr);

    // Adds a covering panel, which takes the focus when it is shown (on the control it names
    // as its focus proxy); `close` closes it on Esc. All panels share one parent, whose
    // stacking order says which is in front.
    void addPanel(QWidget* panel, std::function<void()> close);
    // Moves the focus to the next (or previous) control of the panel in front, round its own
    // controls only. False when no panel covers the face.
    bool moveFocus(bool next);
    // Whether a panel covers the face now.
    bool covered();

Q_SIGNALS:
    // A panel was shown or hidden: whether one covers the face now.
    void coveredChanged(bool covered);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Panel {
        QWidget* widget;
        std::function<void()> close;
    };

    // The visible panel in front, or null.
    Panel* front();
    Panel* panelHolding(const QWidget* widget);
    // Gives the panel the focus, on its focus proxy.
    static void enter(const Panel& panel);
    void shown(const Panel& panel);
    void hidden(const Panel& panel);

    std::vector<Panel> panels_;
    QPointer<QWidget> faceFocus_; // the face's control that had the focus before
};

} // namespace gearsel
