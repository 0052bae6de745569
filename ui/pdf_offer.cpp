// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pdf_offer.h"

#include "ui/prompter.h"
#include "ui/saved_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace gearsel {

namespace {

// The texts' context for the translation tools and the translators.
struct PdfOfferText {
    Q_DECLARE_TR_FUNCTIONS(gearsel::PdfOffer)
};

} // namespace

QString documentsFilePath(const QString& fileName) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(fileName);
}

QString withSuffix(const QString& path, const QString& suffix) {
    if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) == 0) {
        return path;
    }
    return path + QLatin1Char('.') + suffix;
}

void offerPdf(Prompter& prompter, const QString& problem, const PdfOffer& offer,
              const std::function<bool(const QString&)>& write) {
    const QString question = problem + QStringLiteral("\n\n") +
                             PdfOfferText::tr("是否将%1保存为PDF文件? ").arg(offer.what);
    if (!prompter.askYesNo(question, Prompter::Icon::Question)) {
        return;
    }
    const std::optional<QString> path =
        prompter.askSavePath(PdfOfferText::tr("保存%1").arg(offer.what), offer.defaultPath,
                             PdfOfferText::tr("PDF 文件 (*.pdf)"));
    if (!path) {
        return;
    }
    const QString file = withSuffix(*path, QStringLiteral("pdf"));
    if (write(file)) {
        fileSaved(prompter, SavedFileKind::Pdf, offer.what, file);
    } else {
        prompter.inform(PdfOfferText::tr("无法写入文件“%1”，%2没有保存。")
                            .arg(QDir::toNativeSeparators(file), offer.what));
    }
}

} // namespace gearsel
