// SPDX-License-Identifier: GPL-3.0-or-later
// The printed result list: the page layout in numbers, the page written as PDF and read back
// as text, and the page drawn on an image, where the ruled, filled and empty rows and the logo
// of the page's language can be seen.

#include "logo_likeness.h"
#include "print/printer_output.h"
#include "print/printout.h"
#include "tool_output.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace gearsel;

namespace {

ResultSlot slot(int z1, int z2, int z3, int z4, double ratio, double error, bool repeat = false) {
    using Z = std::int16_t;
    return ResultSlot{GearTrain{Z(z1), Z(z2), Z(z3), Z(z4)}, repeat, ratio, error};
}

// Five rows asked for, three found: two pairs, a single pair, a repeat.
PrintoutContent threeOfFive() {
    PrintoutContent content;
    content.results.slots = {
        slot(40, 35, 60, 55, 1.2467532, 0.0121932), slot(50, 40, 0, 0, 1.25, 0.01544),
        slot(45, 40, 55, 50, 1.2375, 0.00294, true), ResultSlot{}, ResultSlot{}};
    content.requiredRatio = 1.23456;
    content.rows = 5;
    content.machineName = QStringLiteral("  CA6140 车床  ");
    content.ratioText = QStringLiteral("1.23456");
    content.printedAt = QDateTime(QDate(2026, 3, 7), QTime(21, 5, 3));
    return content;
}

// Dark pixels inside `area`.
int ink(const QImage& image, const QRectF& area) {
    const QRect pixels = area.toAlignedRect().intersected(image.rect());
    int count = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            count += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    return count;
}

} // namespace

class PrintoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutAndRowCount();
    void ratioOfTenAndMoreHasSixDecimals();
    void pdfCarriesEveryText();
    void logoInThePagesLanguage();
    void pageRulesAskedRowsAndFillsFoundOnes();
};

void PrintoutTest::layoutAndRowCount() {
    const PrintoutLayout layout = printoutLayout(12000, 16000, 5);
    QCOMPARE(layout.rowHeight, 11000.0 / 24);
    const std::array<double, kPrintColumns + 1> edges = {1200, 1968, 2736, 3504, 4272,
                                                         5040, 6960, 8880, 10800};
    QCOMPARE(layout.edges, edges);
    QCOMPARE(layout.logoRect(), QRectF(1320, 4000 - 4.5 * 11000 / 24, 1920, 960));
    // The table has room for 24 rows: more are cut, fewer than none are none.
    QCOMPARE(printoutLayout(12000, 16000, 30).rows, 24);
    QCOMPARE(printoutLayout(12000, 16000, -2).bottom, 4000.0);
}

void PrintoutTest::ratioOfTenAndMoreHasSixDecimals() {
    // Below 10 seven decimals, as the rows of the page below show.
    const PrintedRow row = printedRow(4, slot(120, 20, 100, 48, 12.5, 0.0001), 4.0);
    QCOMPARE(QStringList(row.begin(), row.end()),
             QStringList({"4", "120", "20", "100", "48", "12.500000", "0.0001000", "0.0000250"}));
    QCOMPARE(printedRow(1, slot(100, 10, 0, 0, 10.0, 0), 10.0)[5], QStringLiteral("10.000000"));
}

void PrintoutTest::pdfCarriesEveryText() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    QVERIFY(writePdf(pdf, threeOfFive()));
    const QString text =
        test::toolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, "-"});
    QCOMPARE(text.count(QLatin1Char('\f')), 1); // one page
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        line = line.simplified();
    }
    // Each of these is a whole line of the page; empty cells leave no text.
    for (const char* line :
         {"挂轮选配列表", "机床名称：CA6140 车床 指定速比：1.23456",
          "序号 Z(1) Z(2) Z(3) Z(4) 计算速比 绝对精度 相对精度",
          "1 40 35 60 55 1.2467532 0.0121932 0.0098766", "2 50 40 1.2500000 0.0154400 0.0125065",
          "3(R) 45 40 55 50 1.2375000 0.0029400 0.0023814", "03-07-2026 21:05:03"}) {
        QVERIFY2(lines.contains(QString::fromUtf8(line)), qPrintable(line + ("\n" + text)));
    }
}

void PrintoutTest::logoInThePagesLanguage() {
    const QString chinese = QStringLiteral(":/print/logo.svg");
    const QString english = QStringLiteral(":/print/en/logo.svg");
    for (const Language language : kLanguages) {
        PrintoutContent content = threeOfFive();
        content.language = language;
        QImage page(620, 877, QImage::Format_RGB32); // A4 at 75 dpi
        page.fill(Qt::white);
        QPainter painter(&page);
        drawPrintout(painter, content);
        painter.end();
        const bool inEnglish = language == Language::English;
        QVERIFY(
            test::carriesLogo(page, inEnglish ? english : chinese, inEnglish ? chinese : english));
    }
}

void PrintoutTest::pageRulesAskedRowsAndFillsFoundOnes() {
    for (const int asked : {5, 0}) {
        PrintoutContent content = threeOfFive();
        content.rows = asked;
        QImage page(1240, 1754, QImage::Format_RGB32); // A4 at 150 dpi
        page.setDotsPerMeterX(5906);
        page.setDotsPerMeterY(5906);
        page.fill(Qt::white);
        QPainter painter(&page);
        drawPrintout(painter, content);
        painter.end();
        const PrintoutLayout layout = printoutLayout(page.width(), page.height(), asked);
        // Dark pixels in row `row` (0: the headings) from column `first` to `last`.
        const auto cells = [&](int row, std::size_t first = 0, std::size_t last = 7) {
            const double top = layout.rowTop(row);
            return ink(page,
                       QRectF(QPointF(layout.edges[first] + 5, top + 5),
                              QPointF(layout.edges[last + 1] - 5, top + layout.rowHeight - 5)));
        };
        QVERIFY(ink(page, layout.logoRect()) > 1000);
        QVERIFY(cells(0) > 0);
        QCOMPARE(cells(2, 3, 4), 0); // the single pair's Z(3) and Z(4)
        for (int row = 1; row <= asked; ++row) {
            QVERIFY2((cells(row) > 0) == (row <= 3), qPrintable(QString::number(row)));
            QVERIFY(ink(page, QRectF(layout.left + 10, layout.rowTop(row + 1) - 2, 500, 4)) > 0);
        }
        // Right under the table only the date, on the right; nothing below it.
        QCOMPARE(cells(asked + 1, 0, 5), 0);
        QVERIFY(cells(asked + 1, 6, 7) > 0);
        QCOMPARE(ink(page, QRectF(0, layout.rowTop(asked + 2), page.width(), page.height())), 0);
    }
}

QTEST_MAIN(PrintoutTest)
#include "printout_test.moc"
