// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a printed chart shows: its rows and the headings above them.

#include "engine/ratio_chart.h"
#include "present/wording.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace gearsel {

struct ChartPrintoutContent {
    QString title;       // what the chart is for, e.g. "螺纹挂轮表（公制）"
    QString machineName; // the machine, or the gear set when there is none
    QString constants;   // the constants the chart was worked out with; empty when none
    std::vector<ChartRow> rows;
    // A chart of three-pair trains: its rows, with Z5 and Z6 after Z4, instead of `rows`.
    std::vector<ThreePairChartRow> threePairRows;
    QDateTime printedAt; // the date and time printed under the table of every page
    Language language = Language::Chinese; // of the headings and marks of the table
};

} // namespace gearsel
