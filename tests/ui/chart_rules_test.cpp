// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's rules for its trains in the chart page and the buy list, driven through the
// window: rules set in the ratio helper hold in every row of a chart, on screen, in the CSV
// file and on paper; a thread chart on a lathe with a quick-change gearbox names each row's
// position; three pairs give six tooth counts; the buy list keeps the rules kept for the
// machine. Expected trains are checked by their tooth products, worked by hand.

#include "window_fixture.h"

#include "engine/gear_suggestion.h"
#include "present/suggestion_text.h"
#include "tool_output.h"
#include "ui/constants_box.h"
#include "ui/ratio_helper.h"
#include "ui/suggestion_list.h"
#include "ui/widget_helpers.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

std::vector<std::int16_t> latheGears() {
    return {20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 90, 100, 110, 120, 127};
}

QStringList headings(const QTableView* table) {
    QStringList texts;
    for (int c = 0; c < table->model()->columnCount(); ++c) {
        texts << table->model()->headerData(c, Qt::Horizontal).toString();
    }
    return texts;
}

QStringList rowCells(const QTableView* table, int row) {
    QStringList texts;
    for (int c = 0; c < table->model()->columnCount(); ++c) {
        texts << table->model()->index(row, c).data().toString();
    }
    return texts;
}

QStringList fileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The tooth counts of cells `first` on, the drivers and the driven alternately, as products.
std::pair<long long, long long> products(const QStringList& cells, int first, int gears) {
    long long drivers = 1;
    long long driven = 1;
    for (int g = 0; g < gears; ++g) {
        const QString cell = cells.value(first + g);
        // A single pair leaves its second pair's cells empty.
        const long long teeth = cell.isEmpty() ? 1 : cell.toLongLong();
        (g % 2 == 0 ? drivers : driven) *= teeth;
    }
    return {drivers, driven};
}

} // namespace

class ChartRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void fixedGearAndUseOnceHoldInEveryRowAndInTheCsv();
    void threadChartNamesEachRowsGearboxPosition();
    void threePairChartShowsSixGearsOnScreenInCsvAndOnPaper();
    void buyListKeepsTheMachinesFixedGear();
    void buyListOfAThreePairMachineAddsToThreePairTrains();

private:
    std::unique_ptr<WindowFixture> fixture_;
    FaceControls& face() { return fixture_->face(); }
    RatioHelper* openHelper();
    // Saves the helper's constants and rules for the machine, closes the helper, and opens the
    // buy list for 0.47244; returns its table.
    const QTableView* keepRulesAndBuy(RatioHelper& helper);
    QTableView* chartTable() const;
    QWidget* rule(const char* name) const;
    // Works out the chart of `kind` (a button of the chart page) with the page's fields as
    // they are; returns its rows.
    int workOutChart(const char* kind);
    // Saves the chart as CSV into the fixture's folder; returns its lines.
    QStringList savedCsv(const QString& name);
};

void ChartRulesTest::init() {
    fixture_ = std::make_unique<WindowFixture>(
        std::vector<NewMachine>{{"C6132", 15, latheGears()}, {"Y3150E", 20, fourteenGears()}});
    QVERIFY(fixture_->showAndActivate());
    fixture_->prompter().informed.clear();
}

void ChartRulesTest::cleanup() {
    QCOMPARE(fixture_->prompter().asked, QStringList());
    fixture_.reset();
}

RatioHelper* ChartRulesTest::openHelper() {
    clickOn(face().Label2);
    RatioHelper* helper = fixture_->ratioHelper();
    if (helper == nullptr || !QTest::qWaitForWindowExposed(helper)) {
        return nullptr;
    }
    QTabBar* tabs = helper->findChild<QTabWidget*>(QStringLiteral("pages"))->tabBar();
    clickOn(tabs, tabs->tabRect(tabs->count() - 1).center());
    return helper;
}

const QTableView* ChartRulesTest::keepRulesAndBuy(RatioHelper& helper) {
    clickOn(constantsBox(helper)->findChild<QPushButton*>(QStringLiteral("keepConstants")));
    clickOn(helper.findChild<QPushButton*>(QStringLiteral("close")));
    fixture_->prompter().informed.clear();

    typeInto(face().TSb, QStringLiteral("0.47244"));
    focusOn(face().Tns);
    clickOn(face().LabBuy);
    SuggestionList* list = fixture_->suggestionList();
    if (list == nullptr || !list->isVisible()) {
        return nullptr;
    }
    return list->findChild<QTableView*>(QStringLiteral("suggestions"));
}

QTableView* ChartRulesTest::chartTable() const {
    return fixture_->ratioHelper()->findChild<QTableView*>(QStringLiteral("chartTable"));
}

QWidget* ChartRulesTest::rule(const char* name) const {
    return fixture_->ratioHelper()
        ->findChild<QGroupBox*>(QStringLiteral("TrainRulesBox"))
        ->findChild<QWidget*>(QString::fromLatin1(name));
}

int ChartRulesTest::workOutChart(const char* kind) {
    RatioHelper* helper = fixture_->ratioHelper();
    clickOn(helper->findChild<QWidget*>(QString::fromLatin1(kind)));
    clickOn(helper->findChild<QPushButton*>(QStringLiteral("generate")));
    return chartTable()->model()->rowCount();
}

QStringList ChartRulesTest::savedCsv(const QString& name) {
    const QString path = QFileInfo(fixture_->dataFile()).dir().filePath(name);
    fixture_->prompter().savePaths = {path};
    clickOn(fixture_->ratioHelper()->findChild<QPushButton*>(QStringLiteral("saveCsv")));
    fixture_->prompter().informed.clear();
    fixture_->prompter().asked.clear();
    return fileLines(path);
}

void ChartRulesTest::fixedGearAndUseOnceHoldInEveryRowAndInTheCsv() {
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    typeInto(constantField(*helper, ConstantKey::IndexConstant), QStringLiteral("24"));
    helper->findChild<QSpinBox*>(QStringLiteral("firstTeeth"))->setValue(20);
    helper->findChild<QSpinBox*>(QStringLiteral("lastTeeth"))->setValue(25);
    // Free, z = 24 takes 20/20, which uses the one gear of 20 twice.
    QCOMPARE(workOutChart("hobIndex"), 6);
    QCOMPARE(rowCells(chartTable(), 4).mid(0, 7),
             QStringList({"z=24", "1/1", "20", "20", "", "", "R"}));

    typeInto(rule("first"), QStringLiteral("40"));
    setOption(qobject_cast<QCheckBox*>(rule("use_once")), true);
    QCOMPARE(workOutChart("hobIndex"), 6);
    const QStringList csv = savedCsv(QStringLiteral("fixed.csv"));
    QCOMPARE(csv.size(), 7);
    QVERIFY(csv[0].startsWith(QStringLiteral("目标,要求速比,Z1,Z2,Z3,Z4,重复,")));
    for (int r = 0; r < 6; ++r) {
        const QStringList cells = rowCells(chartTable(), r);
        const int z = 20 + r;
        QCOMPARE(cells[0], QStringLiteral("z=%1").arg(z));
        // 40 drives first, no tooth count twice; exact where 40·z·c = 24·b·d.
        QCOMPARE(cells[2], QStringLiteral("40"));
        QCOMPARE(cells[6], QString());
        QSet<QString> teeth;
        for (int g = 2; g < 6; ++g) {
            QVERIFY2(cells[g].isEmpty() || !teeth.contains(cells[g]), qPrintable(cells.join(' ')));
            teeth << cells[g];
        }
        const auto [drivers, driven] = products(cells, 2, 4);
        QCOMPARE(drivers * z == driven * 24, cells[11] == QStringLiteral("精确"));
        // The file holds the same trains.
        QCOMPARE(csv[r + 1].split(QLatin1Char(',')).mid(0, 7), cells.mid(0, 7));
    }
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

void ChartRulesTest::threadChartNamesEachRowsGearboxPosition() {
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    typeInto(constantField(*helper, ConstantKey::Leadscrew), QStringLiteral("6mm"));
    typeInto(constantField(*helper, ConstantKey::IndexConstant), QStringLiteral("24"));
    typeInto(rule("gearbox_positions"), QStringLiteral("A=1/2,B=1"));
    clickOn(helper->findChild<QWidget*>(QStringLiteral("listedThreads")));
    typeInto(helper->findChild<QLineEdit*>(QStringLiteral("pitchList")),
             QStringLiteral("1.5mm,0.75mm"));
    // 1.5 mm on 6 mm needs 1/4: 1/2 from the change gears in A, 1/4 in B, both exact, and A
    // comes first. 0.75 mm needs 1/8: 1/4 in A.
    QCOMPARE(workOutChart("listedThreads"), 2);
    QCOMPARE(headings(chartTable()).mid(0, 4), QStringList({"目标", "档位", "要求速比", "Z1"}));
    const QStringList first = rowCells(chartTable(), 0);
    QCOMPARE(first.mid(0, 3), QStringList({"1.5mm", "A", "1/2"}));
    QCOMPARE(rowCells(chartTable(), 1).mid(0, 3), QStringList({"0.75mm", "A", "1/4"}));
    QCOMPARE(first[12], QStringLiteral("精确"));
    const auto [drivers, driven] = products(first, 3, 4);
    QCOMPARE(2 * drivers, driven);
    const QStringList csv = savedCsv(QStringLiteral("positions.csv"));
    QVERIFY(csv.value(0).startsWith(QStringLiteral("目标,档位,要求速比,Z1,")));
    QCOMPARE(csv.value(1).split(QLatin1Char(',')).mid(0, 7), first.mid(0, 7));

    // A gearbox ratio typed for this chart fixes the gearbox: 1/4 ÷ 2 from the change gears.
    typeInto(constantField(*helper, ConstantKey::GearboxRatio), QStringLiteral("2"));
    QCOMPARE(workOutChart("listedThreads"), 2);
    QCOMPARE(headings(chartTable()).mid(0, 2), QStringList({"目标", "要求速比"}));
    QCOMPARE(rowCells(chartTable(), 0).mid(0, 2), QStringList({"1.5mm", "1/8"}));
    // Positions are a lathe's: a hobbing chart names none.
    constantField(*helper, ConstantKey::GearboxRatio)->clear();
    QCOMPARE(workOutChart("hobIndex"), 104);
    QCOMPARE(headings(chartTable()).mid(0, 2), QStringList({"目标", "要求速比"}));

    // Positions that cannot be searched are told once, and the chart stays.
    typeInto(rule("gearbox_positions"), QStringLiteral("A=1/2,A=1"));
    workOutChart("listedThreads");
    QCOMPARE(fixture_->prompter().informed.size(), 1);
    QCOMPARE(chartTable()->model()->rowCount(), 104);
}

void ChartRulesTest::threePairChartShowsSixGearsOnScreenInCsvAndOnPaper() {
    chooseEntry(face().Mtype, 1);
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    typeInto(constantField(*helper, ConstantKey::IndexConstant), QStringLiteral("24"));
    setOption(qobject_cast<QCheckBox*>(rule("pairs")), true);
    helper->findChild<QSpinBox*>(QStringLiteral("firstTeeth"))->setValue(20);
    helper->findChild<QSpinBox*>(QStringLiteral("lastTeeth"))->setValue(25);
    QCOMPARE(workOutChart("hobIndex"), 6);
    QCOMPARE(headings(chartTable()).mid(2, 7),
             QStringList({"Z1", "Z2", "Z3", "Z4", "Z5", "Z6", "重复"}));
    const QStringList csv = savedCsv(QStringLiteral("three.csv"));
    QVERIFY(csv.value(0).startsWith(QStringLiteral("目标,要求速比,Z1,Z2,Z3,Z4,Z5,Z6,重复,")));
    // 24/23 needs a 23 that no gear of the set has; the others are exact with three pairs,
    // 8/7 for z = 21 as 25/50 × 40/70 × 80/20.
    for (int r = 0; r < 6; ++r) {
        const QStringList cells = rowCells(chartTable(), r);
        const int z = 20 + r;
        QCOMPARE(cells[0], QStringLiteral("z=%1").arg(z));
        QCOMPARE(csv.value(r + 1).split(QLatin1Char(',')).mid(0, 9), cells.mid(0, 9));
        const auto [drivers, driven] = products(cells, 2, 6);
        QVERIFY2((drivers * z == driven * 24) == (z != 23), qPrintable(cells.join(' ')));
        QCOMPARE(cells[13] == QStringLiteral("精确"), z != 23);
    }

    // Printed without a printer into a PDF file: the same six tooth counts.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("three.pdf"));
    fixture_->prompter().yesNoAnswers = {true};
    fixture_->prompter().savePaths = {pdf};
    clickOn(helper->findChild<QPushButton*>(QStringLiteral("print")));
    fixture_->prompter().asked.clear();
    QString page = test::toolOutput(QStringLiteral("pdftotext"),
                                    {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    page.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
    QVERIFY2(page.contains(QStringLiteral("Z1 Z2 Z3 Z4 Z5 Z6 重复")), qPrintable(page));
    QVERIFY2(page.contains(rowCells(chartTable(), 0).mid(0, 8).join(QLatin1Char(' '))),
             qPrintable(page));
}

void ChartRulesTest::buyListKeepsTheMachinesFixedGear() {
    chooseEntry(face().Mtype, 1);
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    typeInto(rule("first"), QStringLiteral("25"));
    const QTableView* table = keepRulesAndBuy(*helper);
    QVERIFY(table != nullptr);
    QVERIFY(table->model()->rowCount() > 0);
    for (int r = 0; r < table->model()->rowCount(); ++r) {
        QCOMPARE(rowCells(table, r).value(1), QStringLiteral("25"));
    }
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

void ChartRulesTest::buyListOfAThreePairMachineAddsToThreePairTrains() {
    chooseEntry(face().Mtype, 1);
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    setOption(qobject_cast<QCheckBox*>(rule("pairs")), true);
    const QTableView* table = keepRulesAndBuy(*helper);
    QVERIFY(table != nullptr);
    QCOMPARE(headings(table).mid(0, 8),
             QStringList({"添置齿数", "Z1", "Z2", "Z3", "Z4", "Z5", "Z6", "计算速比"}));
    SearchRequest request;
    request.gears = fourteenGears();
    request.requiredRatio = 0.47244;
    request.zn = 20;
    const ThreePairSuggestionReport report =
        suggestGearsThreePairs(request, Fraction(11811, 25000));
    QCOMPARE(table->model()->rowCount(),
             std::min(kShownSuggestions, static_cast<int>(report.suggestions.size())));
    QVERIFY(table->model()->rowCount() > 0);
    for (int r = 0; r < table->model()->rowCount(); ++r) {
        const ThreePairSuggestionRowTexts cells = threePairSuggestionRowTexts(
            report.suggestions[static_cast<std::size_t>(r)], 0.47244, Language::Chinese);
        QCOMPARE(rowCells(table, r), qtTexts(cells));
    }
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

QTEST_MAIN(ChartRulesTest)
#include "chart_rules_test.moc"
