// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/printer_output.h"

#include "print/chart_printout.h"
#include "print/fit_picture_page.h"
#include "print/printout.h"
#include "print/train_table_printout.h"
#include "print/whole_file_output.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <functional>

namespace gearsel {

namespace {

// The texts, in the language of the translation installed (the window's).
struct PrinterOutputText {
    Q_DECLARE_TR_FUNCTIONS(gearsel::PrinterOutput)
};

// The documents' names, as the printer's queue and the PDF file's title show them.
QString listDocumentName() {
    return PrinterOutputText::tr("挂轮选配结果列表");
}
QString chartDocumentName() {
    return PrinterOutputText::tr("挂轮表");
}
QString fitPictureDocumentName() {
    return PrinterOutputText::tr("挂轮装配图");
}

using Pages = std::function<bool(QPagedPaintDevice&)>;

PrinterResult printOnDefault(const QString& documentName, QPageLayout::Orientation orientation,
                             const Pages& print) {
    // Without a printer a default QPrinter quietly becomes a PDF writer; ask for the list.
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (printers.isEmpty()) {
        return {false, PrinterOutputText::tr("没有找到已安装的打印机，无法打印。")};
    }
    QPrinterInfo target = QPrinterInfo::defaultPrinter();
    if (target.isNull()) {
        target = printers.first();
    }
    QPrinter printer(target, QPrinter::HighResolution);
    printer.setDocName(documentName);
    printer.setPageOrientation(orientation);
    if (!printer.isValid() || !print(printer) || printer.printerState() == QPrinter::Error) {
        return {false, PrinterOutputText::tr("打印机“%1”无法打印。").arg(target.printerName())};
    }
    return {true, QString()};
}

bool writeA4Pdf(const QString& path, const QString& documentName,
                QPageLayout::Orientation orientation, const Pages& print, QString* problem) {
    // The document is made in memory first: the writer cannot tell when the disk refuses its
    // bytes, and a file cut short is no PDF.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    bool made = false;
    {
        QPdfWriter writer(&document);
        writer.setTitle(documentName);
        writer.setCreator(QStringLiteral("GearSel"));
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0)));
        made = print(writer);
    }
    if (!made) {
        if (problem != nullptr) {
            *problem = QStringLiteral("the pages could not be drawn");
        }
        return false;
    }
    return writeWholeFile(path, document.data(), problem);
}

} // namespace

PrinterResult printOnDefaultPrinter(const PrintoutContent& content) {
    return printOnDefault(listDocumentName(), QPageLayout::Portrait,
                          [&](QPagedPaintDevice& device) { return printPage(device, content); });
}

bool writePdf(const QString& path, const PrintoutContent& content, QString* problem) {
    return writeA4Pdf(
        path, listDocumentName(), QPageLayout::Portrait,
        [&](QPagedPaintDevice& device) { return printPage(device, content); }, problem);
}

PrinterResult printChartOnDefaultPrinter(const ChartPrintoutContent& content) {
    return printOnDefault(chartDocumentName(), QPageLayout::Landscape,
                          [&](QPagedPaintDevice& device) { return printChart(device, content); });
}

bool writeChartPdf(const QString& path, const ChartPrintoutContent& content, QString* problem) {
    return writeA4Pdf(
        path, chartDocumentName(), QPageLayout::Landscape,
        [&](QPagedPaintDevice& device) { return printChart(device, content); }, problem);
}

PrinterResult printTrainTableOnDefaultPrinter(const TrainTableContent& content) {
    return printOnDefault(content.title, QPageLayout::Portrait, [&](QPagedPaintDevice& device) {
        return printTrainTable(device, content);
    });
}

bool writeTrainTablePdf(const QString& path, const TrainTableContent& content, QString* problem) {
    return writeA4Pdf(
        path, content.title, QPageLayout::Portrait,
        [&](QPagedPaintDevice& device) { return printTrainTable(device, content); }, problem);
}

PrinterResult printFitPictureOnDefaultPrinter(const FitPictureContent& content) {
    return printOnDefault(
        fitPictureDocumentName(), QPageLayout::Landscape,
        [&](QPagedPaintDevice& device) { return paintFitPictureOn(device, content); });
}

bool writeFitPicturePdf(const QString& path, const FitPictureContent& content, QString* problem) {
    return writeA4Pdf(
        path, fitPictureDocumentName(), QPageLayout::Landscape,
        [&](QPagedPaintDevice& device) { return paintFitPictureOn(device, content); }, problem);
}

} // namespace gearsel
