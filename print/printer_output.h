// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sending the printed result list or a chart somewhere: to the system's default printer or
// into a PDF file.

#include "print/chart_printout_content.h"
#include "print/fit_picture_content.h"
#include "print/printout_content.h"
#include "print/train_table_content.h"

#include <QString>

namespace gearsel {

// What became of a page sent to the printer.
struct PrinterResult {
    bool printed = false;
    QString problem; // when not printed: why, as a sentence for the user
};

// Prints the page on the default printer (the first one installed when none is the default).
// Reports rather than fails when no printer is installed or the printer refuses the job.
PrinterResult printOnDefaultPrinter(const PrintoutContent& content);

// Writes the page as a one-page A4 PDF file at `path`, as writeWholeFile() writes: all of it
// or nothing. False, with the cause in `problem` when it is given, when that failed.
bool writePdf(const QString& path, const PrintoutContent& content, QString* problem = nullptr);

// The chart's pages on the default printer, in landscape, reported as printOnDefaultPrinter().
PrinterResult printChartOnDefaultPrinter(const ChartPrintoutContent& content);

// Writes the chart's pages as an A4 landscape PDF file at `path`, as writePdf() does.
bool writeChartPdf(const QString& path, const ChartPrintoutContent& content,
                   QString* problem = nullptr);

// A list of trains on portrait pages (print/train_table_printout.h), on the default printer
// or as an A4 PDF file, reported as above.
PrinterResult printTrainTableOnDefaultPrinter(const TrainTableContent& content);
bool writeTrainTablePdf(const QString& path, const TrainTableContent& content,
                        QString* problem = nullptr);

// The picture of a listed train on the default printer, in landscape, reported as
// printOnDefaultPrinter().
PrinterResult printFitPictureOnDefaultPrinter(const FitPictureContent& content);

// Writes the picture of a listed train as an A4 landscape PDF file at `path`, as writePdf()
// does.
bool writeFitPicturePdf(const QString& path, const FitPictureContent& content,
                        QString* problem = nullptr);

} // namespace gearsel
