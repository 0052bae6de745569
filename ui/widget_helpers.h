// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers that several parts of the window share: captions, colours and text.

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <iterator>
#include <string>

class QLabel;
class QWidget;

namespace gearsel {

// Sets a label's caption and sizes the label to it, as labels that size themselves do.
void setCaption(QLabel* label, const QString& text);

// A caption of the window: a label called `name` at `at` in `parent`, sized to `text`.
QLabel* makeCaption(QWidget* parent, const char* name, QPoint at, const QString& text,
                    const QString& toolTip = {});

// Gives `widget` the colour `colour` for `role` in its palette.
void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// A text as the engine and the store read it: UTF-8.
inline std::string utf8(const QString& text) {
    return text.toStdString();
}

// UTF-8 texts (a row of cells, a list of lines) as the widgets show them.
template <typename Texts> QStringList qtTexts(const Texts& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(std::size(texts)));
    for (const std::string& text : texts) {
        list << QString::fromStdString(text);
    }
    return list;
}

} // namespace gearsel
