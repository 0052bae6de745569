// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printed result list: one page with the logo, the title, the machine and the required
// ratio, the ruled table of the ranked trains and the date and time of printing. It draws on
// any paint device, so the same page goes to a printer, a PDF file or an image.

#include "base/version.h"
#include "engine/gear_train.h"
#include "print/printout_content.h"
#include "print/printout_layout.h"

#include <QString>
#include <array>

class QPagedPaintDevice;
class QPainter;

namespace gearsel {

using PrintedRow = std::array<QString, kPrintColumns>;

// The title over the table: the program's Chinese name and 列表, or its English.
QString printoutTitle();

// The heading row of the table.
PrintedRow printedHeadings();

// The cells of row `number` (from 1) showing `slot`: the number with "(R)" for a repeated
// tooth count, the tooth counts (a 0 stays empty), the ratio with six decimals from 10 up and
// seven below, and the absolute and relative errors with seven.
PrintedRow printedRow(int number, const ResultSlot& slot, double requiredRatio);

// The line under the table: "MM-dd-yyyy  HH:mm:ss".
QString printedDateLine(const QDateTime& when);

// Draws the page on the device `painter` is open on, filling the device's page.
void drawPrintout(QPainter& painter, const PrintoutContent& content);

// Prints the page as the one page of `device`. False when the device cannot be painted on or
// did not finish the page.
bool printPage(QPagedPaintDevice& device, const PrintoutContent& content);

} // namespace gearsel
