// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/saved_file.h"

#include "ui/pdf_offer.h"
#include "ui/prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace gearsel {

namespace {

QString settingsKey(SavedFileKind kind) {
    return kind == SavedFileKind::Pdf ? QStringLiteral("saveFolders/pdf")
                                      : QStringLiteral("saveFolders/csv");
}

// The user's settings of the program: ~/.config/gearsel/gearsel.conf.
QSettings userSettings() {
    return QSettings(QStringLiteral("gearsel"), QStringLiteral("gearsel"));
}

} // namespace

QString startingSavePath(SavedFileKind kind, const QString& fileName) {
    const QString folder = userSettings().value(settingsKey(kind)).toString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        return QDir(folder).filePath(fileName);
    }
    return documentsFilePath(fileName);
}

void fileSaved(Prompter& prompter, SavedFileKind kind, const QString& what, const QString& file) {
    userSettings().setValue(settingsKey(kind), QFileInfo(file).absolutePath());
    prompter.inform(QCoreApplication::translate("gearsel::SavedFile", "%1已保存为“%2”。")
                        .arg(what, QDir::toNativeSeparators(file)));
}

} // namespace gearsel
