#include "tools/cli/chart_pdf.h"

#include "print/chart_page_layout.h"
#include "print/printer_output.h"
#include "tools/cli/strict_number.h"

#include <QGuiApplication>
#include <memory>

namespace gearsel::cli {

int writeChartPdfFile(const std::string& path, const ChartPrintoutContent& content) {
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
    if (!writeChartPdf(QString::fromStdString(path), content)) {
        throw UsageError{"cannot write the PDF file '" + path + "'"};
    }
    return chartPageCount(static_cast<int>(content.rows.size()));
}

} // namespace gearsel::cli
