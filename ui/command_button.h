// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A command of the window as a real button. It shows either a picture, stretched to its size,
// or its caption as the window's labels show theirs (in the palette's window-text colour,
// which the hover feedback turns red and black). It has the button role with its caption as
// accessible name and its hover text as description, may have a key, and its tooltip shows
// the hover text and the key.
//
// It takes the focus by Tab only: a click leaves the focus where it was, as the window's
// picture commands always have, so that clicking 全选 does not first confirm a range field
// that is being typed. Its key acts at once, without moving the focus either.

#include <QAbstractButton>
#include <QPixmap>

namespace gearsel {

class CommandButton : public QAbstractButton {
    Q_OBJECT
public:
    // A button that shows the picture `resource` (":/pictures/...svg") and is called
    // `caption`.
    static CommandButton* withPicture(const QString& resource, const QString& caption,
                                      QWidget* parent);
    // A button that shows its caption, sized to it as a label that sizes itself.
    static CommandButton* withCaption(const QString& caption, QWidget* parent);

    // What the tooltip and the screen reader say the command does; may be empty.
    void setHoverText(const QString& text);
    // The command's key, active while the button is visible and enabled.
    void setKey(const QKeySequence& key);
    // A second key for the same command (Enter of the keypad beside Return), not named.
    void addKey(const QKeySequence& key);
    // Names a key that another part handles for this command (Esc of a panel) in the tooltip.
    void nameKey(const QKeySequence& key);
    // The key the tooltip names.
    QKeySequence key() const { return key_; }
    // The picture resource the button shows; empty for a caption.
    const QString& picture() const { return picture_; }

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CommandButton(const QString& caption, QWidget* parent);
    void showToolTip();

    QString picture_;
    QPixmap rendered_;
    QString hoverText_;
    QKeySequence key_;
};

} // namespace gearsel
