// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list of trains printed as a ruled table on portrait pages, as many as its rows need: on
// every page the title, the machine and the required ratio, the heading row and up to
// kTrainTableRowsPerPage rows; the date and the page number under it. The first column (the
// numbers) and the tooth counts are narrow, the three number columns at the end wide.

#include "print/train_table_content.h"

class QPagedPaintDevice;
class QPainter;

namespace gearsel {

inline constexpr int kTrainTableRowsPerPage = 36;

// The pages that `rows` rows take; at least one, which shows the headings.
int trainTablePageCount(int rows);

// Draws page `page` (from 0) on the device `painter` is open on, filling the device's page.
void drawTrainTablePage(QPainter& painter, const TrainTableContent& content, int page);

// Prints every page on `device`. False when the device cannot be painted on, has no room for
// another page, or did not finish.
bool printTrainTable(QPagedPaintDevice& device, const TrainTableContent& content);

} // namespace gearsel
