// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/command_button.h"

#include "ui/picture_label.h"

#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOption>

namespace gearsel {

namespace {

// The frame around a command with the focus: plain enough to be seen on the panel's colours.
const QColor kFocusFrame(0, 0, 192);

} // namespace

CommandButton::CommandButton(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
    setText(caption);
    setFocusPolicy(Qt::TabFocus);
    // The picture stands on the panel's face, which shows around it.
    setAttribute(Qt::WA_TranslucentBackground);
}

CommandButton* CommandButton::withPicture(const QString& resource, const QString& caption,
                                          QWidget* parent) {
    auto* button = new CommandButton(caption, parent);
    button->picture_ = resource;
    return button;
}

CommandButton* CommandButton::withCaption(const QString& caption, QWidget* parent) {
    auto* button = new CommandButton(caption, parent);
    button->resize(button->sizeHint());
    return button;
}

void CommandButton::setHoverText(const QString& text) {
    hoverText_ = text;
    showToolTip();
}

void CommandButton::setKey(const QKeySequence& key) {
    setShortcut(key);
    nameKey(key);
}

void CommandButton::addKey(const QKeySequence& key) {
    // Active, as the button's own key, while the button is visible and enabled.
    connect(new QShortcut(key, this), &QShortcut::activated, this, &CommandButton::click);
}

void CommandButton::nameKey(const QKeySequence& key) {
    key_ = key;
    showToolTip();
}

void CommandButton::showToolTip() {
    const QString key = key_.toString(QKeySequence::NativeText);
    if (key.isEmpty()) {
        setToolTip(hoverText_);
    } else if (hoverText_.isEmpty()) {
        setToolTip(key);
    } else {
        setToolTip(tr("%1（%2）").arg(hoverText_, key));
    }
}

QSize CommandButton::sizeHint() const {
    if (!picture_.isEmpty()) {
        return size();
    }
    // As a label that sizes itself to its text.
    return fontMetrics()
        .boundingRect(QRect(0, 0, 2000, 2000), Qt::AlignLeft | Qt::AlignVCenter, text())
        .size();
}

bool CommandButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        // The key clicks at once and leaves the focus where it is.
        if (!static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            click();
        }
        return true;
    }
    return QAbstractButton::event(event);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    // Enter gives the command with the focus, as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CommandButton::resizeEvent(QResizeEvent* event) {
    QAbstractButton::resizeEvent(event);
    if (!picture_.isEmpty()) {
        rendered_ = renderPicture(picture_, size(), devicePixelRatioF());
    }
}

void CommandButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    if (!picture_.isEmpty()) {
        // A disabled command shows its picture greyed, as a disabled image does.
        const QPixmap shown =
            isEnabled() ? rendered_
                        : style()->generatedIconPixmap(QIcon::Disabled, rendered_, &option);
        painter.drawPixmap(0, 0, shown);
    } else {
        style()->drawItemText(&painter, rect(), Qt::AlignLeft | Qt::AlignVCenter, palette(),
                              isEnabled(), text(), QPalette::WindowText);
    }
    // The focus is framed once the keyboard has moved it in this window, as buttons do: a
    // panel opened by a click shows its commands as they have always looked.
    if (hasFocus() && (option.state & QStyle::State_KeyboardFocusChange) != 0) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kFocusFrame, 2, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

} // namespace gearsel
