// SPDX-License-Identifier: GPL-3.0-or-later
// The ratio helper and the buy list in the window: opened from the main face as a user opens
// them, the worked-out ratio carried into the search in full, the machine's constants kept
// across a restart, the rows' tooltips, and the buy list against the suggestion engine.

#include "window_fixture.h"

#include "engine/gear_suggestion.h"
#include "engine/train_fraction.h"
#include "present/result_text.h"
#include "present/suggestion_text.h"
#include "store/machine_store.h"
#include "ui/clickable_label.h"
#include "ui/constants_box.h"
#include "ui/formula_page.h"
#include "ui/line_field.h"
#include "ui/picture_label.h"
#include "ui/ratio_helper.h"
#include "ui/suggestion_list.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

// A lathe's gears with the 127 that cuts inch threads on a metric leadscrew exactly.
std::vector<std::int16_t> latheGears() {
    return {20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 90, 100, 110, 120, 127};
}

} // namespace

class RatioHelperTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void workedOutRatioIsSearchedInFullUntilTheUserTypes();
    void refusalsAreToldOnceAndKeepTheHelperOpen();
    void contextMenuOfTheRatioFieldOpensTheHelper();
    void constantsAreKeptPerMachineAcrossARestart();
    void reopenedHelperKeepsTheChartWithItsConstants();
    void buyListShowsWhatTheSuggestionEngineGives();
    void buyListSaysWhenNoGearHelps();

private:
    std::unique_ptr<WindowFixture> fixture_;
    MainFace& face() { return fixture_->face(); }
    RatioHelper* openHelper();
    void chooseFormula(RatioHelper* helper, Formula formula);
};

void RatioHelperTest::init() {
    fixture_ = std::make_unique<WindowFixture>(
        std::vector<NewMachine>{{"C6132", 15, latheGears()}, {"Y3150E", 20, fourteenGears()}});
    QVERIFY(fixture_->showAndActivate());
    fixture_->prompter().informed.clear();
}

void RatioHelperTest::cleanup() {
    QCOMPARE(fixture_->prompter().asked, QStringList());
    fixture_.reset();
}

RatioHelper* RatioHelperTest::openHelper() {
    clickOn(face().captions().Label2);
    RatioHelper* helper = fixture_->window().ratioHelper();
    if (helper == nullptr || !QTest::qWaitForWindowExposed(helper)) {
        return nullptr;
    }
    return helper;
}

void RatioHelperTest::chooseFormula(RatioHelper* helper, Formula formula) {
    helper->pages().setCurrentWidget(helper->formulaPage(formula));
}

void RatioHelperTest::workedOutRatioIsSearchedInFullUntilTheUserTypes() {
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    QCOMPARE(helper->constantsBox().title(), QStringLiteral("机床常数（C6132）"));
    typeInto(helper->constantsBox().field(ConstantKey::Leadscrew), QStringLiteral("8tpi"));
    FormulaPage* thread = helper->formulaPage(Formula::Thread);
    typeInto(thread->field(0), QStringLiteral("1.5mm"));
    QCOMPARE(helper->resultLabel()->text(),
             QStringLiteral("速比 i = 60/127 = 0.47244094488188976（精确分数）"));
    clickOn(helper->okButton());
    QVERIFY(!helper->isVisible());
    QCOMPARE(face().fields().TSb->text(), QStringLiteral("0.47244"));
    // Filling the field clears the list shown for the old ratio.
    QCOMPARE(face().resultGrid().cellText(1, 1).trimmed(), QString());

    clickOn(face().commands().ComCHOSE);
    QCOMPARE(fixture_->window().requiredRatio(), 60.0 / 127.0);
    const ResultSlot& best = fixture_->window().resultList().slots[0];
    QCOMPARE(best.absError, 0.0);
    QCOMPARE(face().resultGrid().cellToolTip(1, 3),
             QString::fromStdString(resultToolTip(best, Fraction(60, 127))));
    QVERIFY(face().resultGrid().cellToolTip(1, 3).contains(QStringLiteral("（精确）")));
    // Leaving the field and coming back does not round the worked-out value.
    focusOn(face().fields().Tns);
    clickOn(face().commands().ComCHOSE);
    QCOMPARE(fixture_->window().requiredRatio(), 60.0 / 127.0);

    // Typing replaces it: the search then reads the field as always.
    typeInto(face().fields().TSb, QStringLiteral("0.47244"));
    clickOn(face().commands().ComCHOSE);
    QCOMPARE(fixture_->window().requiredRatio(), 0.47244);
    QVERIFY(face().resultGrid().cellToolTip(1, 3).contains(QStringLiteral("11811/25000")));
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

void RatioHelperTest::refusalsAreToldOnceAndKeepTheHelperOpen() {
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    clickOn(helper->okButton());
    QCOMPARE(fixture_->prompter().informed,
             QStringList{QStringLiteral("请先在机床常数中填写丝杠螺距。")});
    QVERIFY(helper->isVisible());

    // Each formula page works out its own ratio; the dividing head's may be negative: i for 61
    // divisions on the 60-hole circle is -2/3, the train is 2/3 and an idler reverses the plate.
    typeInto(helper->constantsBox().field(ConstantKey::HeadRatio), QStringLiteral("40"));
    chooseFormula(helper, Formula::DividingHead);
    QCOMPARE(helper->resultLabel()->text(),
             QStringLiteral("速比 i = -2/3 = -0.66666666666666663（精确分数）\n"
                            "速比为负：分度盘与手柄转向相反（用惰轮调整转向），挂轮按 |i| 选配"));
    clickOn(helper->okButton());
    QCOMPARE(face().fields().TSb->text(), QStringLiteral("0.66667"));
    clickOn(face().commands().ComCHOSE);
    QCOMPARE(fixture_->window().requiredRatio(), 2.0 / 3.0);
    const ResultSlot& best = fixture_->window().resultList().slots[0];
    QCOMPARE(trainFraction(best.train), Fraction(2, 3));
    QVERIFY(face().resultGrid().cellToolTip(1, 3).contains(QStringLiteral("（精确）")));

    // A ratio beyond the reachable range is corrected as a typed one is, and then only the
    // corrected value counts.
    helper = openHelper();
    QVERIFY(helper != nullptr);
    typeInto(helper->constantsBox().field(ConstantKey::IndexConstant), QStringLiteral("2400"));
    chooseFormula(helper, Formula::HobIndex);
    typeInto(helper->formulaPage(Formula::HobIndex)->field(0), QStringLiteral("2"));
    clickOn(helper->okButton());
    QCOMPARE(face().fields().TSb->text(), QStringLiteral("40.32249"));
    clickOn(face().commands().ComCHOSE);
    QCOMPARE(fixture_->window().requiredRatio(), 40.32249);
    QCOMPARE(fixture_->prompter().informed.size(), 1);
}

void RatioHelperTest::contextMenuOfTheRatioFieldOpensTheHelper() {
    LineField* field = face().fields().TSb;
    bool offered = false;
    // The menu runs its own loop: pick the helper's entry from the keyboard once it shows.
    QTimer::singleShot(0, this, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        // The field's own commands stay in the menu.
        QVERIFY(menu->actions().size() > 2);
        auto* entry = menu->findChild<QAction*>(QStringLiteral("openRatioHelper"));
        QVERIFY(entry != nullptr);
        offered = true;
        menu->setActiveAction(entry);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseClick(field->window()->windowHandle(), Qt::RightButton, {},
                      field->mapTo(field->window(), QPoint(6, field->height() / 2)));
    QVERIFY(offered);
    QTRY_VERIFY(fixture_->window().ratioHelper() != nullptr &&
                fixture_->window().ratioHelper()->isVisible());
}

void RatioHelperTest::constantsAreKeptPerMachineAcrossARestart() {
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    typeInto(helper->constantsBox().field(ConstantKey::Leadscrew), QStringLiteral("6mm"));
    typeInto(helper->constantsBox().field(ConstantKey::IndexConstant), QStringLiteral("24"));
    clickOn(helper->constantsBox().findChild<QPushButton*>(QStringLiteral("keepConstants")));
    QCOMPARE(fixture_->prompter().informed,
             QStringList{QStringLiteral("已保存机床“C6132”的常数。")});
    fixture_->prompter().informed.clear();

    // A constant that no formula takes is refused before anything is written.
    typeInto(helper->constantsBox().field(ConstantKey::IndexConstant), QStringLiteral("-3"));
    clickOn(helper->constantsBox().findChild<QPushButton*>(QStringLiteral("keepConstants")));
    QCOMPARE(fixture_->prompter().informed.size(), 1);
    QVERIFY(fixture_->prompter().informed[0].contains(QStringLiteral("分度常数 K")));
    fixture_->prompter().informed.clear();
    clickOn(helper->findChild<QPushButton*>(QStringLiteral("close")));

    const MachineConstants kept =
        MachineStore::open(fixture_->dataFile().toStdString()).constants(0);
    QCOMPARE(constantText(kept, ConstantKey::Leadscrew), std::optional<std::string>("6mm"));
    QCOMPARE(constantText(kept, ConstantKey::IndexConstant), std::optional<std::string>("24"));

    fixture_->reopen();
    QVERIFY(fixture_->showAndActivate());
    helper = openHelper();
    QVERIFY(helper != nullptr);
    QCOMPARE(helper->constantsBox().field(ConstantKey::Leadscrew)->text(), QStringLiteral("6mm"));
    QCOMPARE(helper->constantsBox().field(ConstantKey::IndexConstant)->text(),
             QStringLiteral("24"));
    clickOn(helper->findChild<QPushButton*>(QStringLiteral("close")));

    // The other machine keeps none.
    chooseEntry(face().fields().Mtype, 1);
    helper = openHelper();
    QVERIFY(helper != nullptr);
    QCOMPARE(helper->constantsBox().field(ConstantKey::Leadscrew)->text(), QString());
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

void RatioHelperTest::reopenedHelperKeepsTheChartWithItsConstants() {
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    QLineEdit* k = helper->constantsBox().field(ConstantKey::IndexConstant);
    // Closes the helper, does what the user does meanwhile, opens it again and says what its
    // K field and its chart show.
    const auto reopened = [&](const std::function<void()>& meanwhile) {
        clickOn(helper->findChild<QPushButton*>(QStringLiteral("close")));
        meanwhile();
        helper = openHelper();
        return QStringList{
            k->text(),
            QString::number(
                helper->findChild<QTableWidget*>(QStringLiteral("chartTable"))->rowCount())};
    };
    // A constant typed but not kept, and the chart worked out with it, both come back.
    typeInto(k, QStringLiteral("24"));
    QCOMPARE(workOutHobbingChart(*helper), 6);
    QCOMPARE(reopened([] {}), (QStringList{"24", "6"}));

    // Another machine brings its own constants, and no chart of the first.
    QCOMPARE(reopened([this] { chooseEntry(face().fields().Mtype, 1); }), (QStringList{"", "0"}));
    // Kept for the machine, they come back with the chart too.
    typeInto(k, QStringLiteral("30"));
    clickOn(helper->constantsBox().findChild<QPushButton*>(QStringLiteral("keepConstants")));
    QCOMPARE(workOutHobbingChart(*helper), 6);
    QCOMPARE(reopened([] {}), (QStringList{"30", "6"}));
    // Back on the first machine, which kept none.
    QCOMPARE(reopened([this] { chooseEntry(face().fields().Mtype, 0); }), (QStringList{"", "0"}));
    QCOMPARE(fixture_->prompter().informed,
             QStringList{QStringLiteral("已保存机床“Y3150E”的常数。")});
}

void RatioHelperTest::buyListShowsWhatTheSuggestionEngineGives() {
    chooseEntry(face().fields().Mtype, 1);
    typeInto(face().fields().TSb, QStringLiteral("0.47244"));
    focusOn(face().fields().Tns);
    clickOn(face().commands().LabBuy);
    SuggestionList* list = fixture_->window().suggestionList();
    QVERIFY(list != nullptr && list->isVisible());

    SearchRequest request;
    request.gears = fourteenGears();
    request.requiredRatio = 0.47244;
    request.zn = 20;
    const SuggestionReport report = suggestGears(request, Fraction(11811, 25000));
    QCOMPARE(list->table()->rowCount(), kShownSuggestions);
    for (int r = 0; r < kShownSuggestions; ++r) {
        const SuggestionRowTexts cells =
            suggestionRowTexts(report.suggestions[static_cast<std::size_t>(r)], 0.47244);
        for (int c = 0; c < kSuggestionColumns; ++c) {
            QCOMPARE(list->table()->item(r, c)->text(),
                     QString::fromStdString(cells[static_cast<std::size_t>(c)]));
        }
    }
    QVERIFY(list->summary()->text().startsWith(
        QString::fromStdString(suggestionSummary(report, std::nullopt).front())));
    // Every column is as wide as its texts, the last (精确) too.
    const QHeaderView* header = list->table()->horizontalHeader();
    const QAbstractItemView* view = list->table();
    for (int c = 0; c < kSuggestionColumns; ++c) {
        QVERIFY2(header->sectionSize(c) <=
                     std::max(header->sectionSizeHint(c), view->sizeHintForColumn(c)),
                 qPrintable(QString::number(c)));
    }
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

void RatioHelperTest::buyListSaysWhenNoGearHelps() {
    // At 1.23456 the set's own 50/45 x 50/45 beats every train one more gear makes.
    chooseEntry(face().fields().Mtype, 1);
    typeInto(face().fields().TSb, QStringLiteral("1.23456"));
    focusOn(face().fields().Tns);
    clickOn(face().commands().LabBuy);
    SuggestionList* list = fixture_->window().suggestionList();
    QVERIFY(list != nullptr && list->isVisible());
    QCOMPARE(list->table()->rowCount(), 0);
    QCOMPARE(
        list->summary()->text(),
        QStringLiteral("现有挂轮没有精确的挂轮组，最接近的是: 50/45 × 50/45（绝对精度 7.90e-06）\n"
                       "添置任何一个挂轮都得不到更好的挂轮组"));
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

QTEST_MAIN(RatioHelperTest)
#include "ratio_helper_test.moc"
