// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/prompter.h"

#include "ui/screen_fit.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace gearsel {

namespace {

// A message box wraps its text, and a long path has no place to break but in the middle of a
// name; a zero-width space after each slash lets it break between folders instead.
QString breakablePaths(QString text) {
    return text.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
}

} // namespace

QString promptTitle() {
    return QCoreApplication::translate("gearsel::Prompter", "操作提示");
}

void MessageBoxPrompter::inform(const QString& text) {
    QMessageBox::information(parent_, promptTitle(), breakablePaths(text));
}

bool MessageBoxPrompter::askYesNo(const QString& text, Icon icon) {
    QMessageBox box(icon == Icon::Question ? QMessageBox::Question : QMessageBox::Information,
                    promptTitle(), breakablePaths(text), QMessageBox::Yes | QMessageBox::No,
                    parent_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> MessageBoxPrompter::askText(const QString& prompt,
                                                   const QString& defaultText) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent_, promptTitle(), prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

std::optional<QString> MessageBoxPrompter::askSavePath(const QString& title,
                                                       const QString& defaultPath,
                                                       const QString& filter) {
    QFileDialog dialog(parent_, title, defaultPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.resize(sizeWithin(dialog.size(), availableArea(&dialog)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front();
}

} // namespace gearsel
