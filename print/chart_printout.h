// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chart printed as a table on as many pages as its rows need: on every page the title, the
// machine and its constants, the heading row, up to kChartRowsPerPage rows, and the date and
// time with the page number ("第 2 页，共 5 页"). It draws on any paged device, so the same pages
// go to a printer, a PDF file or images.

#include "print/chart_page_layout.h"
#include "print/chart_printout_content.h"

#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace gearsel {

// The line under the table of page `page` (from 0) of `pages`: "第 1 页，共 5 页".
QString chartPageNumber(int page, int pages);

// Draws page `page` (from 0) on the device `painter` is open on, filling the device's page.
void drawChartPage(QPainter& painter, const ChartPrintoutContent& content, int page);

// Prints every page of the chart on `device`. False when the device cannot be painted on, has
// no room for another page, or did not finish.
bool printChart(QPagedPaintDevice& device, const ChartPrintoutContent& content);

} // namespace gearsel
