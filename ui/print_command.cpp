// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/print_command.h"

#include "ui/pdf_offer.h"
#include "ui/prompter.h"
#include "ui/saved_file.h"

namespace gearsel {

PrintCommand::PrintCommand(Prompter& prompter, ContentSource content, PrinterRoute printer,
                           QObject* parent)
    : QObject(parent), prompter_(prompter), content_(std::move(content)),
      printer_(std::move(printer)) {}

QString PrintCommand::question() {
    return tr("是否打印选配结果列表? \n\n准备好打印机，开始打印? ");
}

QString PrintCommand::defaultPdfPath(const QDateTime& when) {
    return startingSavePath(
        SavedFileKind::Pdf,
        tr("挂轮选配结果_%1.pdf").arg(when.toString(QStringLiteral("yyyy-MM-dd"))));
}

void PrintCommand::printResultList() {
    if (!prompter_.askYesNo(question(), Prompter::Icon::Question)) {
        return;
    }
    const PrintoutContent content = content_();
    const PrinterResult result = printer_(content);
    if (!result.printed) {
        offerPdf(content, result.problem);
    }
}

void PrintCommand::offerPdf(const PrintoutContent& content, const QString& problem) {
    gearsel::offerPdf(prompter_, problem,
                      PdfOffer{tr("选配结果列表"), defaultPdfPath(content.printedAt)},
                      [&content](const QString& path) { return writePdf(path, content); });
}

} // namespace gearsel
