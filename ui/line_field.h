// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A single-line text box that selects its whole text when it gets the focus and reports
// losing the focus and the Enter key, which the window's fields act on.

#include <QLineEdit>

namespace gearsel {

// Whether a focus event moves the focus between the window's own controls. The window losing
// or regaining the activation (a message box, another program) and a field's own popup menu
// are no such move, so they neither validate a field nor select its text.
bool movesFocusWithinWindow(const QFocusEvent* event);

// Whether a key that a text field would take for itself is a command key of the window that
// the field lets pass: Ctrl+E, which on X11 also moves to the end of the line (as End does),
// edits the gear set.
bool isCommandKey(const QKeyEvent* event);

class LineField : public QLineEdit {
    Q_OBJECT
public:
    explicit LineField(QWidget* parent = nullptr);

Q_SIGNALS:
    void focusLost();
    // Enter or Return; the key is not passed on.
    void enterPressed();

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace gearsel
