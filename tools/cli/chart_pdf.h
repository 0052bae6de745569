// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing a chart into a PDF file. It needs Qt (the printing library, on Qt's offscreen
// platform, so that no display is needed), which only the program gearsel-cli-pdf loads:
// gearsel-cli stays free of Qt and hands a chart --pdf command over to it (pdf_program.h).

#include "engine/ratio_chart.h"

#include <string>
#include <vector>

namespace gearsel::cli {

// What a chart shows above its rows (UTF-8 texts).
struct ChartHeading {
    std::string title;
    std::string machine;
    std::string constants; // empty when none
};

// Writes the chart's pages, dated now, into the PDF file `path`: the rows of two-pair trains,
// or where there are any, the rows of three-pair trains. Returns the number of pages. Throws
// UsageError when the file cannot be written.
using ChartPdfWriter = int (*)(const std::string& path, const ChartHeading& heading,
                               const std::vector<ChartRow>& rows,
                               const std::vector<ThreePairChartRow>& threePairRows);

// This program's PDF writer, or nullptr in gearsel-cli, which has none.
ChartPdfWriter chartPdfWriter();

} // namespace gearsel::cli
