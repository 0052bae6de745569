// SPDX-License-Identifier: GPL-3.0-or-later
// The three-pair page and the machine's train rules in the window: the page lists the trains
// worked out by hand, a long search shows that it works and is cancelled without a list, the
// rules edited in the ratio helper are kept across a restart and hold in the searches, and a
// rule that cannot be used is told once with nothing kept.

#include "window_fixture.h"

#include "engine/train_constants.h"
#include "store/machine_store.h"
#include "ui/ratio_helper.h"
#include "ui/three_pair_dialog.h"
#include "ui/three_pair_job.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSemaphore>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

// Every tooth count from 10 to 220: millions of three-pair trains.
std::vector<std::int16_t> everyCount() {
    std::vector<std::int16_t> gears;
    for (int teeth = 10; teeth <= 220; ++teeth) {
        gears.push_back(static_cast<std::int16_t>(teeth));
    }
    return gears;
}

// A table row's cells as the page shows them.
QStringList rowCells(const QTableView* table, int row) {
    QStringList cells;
    for (int col = 0; col < table->model()->columnCount(); ++col) {
        cells << table->model()->index(row, col).data().toString();
    }
    return cells;
}

} // namespace

class ThreePairPageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void pageListsTheTrainsWorkedOutByHand();
    void longSearchShowsItsWorkAndIsCancelledWithoutAList();
    void trainRulesAreKeptAcrossARestartAndHoldInTheSearches();
    void ruleThatCannotBeUsedIsToldOnceAndNothingKept();
    void threadOverGearboxPositionsNamesEachRowsPosition();

private:
    std::unique_ptr<WindowFixture> fixture_;
    FaceControls& face() { return fixture_->face(); }
    // Opens the page with its key on the main face.
    ThreePairDialog* openPage();
    RatioHelper* openHelper();
    static QWidget* named(QWidget* in, const char* name) {
        auto* widget = in->findChild<QWidget*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no control %s", name);
        }
        return widget;
    }
};

void ThreePairPageTest::init() {
    fixture_ = std::make_unique<WindowFixture>(
        std::vector<NewMachine>{{"Two gears", 15, {20, 40}}, {"Every count", 15, everyCount()}});
    QVERIFY(fixture_->showAndActivate());
    fixture_->prompter().informed.clear();
}

void ThreePairPageTest::cleanup() {
    QCOMPARE(fixture_->prompter().asked, QStringList());
    fixture_.reset();
}

ThreePairDialog* ThreePairPageTest::openPage() {
    pressKey(face().TSb, Qt::Key_3, Qt::ControlModifier);
    auto* page = fixture_->window().findChild<ThreePairDialog*>();
    if (page == nullptr || !QTest::qWaitForWindowExposed(page)) {
        return nullptr;
    }
    return page;
}

RatioHelper* ThreePairPageTest::openHelper() {
    clickOn(face().Label2);
    RatioHelper* helper = fixture_->ratioHelper();
    if (helper == nullptr || !QTest::qWaitForWindowExposed(helper)) {
        return nullptr;
    }
    return helper;
}

// On the gears 20 and 40 (Zn 15) the ratio 1/8 is 20/40 x 20/40 x 20/40: every assembly
// condition holds (35 < 60, 55 < 60, 35 < 60, 55 < 60). The next ratio the trains reach is
// 1/4, with drivers 20, 20, 20 over 20, 40, 40 or drivers 20, 20, 40 over 40, 40, 40; their
// first arrangements that can be mounted are 20/20 x 20/40 x 20/40 (35 < 40, 35 < 60, 35 < 60,
// 55 < 60) and 20/40 x 20/40 x 40/40, listed in the order of their teeth.
void ThreePairPageTest::pageListsTheTrainsWorkedOutByHand() {
    // Two pairs reach no lower than 0.25 on these gears: the face takes the ratio as 0.25001,
    // the page takes the one typed on it.
    typeInto(face().TSb, QStringLiteral("0.125"));
    typeInto(face().Tns, QStringLiteral("3"));
    ThreePairDialog* page = openPage();
    QVERIFY(page != nullptr);
    auto* ratio = qobject_cast<QLineEdit*>(named(page, "ratio"));
    QCOMPARE(ratio->text(), QStringLiteral("0.25001"));
    typeInto(ratio, QStringLiteral("0.125"));
    QCOMPARE(qobject_cast<QSpinBox*>(named(page, "count"))->value(), 3);
    pressKey(page, Qt::Key_Return);
    auto* table = qobject_cast<QTableView*>(named(page, "trains"));
    QTRY_COMPARE(table->model()->rowCount(), 3);
    QCOMPARE(table->model()->columnCount(), 10);
    QCOMPARE(rowCells(table, 0), (QStringList{"1R", "20", "40", "20", "40", "20", "40", "0.1250000",
                                              "0.0000000", "0.0000000"}));
    QCOMPARE(rowCells(table, 1), (QStringList{"2R", "20", "20", "20", "40", "20", "40", "0.2500000",
                                              "0.1250000", "1.0000000"}));
    QCOMPARE(rowCells(table, 2), (QStringList{"3R", "20", "40", "20", "40", "40", "40", "0.2500000",
                                              "0.1250000", "1.0000000"}));
    QCOMPARE(table->model()->index(0, 3).data(Qt::ToolTipRole).toString(),
             QStringLiteral("速比分数 1/8，与要求速比完全相同（精确）"));
    QCOMPARE(table->model()->index(2, 3).data(Qt::ToolTipRole).toString(),
             QStringLiteral("速比分数 1/4，与要求速比 1/8 不完全相同"));

    // A ratio typed on the page: 1/4 as a fraction lists the two trains of 1/4 first.
    typeInto(ratio, QStringLiteral("1/4"));
    clickOn(named(page, "search"));
    QTRY_COMPARE(table->model()->index(0, 7).data().toString(), QStringLiteral("0.2500000"));
    QCOMPARE(rowCells(table, 0).mid(1, 6), (QStringList{"20", "20", "20", "40", "20", "40"}));
    QCOMPARE(rowCells(table, 1).mid(1, 6), (QStringList{"20", "40", "20", "40", "40", "40"}));
    // One that is no ratio is told once; the list stays.
    typeInto(ratio, QStringLiteral("1/0"));
    clickOn(named(page, "search"));
    QCOMPARE(fixture_->prompter().informed.size(), 1);
    QCOMPARE(table->model()->rowCount(), 3);

    // Esc closes the page; the main face's grid kept its own list.
    pressKey(page, Qt::Key_Escape);
    QVERIFY(!page->isVisible());
    QCOMPARE(cellText(face().GZ, 1, 1).trimmed(), QString());
}

void ThreePairPageTest::longSearchShowsItsWorkAndIsCancelledWithoutAList() {
    chooseEntry(face().Mtype, 1);
    typeInto(face().TSb, QStringLiteral("0.0417"));
    ThreePairDialog* page = openPage();
    QVERIFY(page != nullptr);
    qobject_cast<QSpinBox*>(named(page, "count"))->setValue(999);
    // The search is held back until the test has cancelled it, so it cannot end first.
    QSemaphore release;
    page->job().setBeforeSearch([&release] { release.tryAcquire(1, 30000); });
    clickOn(named(page, "search"));
    QWidget* working = named(page, "working");
    QTRY_VERIFY(working->isVisible());
    QVERIFY(!named(page, "search")->isEnabled());
    // While the page covers the face, Tab stays on the page.
    for (int step = 0; step < 8; ++step) {
        pressKey(page, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != nullptr);
        QCOMPARE(QApplication::focusWidget()->window(), page);
    }
    clickOn(named(page, "cancel"));
    release.release();
    QTRY_VERIFY(!page->job().running());
    QVERIFY(!working->isVisible());
    auto* table = qobject_cast<QTableView*>(named(page, "trains"));
    QCOMPARE(table->model()->rowCount(), 0);
    QCOMPARE(qobject_cast<QLabel*>(named(page, "status"))->text(),
             QStringLiteral("已取消，没有列出挂轮。"));
    QVERIFY(!named(page, "print")->isEnabled());
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

void ThreePairPageTest::trainRulesAreKeptAcrossARestartAndHoldInTheSearches() {
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    setOption(qobject_cast<QCheckBox*>(named(helper, "pairs")), true);
    typeInto(named(helper, "first"), QStringLiteral("30"));
    setOption(qobject_cast<QCheckBox*>(named(helper, "use_once")), true);
    typeInto(named(helper, "gearbox_positions"), QStringLiteral("A=1/2,B=1"));
    clickOn(named(helper, "keepConstants"));
    QCOMPARE(fixture_->prompter().informed,
             QStringList{QStringLiteral("已保存机床“Two gears”的常数。")});
    fixture_->prompter().informed.clear();
    clickOn(named(helper, "close"));

    const MachineConstants kept =
        MachineStore::open(fixture_->dataFile().toStdString()).constants(0);
    QCOMPARE(kept.pairs, std::optional(3));
    QCOMPARE(kept.firstGear, std::optional(30));
    QCOMPARE(kept.lastGear, std::optional<int>());
    QCOMPARE(kept.useOnce, std::optional(true));
    // Kept as a text that reads back to the same ratios: 1/2 is the short decimal 0.5.
    QCOMPARE(constantText(kept, TrainConstantKey::GearboxPositions),
             std::optional<std::string>("A=0.5,B=1"));

    fixture_->reopen();
    QVERIFY(fixture_->showAndActivate());
    helper = openHelper();
    QVERIFY(helper != nullptr);
    QVERIFY(qobject_cast<QCheckBox*>(named(helper, "pairs"))->isChecked());
    QCOMPARE(qobject_cast<QLineEdit*>(named(helper, "first"))->text(), QStringLiteral("30"));
    QVERIFY(qobject_cast<QCheckBox*>(named(helper, "use_once"))->isChecked());
    QCOMPARE(qobject_cast<QLineEdit*>(named(helper, "gearbox_positions"))->text(),
             QStringLiteral("A=0.5,B=1"));
    // Gears used as often as needed again, kept so.
    setOption(qobject_cast<QCheckBox*>(named(helper, "use_once")), false);
    clickOn(named(helper, "keepConstants"));
    fixture_->prompter().informed.clear();
    clickOn(named(helper, "close"));

    // 选配 on a machine of three pairs: the grid's trains all start with the fixed 30, and the
    // three-pair page lists 30/40 x 20/40 x 20/40 = 3/16, the closest to 1/8 that 30 leaves.
    typeInto(face().TSb, QStringLiteral("0.125"));
    typeInto(face().Tns, QStringLiteral("1"));
    clickOn(face().ComCHOSE);
    const ResultList& grid = fixture_->window().resultList();
    QVERIFY(grid.filledCount() > 0);
    for (int slot = 0; slot < grid.filledCount(); ++slot) {
        QCOMPARE(grid.slots[static_cast<std::size_t>(slot)].train.z1, std::int16_t{30});
    }
    auto* page = fixture_->window().findChild<ThreePairDialog*>();
    QVERIFY(page != nullptr);
    QTRY_VERIFY(page->isVisible());
    auto* table = qobject_cast<QTableView*>(named(page, "trains"));
    QTRY_COMPARE(table->model()->rowCount(), 1);
    QCOMPARE(rowCells(table, 0), (QStringList{"1R", "30", "40", "20", "40", "20", "40", "0.1875000",
                                              "0.0625000", "0.5000000"}));
    QVERIFY(qobject_cast<QLabel*>(named(page, "rules"))->text().contains(QStringLiteral("30")));
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

void ThreePairPageTest::ruleThatCannotBeUsedIsToldOnceAndNothingKept() {
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    const QByteArray before = fixture_->fileBytes();
    const auto constantsFile = [&] {
        QFile file(fixture_->dataFile() + QStringLiteral(".constants.json"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray constantsBefore = constantsFile();
    struct Bad {
        const char* field;
        const char* text;
        const char* named; // the rule the message names
    };
    for (const Bad& bad : {Bad{"first", "5", "固定首轮"}, Bad{"last", "24x", "固定末轮"},
                           Bad{"gearbox_positions", "A=1/2,A=1", "进给箱手柄位置"}}) {
        auto* field = qobject_cast<QLineEdit*>(named(helper, bad.field));
        typeInto(field, QString::fromLatin1(bad.text));
        clickOn(named(helper, "keepConstants"));
        QCOMPARE(fixture_->prompter().informed.size(), 1);
        QVERIFY2(fixture_->prompter().informed[0].contains(QString::fromUtf8(bad.named)),
                 qPrintable(fixture_->prompter().informed[0]));
        fixture_->prompter().informed.clear();
        typeInto(field, QString());
    }
    QCOMPARE(fixture_->fileBytes(), before);
    QCOMPARE(constantsFile(), constantsBefore);
    const MachineConstants kept =
        MachineStore::open(fixture_->dataFile().toStdString()).constants(0);
    QVERIFY(noConstants(kept));
}

// Single pairs only (Zn 1000) of 20, 30, 40, 60; a pitch of 6 mm on a leadscrew of 6 mm is
// the ratio 1, and with the positions A = 2 and B = 2/3 the change gears must make 1/2 in A and
// 3/2 in B. Exact: 20/40 and 30/60 in A, 30/20 and 60/40 in B; next, 40/30 in B, 4/3 against
// 3/2, an error of 1/6 and a relative error of 1/9. Gearbox ratio 1 kept: no other gearbox is
// given for the job.
void ThreePairPageTest::threadOverGearboxPositionsNamesEachRowsPosition() {
    fixture_ =
        std::make_unique<WindowFixture>(std::vector<NewMachine>{{"Lathe", 1000, {20, 30, 40, 60}}});
    QVERIFY(fixture_->showAndActivate());
    setOption(face().CheckZ12, true);
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    typeInto(constantField(*helper, ConstantKey::Leadscrew), QStringLiteral("6mm"));
    typeInto(constantField(*helper, ConstantKey::GearboxRatio), QStringLiteral("1"));
    typeInto(named(helper, "gearbox_positions"), QStringLiteral("A=2,B=2/3"));
    clickOn(named(helper, "keepConstants"));
    fixture_->prompter().informed.clear();
    typeInto(formulaField(*helper, Formula::Thread, 0), QStringLiteral("6mm"));
    QVERIFY(resultLine(*helper)->text().contains(QStringLiteral("进给箱各手柄位置一起选配")));
    clickOn(okButton(*helper));
    typeInto(face().Tns, QStringLiteral("5"));
    clickOn(face().ComCHOSE);
    const QStringList positions = {"A", "A", "B", "B", "B"};
    const QStringList teeth = {"20 40", "30 60", "30 20", "60 40", "40 30"};
    for (int row = 1; row <= 5; ++row) {
        const auto at = static_cast<qsizetype>(row - 1);
        QCOMPARE(cellText(face().GZ, row, 1).trimmed() + " " +
                     cellText(face().GZ, row, 2).trimmed(),
                 teeth[at]);
        QVERIFY2(cellToolTip(face().GZ, row, 1).endsWith("进给箱手柄位置 " + positions[at]),
                 qPrintable(cellToolTip(face().GZ, row, 1)));
    }
    QVERIFY(cellToolTip(face().GZ, 1, 1).contains(QStringLiteral("（精确）")));
    QCOMPARE(cellText(face().GZ, 5, 6).trimmed(), QStringLiteral("0.1666667"));
    QCOMPARE(cellText(face().GZ, 5, 7).trimmed(), QStringLiteral("0.1111111"));

    // Typing the ratio ends the positions: 1 searched as it stands lists 20/20 first.
    typeInto(face().TSb, QStringLiteral("1"));
    clickOn(face().ComCHOSE);
    QVERIFY(!cellToolTip(face().GZ, 1, 1).contains(QStringLiteral("进给箱手柄位置")));
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

QTEST_MAIN(ThreePairPageTest)
#include "three_pair_page_test.moc"
