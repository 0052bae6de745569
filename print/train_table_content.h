// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a printed list of trains shows whose columns are not the result grid's (three-pair
// trains, with their gearbox positions where the positions were searched together): the
// texts as the window shows them, gathered at the moment of printing.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace gearsel {

struct TrainTableContent {
    QString title;                 // over the table
    QString machineName;           // the machine the trains are for
    QString ratioText;             // the required ratio as it was searched
    QStringList headings;          // one per column
    std::vector<QStringList> rows; // as many cells as headings each
    QDateTime printedAt;           // printed under the table
};

} // namespace gearsel
