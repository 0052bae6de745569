// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the printed result list shows, gathered from the window at the moment of printing.

#include "engine/result_list.h"
#include "print/row_position.h"

#include <QDateTime>
#include <QString>

namespace gearsel {

struct PrintoutContent {
    ResultList results;         // the ranked list of the last search
    double requiredRatio = 0.0; // the required ratio now in force; relative errors use it
    int rows = 0;               // the table rows asked for; the page keeps 0 to 24 of them
    QString machineName;        // the machine box's text
    QString ratioText;          // the ratio field's text, printed as it stands
    QDateTime printedAt;        // the date and time printed under the table
    // Each row's gearbox position where the positions were searched together, else empty: the
    // name stands beside the row, and its relative error is against the position's ratio.
    std::vector<RowPosition> positions;
};

} // namespace gearsel
