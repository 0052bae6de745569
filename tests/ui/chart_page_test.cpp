// SPDX-License-Identifier: GPL-3.0-or-later
// The chart page driven as a user does, through its window: a hobbing chart whose cells are
// the engine's rows as the command line shows them, printed without a printer into a PDF file
// and saved as CSV; and bad input told once, leaving the table as it was.

#include "window_fixture.h"

#include "engine/pitch_notation.h"
#include "present/chart_text.h"
#include "tool_output.h"
#include "ui/chart_page.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

// A hobbing machine's set without the primes 101, 103, 107, 109 and 113.
ChartSetup hobbingSetup() {
    ChartSetup setup;
    setup.search.gears = {20, 20, 23, 24, 25, 26, 30, 32, 33, 34, 35, 37, 40, 41, 43, 45,
                          46, 47, 48, 50, 52, 53, 55, 57, 58, 59, 60, 61, 62, 65, 67, 70,
                          71, 73, 75, 79, 80, 83, 85, 89, 90, 92, 95, 97, 98, 100};
    setup.search.zn = 14;
    setup.constants.indexConstant = Quantity::whole(24);
    setup.machineName = QStringLiteral("Y3150E 滚齿机");
    return setup;
}

// A chart page shown in a top-level window of its own.
class ShownPage {
public:
    ShownPage(Prompter& prompter, ChartPage::SetupSource setup,
              ChartPage::PrinterRoute printer = printChartOnDefaultPrinter) {
        page_ = new ChartPage(prompter, std::move(setup), &host_, std::move(printer));
        (new QVBoxLayout(&host_))->addWidget(page_);
        host_.resize(1100, 600);
        host_.show();
        host_.activateWindow();
        shown_ = QTest::qWaitForWindowActive(&host_);
    }
    bool shown() const { return shown_; }
    template <typename W> W* find(const char* name) const {
        return page_->findChild<W*>(QString::fromLatin1(name));
    }
    void click(const char* name) const { clickOn(find<QWidget>(name)); }
    QTableView* table() const { return find<QTableView>("chartTable"); }
    // The cells of one row as the table shows them.
    ChartRowTexts cells(int row) const {
        ChartRowTexts texts;
        for (int c = 0; c < kChartColumns; ++c) {
            const QModelIndex cell = table()->model()->index(row, c);
            texts[static_cast<std::size_t>(c)] =
                cell.isValid() ? cell.data().toString().toStdString() : "<none>";
        }
        return texts;
    }

private:
    QWidget host_;
    ChartPage* page_ = nullptr;
    bool shown_ = false;
};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ChartPageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hobbingChartIsShownPrintedAndSaved();
    void badInputIsToldOnceAndKeepsTheTable();
};

void ChartPageTest::hobbingChartIsShownPrintedAndSaved() {
    const QString noPrinter = QStringLiteral("没有找到已安装的打印机。");
    FakePrompter prompter;
    std::vector<ChartPrintoutContent> printed;
    ShownPage page(prompter, hobbingSetup, [&](const ChartPrintoutContent& content) {
        printed.push_back(content);
        return PrinterResult{false, noPrinter};
    });
    QVERIFY(page.shown());
    page.click("hobIndex");
    typeInto(page.find<QSpinBox>("firstTeeth"), QStringLiteral("17"));
    typeInto(page.find<QSpinBox>("lastTeeth"), QStringLiteral("120"));
    page.click("generate");
    QCOMPARE(prompter.informed, QStringList());

    // Every cell as the command line shows the same chart.
    const std::vector<ChartRow> expected =
        buildChart(hobbingSetup().search, hobIndexTargets(Quantity::whole(24), 1, 17, 120));
    QCOMPARE(page.table()->model()->rowCount(), 104);
    QStringList inexact;
    for (int r = 0; r < 104; ++r) {
        const ChartRowTexts cells = page.cells(r);
        QVERIFY2(cells == chartRowTexts(expected[static_cast<std::size_t>(r)], Language::Chinese),
                 cells[0].c_str());
        if (cells[11].empty()) {
            inexact << QString::fromStdString(cells[0] + " " + cells[12]);
        }
    }
    // z = 24 takes 20/20, which uses 20 twice: marked R as the result grid marks it.
    QCOMPARE(page.cells(7)[0], std::string("z=24"));
    QCOMPARE(page.cells(7)[6], std::string("R"));
    // Only the rows whose exact train needs a prime the set lacks, each with that gear to buy.
    QCOMPARE(inexact,
             QStringList({"z=101 101", "z=103 103", "z=107 107", "z=109 109", "z=113 113"}));

    // No printer: the chart goes into a PDF file on 25 rows a page.
    QTemporaryDir dir;
    prompter.yesNoAnswers = {true};
    prompter.savePaths = {dir.filePath(QStringLiteral("chart"))};
    page.click("print");
    QCOMPARE(printed.size(), std::size_t(1));
    QCOMPARE(printed[0].title, QStringLiteral("滚齿分度挂轮表（K = 24）"));
    QCOMPARE(printed[0].machineName, QStringLiteral("Y3150E 滚齿机"));
    QCOMPARE(printed[0].constants, QStringLiteral("分度常数 K 24"));
    QCOMPARE(prompter.asked,
             QStringList({noPrinter + QStringLiteral("\n\n是否将挂轮表保存为PDF文件? "),
                          QStringLiteral("保存挂轮表")}));
    QVERIFY(QFileInfo(prompter.suggestedPaths.value(0))
                .fileName()
                .startsWith(QStringLiteral("挂轮表_")));
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    QCOMPARE(prompter.informed, QStringList{QStringLiteral("挂轮表已保存为“%1”。").arg(pdf)});
    prompter.informed.clear();
    const QString info = test::toolOutput(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+5\\n"))), qPrintable(info));

    // The CSV file holds the chart with every number in full.
    prompter.savePaths = {dir.filePath(QStringLiteral("table"))};
    page.click("saveCsv");
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("table.csv"))),
             QByteArray::fromStdString(chartCsv(expected, Language::Chinese)));
    QCOMPARE(prompter.informed.size(), 1);
    prompter.informed.clear();
    // A file that cannot be written is named.
    const QString unwritable = dir.filePath(QStringLiteral("no/such/folder/table.csv"));
    prompter.savePaths = {unwritable};
    page.click("saveCsv");
    QCOMPARE(prompter.informed.size(), 1);
    QVERIFY(prompter.informed[0].contains(unwritable));
}

void ChartPageTest::badInputIsToldOnceAndKeepsTheTable() {
    FakePrompter prompter;
    ChartSetup setup = hobbingSetup();
    int printerCalls = 0;
    ShownPage page(
        prompter, [&setup] { return setup; },
        [&](const ChartPrintoutContent&) {
            ++printerCalls;
            return PrinterResult{true, {}};
        });
    QVERIFY(page.shown());
    // Nothing to print or save yet.
    page.click("print");
    page.click("saveCsv");
    QCOMPARE(prompter.informed, QStringList(2, QStringLiteral("请先生成挂轮表")));
    QCOMPARE(printerCalls, 0);

    // A thread chart needs the leadscrew.
    prompter.informed.clear();
    page.click("generate");
    QCOMPARE(prompter.informed, QStringList({QStringLiteral("请先在机床常数中填写丝杠螺距")}));
    QCOMPARE(page.table()->model()->rowCount(), 0);

    // With it, a listed pitch without its unit is named; a good list gives its rows.
    setup.constants.leadscrew = readPitch("6mm");
    page.click("listedThreads");
    typeInto(page.find<QLineEdit>("pitchList"), QStringLiteral("0.5mm,1.5"));
    page.click("generate");
    QCOMPARE(prompter.informed.size(), 2);
    QVERIFY2(prompter.informed[1].contains(QStringLiteral("“1.5”")),
             qPrintable(prompter.informed[1]));
    QCOMPARE(page.table()->model()->rowCount(), 0);
    typeInto(page.find<QLineEdit>("pitchList"), QStringLiteral("0.5mm,1.5mm"));
    page.click("generate");
    QCOMPARE(prompter.informed.size(), 2);
    QCOMPARE(page.table()->model()->rowCount(), 2);
    QCOMPARE(page.cells(1)[0], std::string("1.5mm"));

    // A backwards range, too many rows and a refused search each say so and keep the table.
    page.click("hobIndex");
    typeInto(page.find<QSpinBox>("firstTeeth"), QStringLiteral("130"));
    page.click("generate");
    typeInto(page.find<QSpinBox>("firstTeeth"), QStringLiteral("1"));
    typeInto(page.find<QSpinBox>("lastTeeth"), QStringLiteral("1001"));
    page.click("generate");
    typeInto(page.find<QSpinBox>("lastTeeth"), QStringLiteral("120"));
    setup.search.gears.push_back(9);
    page.click("generate");
    QCOMPARE(prompter.informed.size(), 5);
    QVERIFY2(prompter.informed[2].contains(QStringLiteral("130")),
             qPrintable(prompter.informed[2]));
    QVERIFY2(prompter.informed[3].contains(QStringLiteral("1001")),
             qPrintable(prompter.informed[3]));
    QVERIFY2(prompter.informed[4].contains(QStringLiteral("齿数 9")),
             qPrintable(prompter.informed[4]));
    QCOMPARE(page.table()->model()->rowCount(), 2);
    QCOMPARE(page.cells(1)[0], std::string("1.5mm"));
    QCOMPARE(prompter.asked, QStringList());
}

QTEST_MAIN(ChartPageTest)
#include "chart_page_test.moc"
