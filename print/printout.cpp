// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/printout.h"

#include "engine/number_text.h"
#include "present/result_text.h"
#include "print/page_painting.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace gearsel {

namespace {

// The page's texts, in the language of the translation installed (the window's).
struct PrintoutText {
    Q_DECLARE_TR_FUNCTIONS(gearsel::Printout)
};

const QString kLogo = QStringLiteral(":/print/logo.svg");

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

void drawLogo(QPainter& painter, const PrintoutLayout& layout) {
    QSvgRenderer logo(kLogo);
    if (logo.isValid()) {
        logo.render(&painter, layout.logoRect());
    }
}

void drawRules(QPainter& painter, const PrintoutLayout& layout) {
    const double right = layout.left + layout.tableWidth;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(rulePen(painter, 3));
    painter.drawRect(QRectF(QPointF(layout.left, layout.headingTop()), QPointF(right, layout.top)));
    painter.drawRect(QRectF(QPointF(layout.left, layout.top), QPointF(right, layout.bottom)));

    painter.setPen(rulePen(painter, 1));
    for (int j = 1; j < layout.rows; ++j) {
        const double y = layout.top + j * layout.rowHeight;
        painter.drawLine(QPointF(layout.left, y), QPointF(right, y));
    }
    for (int c = 1; c < kPrintColumns; ++c) {
        const double x = layout.edges[static_cast<std::size_t>(c)];
        painter.drawLine(QPointF(x, layout.headingTop()), QPointF(x, layout.bottom));
    }
}

void drawRow(QPainter& painter, const PrintoutLayout& layout, const PrintedRow& cells, double y) {
    const QFont font = songFont(12);
    for (int c = 0; c < kPrintColumns; ++c) {
        const QString& text = cells[static_cast<std::size_t>(c)];
        if (!text.isEmpty()) {
            putCentred(painter, text, font, layout.columnCentre(c), y);
        }
    }
}

} // namespace

QString printoutTitle() {
    return PrintoutText::tr("挂轮选配列表");
}

PrintedRow printedHeadings() {
    return {PrintoutText::tr("序号"),     QStringLiteral("Z(1)"),      QStringLiteral("Z(2)"),
            QStringLiteral("Z(3)"),       QStringLiteral("Z(4)"),      PrintoutText::tr("计算速比"),
            PrintoutText::tr("绝对精度"), PrintoutText::tr("相对精度")};
}

PrintedRow printedRow(int number, const ResultSlot& slot, double requiredRatio) {
    const auto teeth = [](std::int16_t z) { return z == 0 ? QString() : QString::number(z); };
    PrintedRow row;
    row[0] = QString::number(number) + (slot.repeat ? QStringLiteral("(R)") : QString());
    row[1] = teeth(slot.train.z1);
    row[2] = teeth(slot.train.z2);
    row[3] = teeth(slot.train.z3);
    row[4] = teeth(slot.train.z4);
    row[5] = fromUtf8(ratioText(slot.calcRatio));
    row[6] = fromUtf8(formatFixed(slot.absError, 7));
    row[7] = fromUtf8(formatFixed(relativeError(slot, requiredRatio), 7));
    return row;
}

QString printedDateLine(const QDateTime& when) {
    return when.toString(QStringLiteral("MM-dd-yyyy  HH:mm:ss"));
}

void drawPrintout(QPainter& painter, const PrintoutContent& content) {
    const QPaintDevice* device = painter.device();
    const PrintoutLayout layout = printoutLayout(device->width(), device->height(), content.rows);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    drawLogo(painter, layout);
    drawRules(painter, layout);

    painter.setPen(Qt::black);
    putCentred(painter, printoutTitle(), heiFont(20), layout.titleCentre(), layout.titleTop());
    putText(painter, PrintoutText::tr("机床名称：") + content.machineName.trimmed(), songFont(12),
            layout.machineLeft(), layout.infoTop());
    putText(painter, PrintoutText::tr("指定速比：") + content.ratioText, songFont(12),
            layout.ratioLeft(), layout.infoTop());

    // Texts sit in the middle of their row.
    const double padding = (layout.rowHeight - lineHeight(painter, songFont(12))) / 2;
    drawRow(painter, layout, printedHeadings(), layout.headingTop() + padding);
    const auto& slots = content.results.slots;
    const auto& positions = content.positions;
    // The positions stand in the margin left of the table, so the table keeps its columns.
    const double positionRight = layout.left - 0.15 * layout.narrowWidth;
    if (!positions.empty()) {
        putRightAligned(painter, PrintoutText::tr("档位"), songFont(12), positionRight,
                        layout.headingTop() + padding);
    }
    for (int i = 1; i <= layout.rows && i <= static_cast<int>(slots.size()); ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        const ResultSlot& slot = slots[at];
        if (!slot.filled()) {
            break;
        }
        const bool positioned = at < positions.size();
        drawRow(
            painter, layout,
            printedRow(i, slot, positioned ? positions[at].requiredRatio : content.requiredRatio),
            layout.rowTop(i) + padding);
        if (positioned) {
            putRightAligned(painter, positions[at].name, songFont(12), positionRight,
                            layout.rowTop(i) + padding);
        }
    }

    putText(painter, printedDateLine(content.printedAt), songFont(11), layout.dateLeft(),
            layout.dateTop());
    painter.restore();
}

bool printPage(QPagedPaintDevice& device, const PrintoutContent& content) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    drawPrintout(painter, content);
    return painter.end();
}

} // namespace gearsel
