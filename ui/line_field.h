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

class LineField : public QLineEdit {
    Q_OBJECT
public:
    explicit LineField(QWidget* parent = nullptr);

Q_SIGNALS:
    void focusLost();
    // Enter or Return; the key is not passed on.
    void enterPressed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace gearsel
