// SPDX-License-Identifier: GPL-3.0-or-later
// A printed chart: as many pages as its rows need, each with the title, the machine, the
// constants, the headings, its share of the rows and its page number, as a PDF read back with
// poppler's tools; and the columns laid out across the page.

#include "print/chart_printout.h"
#include "print/printer_output.h"
#include "print/whole_file_output.h"
#include "tool_output.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

using namespace gearsel;

namespace {

// A chart of `count` rows, each row's target naming its number.
ChartPrintoutContent chartOf(int count) {
    ChartPrintoutContent content;
    content.title = QStringLiteral("滚齿分度挂轮表（K = 24）");
    content.machineName = QStringLiteral("Y3150E 滚齿机");
    content.constants = QStringLiteral("分度常数 K 24");
    content.printedAt = QDateTime(QDate(2026, 3, 7), QTime(21, 5, 3));
    for (int i = 1; i <= count; ++i) {
        ChartRow row{{"row" + std::to_string(i), Quantity(Fraction(24, 100 + i))},
                     std::nullopt,
                     std::nullopt};
        row.best = BestTrain{
            ResultSlot{GearTrain{24, std::int16_t(100 + i), 0, 0}, false, 24.0 / (100 + i), 0.0},
            true};
        content.rows.push_back(row);
    }
    return content;
}

} // namespace

class ChartPrintoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pagesForRows();
    void everyPageCarriesHeadingsRowsAndItsNumber();
    void rowsOfGearboxPositionsNameTheirPosition();
    void columnsFillTheTableWidth();
    void pdfFileIsWrittenWholeOrNotAtAll();
};

void ChartPrintoutTest::pagesForRows() {
    const std::pair<int, int> cases[] = {{0, 1}, {1, 1}, {25, 1}, {26, 2}, {104, 5}, {125, 5}};
    for (const auto& [rows, pages] : cases) {
        QCOMPARE(chartPageCount(rows), pages);
    }
}

void ChartPrintoutTest::everyPageCarriesHeadingsRowsAndItsNumber() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    ChartPrintoutContent content = chartOf(26);
    // The last row's train uses 20 twice: it carries the result grid's repeat mark.
    content.rows[25].best->slot = ResultSlot{GearTrain{20, 20, 24, 126}, true, 24.0 / 126, 0.0};
    QVERIFY(writeChartPdf(pdf, content));
    const QString info = test::toolOutput(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("842 x 595 pts (A4)")), qPrintable(info)); // landscape
    for (int page = 1; page <= 2; ++page) {
        const QString text = test::toolOutput(QStringLiteral("pdftotext"),
                                              {QStringLiteral("-layout"), QStringLiteral("-f"),
                                               QString::number(page), QStringLiteral("-l"),
                                               QString::number(page), pdf, QStringLiteral("-")});
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString& line : lines) {
            line = line.simplified();
        }
        const QString number = chartPageNumber(page - 1, 2);
        for (const QString& line :
             {QStringLiteral("滚齿分度挂轮表（K = 24）"), QStringLiteral("机床名称：Y3150E 滚齿机"),
              QStringLiteral("机床常数：分度常数 K 24"),
              QStringLiteral("目标 要求速比 Z1 Z2 Z3 Z4 重复 计算速比 速比分数 绝对精度 "
                             "相对精度 精确 建议添置 添置后挂轮"),
              QStringLiteral("03-07-2026 21:05:03 ") + number}) {
            QVERIFY2(lines.contains(line), qPrintable(line + "\n" + text));
        }
        // Rows 1 to 25 on the first page, row 26 alone on the second.
        QCOMPARE(text.contains(QStringLiteral("row25 ")), page == 1);
        QCOMPARE(text.contains(QStringLiteral("row26 ")), page == 2);
        const QString firstRow =
            page == 1 ? QStringLiteral("row1 24/101 24 101 0.2376238 24/101 0 0 精确")
                      : QStringLiteral("row26 4/21 20 20 24 126 R 0.1904762 4/21 0 0 精确");
        QVERIFY2(lines.contains(firstRow), qPrintable(firstRow + "\n" + text));
    }
    QCOMPARE(chartPageNumber(1, 2), QStringLiteral("第 2 页，共 2 页"));
}

void ChartPrintoutTest::rowsOfGearboxPositionsNameTheirPosition() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("positions.pdf"));
    ChartPrintoutContent content = chartOf(2);
    content.rows[0].position = "A1";
    content.rows[1].position = "B2";
    QVERIFY(writeChartPdf(pdf, content));
    const QString text = test::toolOutput(QStringLiteral("pdftotext"),
                                          {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        line = line.simplified();
    }
    for (const QString& line :
         {QStringLiteral("目标 档位 要求速比 Z1 Z2 Z3 Z4 重复 计算速比 速比分数 绝对精度 "
                         "相对精度 精确 建议添置 添置后挂轮"),
          QStringLiteral("row1 A1 24/101 24 101 0.2376238 24/101 0 0 精确"),
          QStringLiteral("row2 B2 4/17 24 102 0.2352941 4/17 0 0 精确")}) {
        QVERIFY2(lines.contains(line), qPrintable(line + "\n" + text));
    }
    // The position column takes its room from the others: the table keeps its width.
    const ChartPageLayout plain = chartPageLayout(2970, 2100);
    const ChartPageLayout wide = chartPageLayout(2970, 2100, true);
    QCOMPARE(wide.columns(), plain.columns() + 1);
    QCOMPARE(wide.edges.back(), plain.edges.back());
    QVERIFY(std::is_sorted(wide.edges.begin(), wide.edges.end(), std::less_equal<>()));
    // Three pairs: Z5 and Z6 and the position, in the same width; the train to buy, of three
    // pairs, gets more of it than a two-pair one.
    const ChartPageLayout six = chartPageLayout(2970, 2100, true, true);
    QCOMPARE(six.columns(), plain.columns() + 3);
    QCOMPARE(six.edges.back(), plain.edges.back());
    QVERIFY(std::is_sorted(six.edges.begin(), six.edges.end(), std::less<>()));
    const auto lastWidth = [](const ChartPageLayout& layout) {
        return layout.edges.back() - layout.edges[layout.edges.size() - 2];
    };
    QVERIFY(lastWidth(six) > lastWidth(wide));
}

void ChartPrintoutTest::columnsFillTheTableWidth() {
    const ChartPageLayout layout = chartPageLayout(2970, 2100);
    QCOMPARE(layout.edges.front(), layout.left);
    QCOMPARE(layout.edges.back(), layout.right());
    for (int c = 0; c < kChartColumns; ++c) {
        QVERIFY(layout.edges[static_cast<std::size_t>(c + 1)] >
                layout.edges[static_cast<std::size_t>(c)]);
    }
    // The table and the line under it stay on the page.
    QVERIFY(layout.rowTop(kChartRowsPerPage + 1) < layout.footerTop);
    QVERIFY(layout.footerTop + layout.rowHeight < 2100);
}

void ChartPrintoutTest::pdfFileIsWrittenWholeOrNotAtAll() {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("chart.pdf"));
    const QByteArray old("the chart of last week");
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    const auto read = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    };
    QVERIFY(write(target, old));
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    // A device takes the bytes directly, and its refusal is reported with the cause.
    QString problem;
    QVERIFY(!writeChartPdf(QStringLiteral("/dev/full"), chartOf(3), &problem));
    QCOMPARE(problem, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    // A folder is no file to write.
    QVERIFY(!writeWholeFile(dir.path(), "x", &problem));
    QCOMPARE(problem, QStringLiteral("it is a folder"));
    QCOMPARE(read(target), old);

    // Through a link the target is replaced whole: the link stays, and so do the permissions.
    const QString link = dir.filePath(QStringLiteral("latest.pdf"));
    QVERIFY(QFile::link(target, link));
    QVERIFY(writeChartPdf(link, chartOf(3), &problem));
    QVERIFY(QFileInfo(link).isSymLink());
    const QByteArray pdf = read(target);
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther;
    QVERIFY(QFile::permissions(target).testFlag(QFileDevice::WriteOwner));
    QCOMPARE(QFile::permissions(target) & others, QFileDevice::Permissions());
    // Nothing else is left in the folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
}

QTEST_MAIN(ChartPrintoutTest)
#include "chart_printout_test.moc"
