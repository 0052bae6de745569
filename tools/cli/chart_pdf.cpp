// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/chart_pdf.h"

#include "print/chart_page_layout.h"
#include "print/printer_output.h"
#include "tools/cli/strict_number.h"

#include <QGuiApplication>
#include <algorithm>
#include <memory>

namespace gearsel::cli {

namespace {

int writeChartPdfFile(const std::string& path, const ChartHeading& heading,
                      const std::vector<ChartRow>& rows,
                      const std::vector<ThreePairChartRow>& threePairRows) {
    // Qt's own notes (a missing runtime folder, font fallbacks) are not for the user of a
    // command-line tool, whose stderr carries one line for a failure and nothing else.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    struct Restore {
        QtMessageHandler handler;
        ~Restore() { qInstallMessageHandler(handler); }
    } restore{previous};
    // Fonts and painting need an application object; the offscreen platform needs no display.
    std::unique_ptr<QGuiApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        static char name[] = "gearsel-cli";
        static char platformOption[] = "-platform";
        static char platform[] = "offscreen";
        static char* argv[] = {name, platformOption, platform, nullptr};
        static int argc = 3;
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    ChartPrintoutContent content;
    content.title = QString::fromStdString(heading.title);
    content.machineName = QString::fromStdString(heading.machine);
    content.constants = QString::fromStdString(heading.constants);
    content.rows = rows;
    content.threePairRows = threePairRows;
    content.printedAt = QDateTime::currentDateTime();
    QString problem;
    if (!writeChartPdf(QString::fromStdString(path), content, &problem)) {
        throw UsageError{"cannot write the PDF file '" + path + "': " + problem.toStdString()};
    }
    return chartPageCount(static_cast<int>(std::max(rows.size(), threePairRows.size())));
}

} // namespace

ChartPdfWriter chartPdfWriter() {
    return &writeChartPdfFile;
}

} // namespace gearsel::cli
