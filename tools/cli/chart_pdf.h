// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place where gearsel-cli uses Qt: printing a chart into a PDF file through the
// printing library, on Qt's offscreen platform, so that no display is needed.

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

// Writes the chart's pages, dated now, into the PDF file `path`; returns the number of pages.
// Throws UsageError when the file cannot be written.
int writeChartPdfFile(const std::string& path, const ChartHeading& heading,
                      const std::vector<ChartRow>& rows);

} // namespace gearsel::cli
