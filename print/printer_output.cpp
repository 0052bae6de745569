#include "print/printer_output.h"

#include "print/printout.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace gearsel {

namespace {

const QString kDocumentName = QStringLiteral("挂轮选配结果列表");

} // namespace

PrinterResult printOnDefaultPrinter(const PrintoutContent& content) {
    // Without a printer a default QPrinter quietly becomes a PDF writer; ask for the list.
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (printers.isEmpty()) {
        return {false, QStringLiteral("没有找到已安装的打印机，无法打印。")};
    }
    QPrinterInfo target = QPrinterInfo::defaultPrinter();
    if (target.isNull()) {
        target = printers.first();
    }
    QPrinter printer(target, QPrinter::HighResolution);
    printer.setDocName(kDocumentName);
    if (!printer.isValid() || !printPage(printer, content) ||
        printer.printerState() == QPrinter::Error) {
        return {false, QStringLiteral("打印机“%1”无法打印。").arg(target.printerName())};
    }
    return {true, QString()};
}

bool writePdf(const QString& path, const PrintoutContent& content) {
    QPdfWriter writer(path);
    writer.setTitle(kDocumentName);
    writer.setCreator(QStringLiteral("GearSel"));
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return printPage(writer, content);
}

} // namespace gearsel
