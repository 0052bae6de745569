// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/train_table_printout.h"

#include "print/chart_printout.h"
#include "print/page_painting.h"
#include "print/printout.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace gearsel {

namespace {

// The pages' texts, in the language of the translation installed (the window's).
struct TrainTableText {
    Q_DECLARE_TR_FUNCTIONS(gearsel::TrainTablePrintout)
};

// The columns' edges across the table: the last three (ratio and errors) take three shares
// each, every other column two.
std::vector<double> columnEdges(int columns, double left, double width) {
    const int wide = std::min(columns, 3);
    const int shares = 2 * (columns - wide) + 3 * wide;
    std::vector<double> edges{left};
    for (int c = 0; c < columns; ++c) {
        edges.push_back(edges.back() + width * (c >= columns - wide ? 3 : 2) / shares);
    }
    return edges;
}

} // namespace

int trainTablePageCount(int rows) {
    return std::max(1, (rows + kTrainTableRowsPerPage - 1) / kTrainTableRowsPerPage);
}

void drawTrainTablePage(QPainter& painter, const TrainTableContent& content, int page) {
    const double pageWidth = painter.device()->width();
    const double pageHeight = painter.device()->height();
    const double left = 0.08 * pageWidth;
    const double width = pageWidth - 2 * left;
    const double rowHeight = 0.8 * pageHeight / (kTrainTableRowsPerPage + 6);
    const double top = 0.06 * pageHeight + 3 * rowHeight;
    const int columns = static_cast<int>(content.headings.size());
    const std::vector<double> edges = columnEdges(columns, left, width);
    const int total = static_cast<int>(content.rows.size());
    const int first = page * kTrainTableRowsPerPage;
    const int rows = std::clamp(total - first, 0, kTrainTableRowsPerPage);
    const double bottom = top + (rows + 1) * rowHeight;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(rulePen(painter, 3));
    painter.drawRect(QRectF(QPointF(left, top), QPointF(left + width, bottom)));
    painter.setPen(rulePen(painter, 1));
    for (int row = 1; row <= rows; ++row) {
        const double y = top + row * rowHeight;
        painter.drawLine(QPointF(left, y), QPointF(left + width, y));
    }
    for (int c = 1; c < columns; ++c) {
        const double x = edges[static_cast<std::size_t>(c)];
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    }

    painter.setPen(Qt::black);
    putCentred(painter, content.title, heiFont(16), left + width / 2, 0.06 * pageHeight);
    putText(painter, TrainTableText::tr("机床名称：") + content.machineName.trimmed(), songFont(11),
            left, top - 1.6 * rowHeight);
    putText(painter, TrainTableText::tr("指定速比：") + content.ratioText, songFont(11),
            left + width / 2, top - 1.6 * rowHeight);
    const QFont font = songFont(10);
    const double padding = (rowHeight - lineHeight(painter, font)) / 2;
    const auto drawCells = [&](const QStringList& cells, int row) {
        for (int c = 0; c < columns && c < cells.size(); ++c) {
            const auto at = static_cast<std::size_t>(c);
            putCentred(painter, cells[c].trimmed(), font, (edges[at] + edges[at + 1]) / 2,
                       top + row * rowHeight + padding);
        }
    };
    drawCells(content.headings, 0);
    for (int r = 0; r < rows; ++r) {
        drawCells(content.rows[static_cast<std::size_t>(first + r)], r + 1);
    }
    putText(painter, printedDateLine(content.printedAt), songFont(9), left,
            bottom + 0.4 * rowHeight);
    putRightAligned(painter, chartPageNumber(page, trainTablePageCount(total)), songFont(9),
                    left + width, bottom + 0.4 * rowHeight);
    painter.restore();
}

bool printTrainTable(QPagedPaintDevice& device, const TrainTableContent& content) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const int pages = trainTablePageCount(static_cast<int>(content.rows.size()));
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        drawTrainTablePage(painter, content, page);
    }
    return painter.end();
}

} // namespace gearsel
