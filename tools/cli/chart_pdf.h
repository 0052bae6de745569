#pragma once
// The one place where gearsel-cli uses Qt: printing a chart into a PDF file through the
// printing library, on Qt's offscreen platform, so that no display is needed.

#include "print/chart_printout_content.h"

#include <string>

namespace gearsel::cli {

// Writes the chart's pages into the PDF file `path`; returns the number of pages. Throws
// UsageError when the file cannot be written.
int writeChartPdfFile(const std::string& path, const ChartPrintoutContent& content);

} // namespace gearsel::cli
