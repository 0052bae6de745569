// The printed result list: the page layout in numbers, the cell texts, the page written as PDF
// and read back as text, and the page drawn on an image, where the filled and the empty rows
// can be seen.

#include "print/printer_output.h"
#include "print/printout.h"

#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace gearsel;

Q_DECLARE_METATYPE(gearsel::ResultSlot)

namespace {

ResultSlot slot(int z1, int z2, int z3, int z4, double ratio, double error, bool repeat = false) {
    using Z = std::int16_t;
    return ResultSlot{GearTrain{Z(z1), Z(z2), Z(z3), Z(z4)}, repeat, ratio, error};
}

// Five slots of which a search filled three: two pairs, a single pair, a repeat.
PrintoutContent threeOfFive() {
    PrintoutContent content;
    content.results.slots = {
        slot(40, 35, 60, 55, 1.2467532, 0.0121932), slot(50, 40, 0, 0, 1.25, 0.01544),
        slot(45, 40, 55, 50, 1.2375, 0.00294, true), ResultSlot{}, ResultSlot{}};
    content.requiredRatio = 1.23456;
    content.rowsText = QStringLiteral("5");
    content.machineName = QStringLiteral("  CA6140 车床  ");
    content.ratioText = QStringLiteral("1.23456");
    content.printedAt = QDateTime(QDate(2026, 3, 7), QTime(21, 5, 3));
    return content;
}

// The page drawn on an A4 image at 150 dpi, with its layout.
std::pair<QImage, PrintoutLayout> pageImage(const PrintoutContent& content) {
    QImage image(1240, 1754, QImage::Format_RGB32);
    image.setDotsPerMeterX(5906);
    image.setDotsPerMeterY(5906);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawPrintout(painter, content);
    return {image, printoutLayout(1240, 1754, printedRowCount(content.rowsText.toStdString()))};
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

// Dark pixels inside the cells of columns `first` to `last` of row `row` (0: the headings).
int cellInk(const QImage& image, const PrintoutLayout& layout, int row, int first = 0,
            int last = kPrintColumns - 1) {
    const double top = row == 0 ? layout.headingTop() : layout.rowTop(row);
    int count = 0;
    for (auto c = std::size_t(first); c <= std::size_t(last); ++c) {
        count += ink(image, QRectF(QPointF(layout.edges[c] + 5, top + 5),
                                   QPointF(layout.edges[c + 1] - 5, top + layout.rowHeight - 5)));
    }
    return count;
}

QString run(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    const bool ran = process.waitForFinished(30000) && process.exitCode() == 0;
    return ran ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

} // namespace

class PrintoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutOfAPage();
    void rowCount_data();
    void rowCount();
    void cellTexts_data();
    void cellTexts();
    void pdfCarriesEveryText();
    void rowsStopAfterTheLastTrain();
    void noRowsLeavesTheHeadingsAndTheDate();
};

void PrintoutTest::layoutOfAPage() {
    const PrintoutLayout layout = printoutLayout(12000, 16000, 5);
    QCOMPARE(layout.left, 1200.0);
    QCOMPARE(layout.top, 4000.0);
    QCOMPARE(layout.rowHeight, 11000.0 / 24);
    QCOMPARE(layout.bottom, 4000.0 + 5 * 11000.0 / 24);
    QCOMPARE(layout.narrowWidth, 768.0);
    QCOMPARE(layout.wideLeft, 5040.0);
    QCOMPARE(layout.wideWidth, 1920.0);
    const std::array<double, kPrintColumns + 1> edges = {1200, 1968, 2736, 3504, 4272,
                                                         5040, 6960, 8880, 10800};
    QCOMPARE(layout.edges, edges);
    QCOMPARE(layout.logoRect(), QRectF(1320, 4000 - 4.5 * 11000 / 24, 1920, 960));
    QCOMPARE(layout.dateLeft(), 7344.0);
    // 24 rows fill the reserved height; more are cut, fewer than none are none.
    QCOMPARE(printoutLayout(12000, 16000, 24).bottom, 15000.0);
    QCOMPARE(printoutLayout(12000, 16000, 30).rows, 24);
    QCOMPARE(printoutLayout(12000, 16000, -2).bottom, 4000.0);
}

void PrintoutTest::rowCount_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rows");
    QTest::newRow("5") << "5" << 5;
    QTest::newRow("30 cut to 24") << "30" << 24;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("not a number") << "abc" << 0;
    QTest::newRow("negative") << "-3" << 0;
    QTest::newRow("4.5 to even 4") << "4.5" << 4;
    QTest::newRow("5.5 to even 6") << "5.5" << 6;
}

void PrintoutTest::rowCount() {
    QFETCH(QString, text);
    QFETCH(int, rows);
    QCOMPARE(printedRowCount(text.toStdString()), rows);
}

void PrintoutTest::cellTexts_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<ResultSlot>("slot");
    QTest::addColumn<double>("required");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("single pair leaves Z3 and Z4 empty")
        << 2 << slot(50, 40, 0, 0, 1.25, 0.01544) << 1.23456
        << QStringList{"2", "50", "40", "", "", "1.2500000", "0.0154400", "0.0125065"};
    QTest::newRow("repeat in slot 3")
        << 3 << slot(45, 40, 55, 50, 1.2375, 0.00294, true) << 1.23456
        << QStringList{"3(R)", "45", "40", "55", "50", "1.2375000", "0.0029400", "0.0023814"};
    QTest::newRow("ratio of 10 and more: six decimals")
        << 4 << slot(120, 20, 100, 48, 12.5, 0.0001) << 4.0
        << QStringList{"4", "120", "20", "100", "48", "12.500000", "0.0001000", "0.0000250"};
}

void PrintoutTest::cellTexts() {
    QFETCH(int, number);
    QFETCH(ResultSlot, slot);
    QFETCH(double, required);
    QFETCH(QStringList, cells);
    const PrintedRow row = printedRow(number, slot, required);
    QCOMPARE(QStringList(row.begin(), row.end()), cells);
}

void PrintoutTest::pdfCarriesEveryText() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    QVERIFY(writePdf(pdf, threeOfFive()));
    QVERIFY(run(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression("Pages:\\s+1\\n")));
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, "-"});
    // Each of these stands alone on a line of the page, its parts in this order.
    const char* lines[] = {
        "Tolvanik列表",
        "机床名称：CA6140 车床 +指定速比：1\\.23456",
        "序号 +Z\\(1\\) +Z\\(2\\) +Z\\(3\\) +Z\\(4\\) +计算速比 +绝对精度 +相对精度",
        "1 +40 +35 +60 +55 +1\\.2467532 +0\\.0121932 +0\\.0098766",
        "2 +50 +40 +1\\.2500000 +0\\.0154400 +0\\.0125065",
        "3\\(R\\) +45 +40 +55 +50 +1\\.2375000 +0\\.0029400 +0\\.0023814",
        "03-07-2026 +21:05:03",
    };
    for (const char* line : lines) {
        const QRegularExpression re(QStringLiteral("^ *%1 *$").arg(QString::fromUtf8(line)),
                                    QRegularExpression::MultilineOption);
        QVERIFY2(re.match(text).hasMatch(), qPrintable(QString::fromUtf8(line) + "\n" + text));
    }
}

void PrintoutTest::rowsStopAfterTheLastTrain() {
    const auto [page, layout] = pageImage(threeOfFive());
    QVERIFY(cellInk(page, layout, 0) > 0);
    for (int row = 1; row <= 3; ++row) {
        QVERIFY(cellInk(page, layout, row) > 0);
    }
    // Rows 4 and 5 are ruled but empty; below the table only the date, on the right.
    QCOMPARE(cellInk(page, layout, 4) + cellInk(page, layout, 5), 0);
    for (int row = 5; row <= 6; ++row) {
        QVERIFY(ink(page, QRectF(layout.left + 10, layout.rowTop(row) - 2, 500, 4)) > 0);
    }
    QCOMPARE(cellInk(page, layout, 6, 0, 5), 0);
    QVERIFY(cellInk(page, layout, 6, 6, 7) > 0);
    // The single pair leaves its Z(3) and Z(4) empty; the logo is there.
    QCOMPARE(cellInk(page, layout, 2, 3, 4), 0);
    QVERIFY(ink(page, layout.logoRect()) > 1000);
}

void PrintoutTest::noRowsLeavesTheHeadingsAndTheDate() {
    for (const char* rowsText : {"0", "abc"}) {
        PrintoutContent content = threeOfFive();
        content.rowsText = QString::fromLatin1(rowsText);
        const auto [page, layout] = pageImage(content);
        QCOMPARE(layout.bottom, layout.top);
        QVERIFY(cellInk(page, layout, 0) > 0);
        // The date line right under the headings, and nothing else below them.
        QVERIFY(cellInk(page, layout, 1, 6, 7) > 0);
        QCOMPARE(cellInk(page, layout, 1, 0, 5), 0);
        QCOMPARE(ink(page, QRectF(0, layout.rowTop(2), page.width(), page.height())), 0);
    }
}

QTEST_MAIN(PrintoutTest)
#include "printout_test.moc"
