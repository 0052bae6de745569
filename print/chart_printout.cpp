// SPDX-License-Identifier: GPL-3.0-or-later
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
struct ChartPrintoutText {
    Q_DECLARE_TR_FUNCTIONS(gearsel::ChartPrintout)
};

void drawRules(QPainter& painter, const ChartPageLayout& layout, int rows) {
    const double bottom = layout.rowTop(rows + 1);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(rulePen(painter, 3));
    painter.drawRect(QRectF(QPointF(layout.left, layout.top), QPointF(layout.right(), bottom)));
    painter.drawLine(QPointF(layout.left, layout.rowTop(1)),
                     QPointF(layout.right(), layout.rowTop(1)));
    painter.setPen(rulePen(painter, 1));
    for (int row = 2; row <= rows; ++row) {
        painter.drawLine(QPointF(layout.left, layout.rowTop(row)),
                         QPointF(layout.right(), layout.rowTop(row)));
    }
    for (int c = 1; c < layout.columns(); ++c) {
        const double x = layout.edges[static_cast<std::size_t>(c)];
        painter.drawLine(QPointF(x, layout.top), QPointF(x, bottom));
    }
}

void drawCells(QPainter& painter, const ChartPageLayout& layout,
               const std::vector<std::string>& cells, int row) {
    const QFont font = songFont(9);
    const double y = layout.rowTop(row) + (layout.rowHeight - lineHeight(painter, font)) / 2;
    for (int c = 0; c < layout.columns(); ++c) {
        const auto& text = cells[static_cast<std::size_t>(c)];
        if (!text.empty()) {
            putCentred(painter, QString::fromStdString(text), font, layout.columnCentre(c), y);
        }
    }
}

} // namespace

QString chartPageNumber(int page, int pages) {
    return ChartPrintoutText::tr("第 %1 页，共 %2 页").arg(page + 1).arg(pages);
}

void drawChartPage(QPainter& painter, const ChartPrintoutContent& content, int page) {
    const QPaintDevice* device = painter.device();
    const bool threePairs = !content.threePairRows.empty();
    // The headings, then every row's cells, with the position column where rows name one.
    const std::vector<ChartLine> lines = threePairs
                                             ? chartLines(content.threePairRows, content.language)
                                             : chartLines(content.rows, content.language);
    const bool positions =
        threePairs ? namesPositions(content.threePairRows) : namesPositions(content.rows);
    const ChartPageLayout layout =
        chartPageLayout(device->width(), device->height(), positions, threePairs);
    const int total = static_cast<int>(lines.size()) - 1;
    const int first = page * kChartRowsPerPage;
    const int rows = std::clamp(total - first, 0, kChartRowsPerPage);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    drawRules(painter, layout, rows);
    painter.setPen(Qt::black);
    putCentred(painter, content.title, heiFont(16), layout.left + layout.tableWidth / 2,
               layout.titleTop);
    putText(painter, ChartPrintoutText::tr("机床名称：") + content.machineName.trimmed(),
            songFont(11), layout.left, layout.machineTop);
    if (!content.constants.isEmpty()) {
        putText(painter, ChartPrintoutText::tr("机床常数：") + content.constants, songFont(11),
                layout.left, layout.constantsTop);
    }
    for (int r = 0; r <= rows; ++r) {
        drawCells(painter, layout, lines[static_cast<std::size_t>(r == 0 ? 0 : first + r)], r);
    }
    putText(painter, printedDateLine(content.printedAt), songFont(9), layout.left,
            layout.footerTop);
    putRightAligned(painter, chartPageNumber(page, chartPageCount(total)), songFont(9),
                    layout.right(), layout.footerTop);
    painter.restore();
}

bool printChart(QPagedPaintDevice& device, const ChartPrintoutContent& content) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const int pages = chartPageCount(
        static_cast<int>(std::max(content.rows.size(), content.threePairRows.size())));
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        drawChartPage(painter, content, page);
    }
    return painter.end();
}

} // namespace gearsel
