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
#include "ui/constants_box.h"
#include "ui/formula_page.h"
#include "ui/ratio_helper.h"
#include "ui/suggestion_list.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
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
    void chartLeavesTheMainFaceAsItIs();
    void buyListShowsWhatTheSuggestionEngineGives();
    void buyListSaysWhenNoGearHelps();

private:
    std::unique_ptr<WindowFixture> fixture_;
    FaceControls& face() { return fixture_->face(); }
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
    clickOn(face().Label2);
    RatioHelper* helper = fixture_->ratioHelper();
    if (helper == nullptr || !QTest::qWaitForWindowExposed(helper)) {
        return nullptr;
    }
    return helper;
}

void RatioHelperTest::chooseFormula(RatioHelper* helper, Formula formula) {
    helper->findChild<QTabWidget*>(QStringLiteral("pages"))
        ->setCurrentWidget(formulaPage(*helper, formula));
}

void RatioHelperTest::workedOutRatioIsSearchedInFullUntilTheUserTypes() {
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    QCOMPARE(constantsBox(*helper)->title(), QStringLiteral("机床常数（C6132）"));
    typeInto(constantField(*helper, ConstantKey::Leadscrew), QStringLiteral("8tpi"));
    typeInto(formulaField(*helper, Formula::Thread, 0), QStringLiteral("1.5mm"));
    QCOMPARE(resultLine(*helper)->text(),
             QStringLiteral("速比 i = 60/127 = 0.47244094488188976（精确分数）"));
    clickOn(okButton(*helper));
    QVERIFY(!helper->isVisible());
    QCOMPARE(face().TSb->text(), QStringLiteral("0.47244"));
    // Filling the field clears the list shown for the old ratio.
    QCOMPARE(cellText(face().GZ, 1, 1).trimmed(), QString());

    clickOn(face().ComCHOSE);
    QCOMPARE(fixture_->window().requiredRatio(), 60.0 / 127.0);
    const ResultSlot& best = fixture_->window().resultList().slots[0];
    QCOMPARE(best.absError, 0.0);
    QCOMPARE(cellToolTip(face().GZ, 1, 3),
             QString::fromStdString(resultToolTip(best, Fraction(60, 127), Language::Chinese)));
    QVERIFY(cellToolTip(face().GZ, 1, 3).contains(QStringLiteral("（精确）")));
    // Leaving the field and coming back does not round the worked-out value.
    focusOn(face().Tns);
    clickOn(face().ComCHOSE);
    QCOMPARE(fixture_->window().requiredRatio(), 60.0 / 127.0);

    // Typing replaces it: the search then reads the field as always.
    typeInto(face().TSb, QStringLiteral("0.47244"));
    clickOn(face().ComCHOSE);
    QCOMPARE(fixture_->window().requiredRatio(), 0.47244);
    QVERIFY(cellToolTip(face().GZ, 1, 3).contains(QStringLiteral("11811/25000")));
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

void RatioHelperTest::refusalsAreToldOnceAndKeepTheHelperOpen() {
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    clickOn(okButton(*helper));
    QCOMPARE(fixture_->prompter().informed,
             QStringList{QStringLiteral("请先在机床常数中填写丝杠螺距。")});
    QVERIFY(helper->isVisible());

    // Each formula page works out its own ratio; the dividing head's may be negative: i for 61
    // divisions on the 60-hole circle is -2/3, the train is 2/3 and an idler reverses the plate.
    typeInto(constantField(*helper, ConstantKey::HeadRatio), QStringLiteral("40"));
    chooseFormula(helper, Formula::DividingHead);
    QCOMPARE(resultLine(*helper)->text(),
             QStringLiteral("速比 i = -2/3 = -0.66666666666666663（精确分数）\n"
                            "速比为负：分度盘与手柄转向相反（用惰轮调整转向），挂轮按 |i| 选配"));
    clickOn(okButton(*helper));
    QCOMPARE(face().TSb->text(), QStringLiteral("0.66667"));
    clickOn(face().ComCHOSE);
    QCOMPARE(fixture_->window().requiredRatio(), 2.0 / 3.0);
    const ResultSlot& best = fixture_->window().resultList().slots[0];
    QCOMPARE(trainFraction(best.train), Fraction(2, 3));
    QVERIFY(cellToolTip(face().GZ, 1, 3).contains(QStringLiteral("（精确）")));

    // A ratio beyond the reachable range is corrected as a typed one is, and then only the
    // corrected value counts.
    helper = openHelper();
    QVERIFY(helper != nullptr);
    typeInto(constantField(*helper, ConstantKey::IndexConstant), QStringLiteral("2400"));
    chooseFormula(helper, Formula::HobIndex);
    typeInto(formulaField(*helper, Formula::HobIndex, 0), QStringLiteral("2"));
    clickOn(okButton(*helper));
    QCOMPARE(face().TSb->text(), QStringLiteral("40.32249"));
    clickOn(face().ComCHOSE);
    QCOMPARE(fixture_->window().requiredRatio(), 40.32249);
    QCOMPARE(fixture_->prompter().informed.size(), 1);
}

void RatioHelperTest::contextMenuOfTheRatioFieldOpensTheHelper() {
    QLineEdit* field = face().TSb;
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
    QTRY_VERIFY(fixture_->ratioHelper() != nullptr && fixture_->ratioHelper()->isVisible());
}

void RatioHelperTest::constantsAreKeptPerMachineAcrossARestart() {
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    typeInto(constantField(*helper, ConstantKey::Leadscrew), QStringLiteral("6mm"));
    typeInto(constantField(*helper, ConstantKey::IndexConstant), QStringLiteral("24"));
    clickOn(constantsBox(*helper)->findChild<QPushButton*>(QStringLiteral("keepConstants")));
    QCOMPARE(fixture_->prompter().informed,
             QStringList{QStringLiteral("已保存机床“C6132”的常数。")});
    fixture_->prompter().informed.clear();

    // A constant that no formula takes is refused before anything is written.
    typeInto(constantField(*helper, ConstantKey::IndexConstant), QStringLiteral("-3"));
    clickOn(constantsBox(*helper)->findChild<QPushButton*>(QStringLiteral("keepConstants")));
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
    QCOMPARE(constantField(*helper, ConstantKey::Leadscrew)->text(), QStringLiteral("6mm"));
    QCOMPARE(constantField(*helper, ConstantKey::IndexConstant)->text(), QStringLiteral("24"));
    clickOn(helper->findChild<QPushButton*>(QStringLiteral("close")));

    // The other machine keeps none.
    chooseEntry(face().Mtype, 1);
    helper = openHelper();
    QVERIFY(helper != nullptr);
    QCOMPARE(constantField(*helper, ConstantKey::Leadscrew)->text(), QString());
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

void RatioHelperTest::reopenedHelperKeepsTheChartWithItsConstants() {
    RatioHelper* helper = openHelper();
    QVERIFY(helper != nullptr);
    QLineEdit* k = constantField(*helper, ConstantKey::IndexConstant);
    // Closes the helper, does what the user does meanwhile, opens it again and says what its
    // K field and its chart show.
    const auto reopened = [&](const std::function<void()>& meanwhile) {
        clickOn(helper->findChild<QPushButton*>(QStringLiteral("close")));
        meanwhile();
        helper = openHelper();
        return QStringList{
            k->text(),
            QString::number(
                helper->findChild<QTableView*>(QStringLiteral("chartTable"))->model()->rowCount())};
    };
    // A constant typed but not kept, and the chart worked out with it, both come back.
    typeInto(k, QStringLiteral("24"));
    QCOMPARE(workOutHobbingChart(*helper), 6);
    QCOMPARE(reopened([] {}), (QStringList{"24", "6"}));

    // Another machine brings its own constants, and no chart of the first.
    QCOMPARE(reopened([this] { chooseEntry(face().Mtype, 1); }), (QStringList{"", "0"}));
    // Kept for the machine, they come back with the chart too.
    typeInto(k, QStringLiteral("30"));
    clickOn(constantsBox(*helper)->findChild<QPushButton*>(QStringLiteral("keepConstants")));
    QCOMPARE(workOutHobbingChart(*helper), 6);
    QCOMPARE(reopened([] {}), (QStringList{"30", "6"}));
    // Back on the first machine, which kept none.
    QCOMPARE(reopened([this] { chooseEntry(face().Mtype, 0); }), (QStringList{"", "0"}));
    QCOMPARE(fixture_->prompter().informed,
             QStringList{QStringLiteral("已保存机床“Y3150E”的常数。")});
}

void RatioHelperTest::chartLeavesTheMainFaceAsItIs() {
    // The list of the first search stands; the ratio field holds 0, typed and not yet left,
    // which a search would correct first. A chart takes the gears and options and nothing
    // else: the field, the list and the search time stay as they are.
    focusOn(face().TSb);
    pressKey(face().TSb, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(face().LabSD->isVisible());
    const QString firstRow = cellText(face().GZ, 1, 5);
    QVERIFY(!firstRow.trimmed().isEmpty());
    pressKey(face().TSb, Qt::Key_A, Qt::ControlModifier);
    typeKeys(face().TSb, QStringLiteral("0"));
    pressKey(face().TSb, Qt::Key_R, Qt::ControlModifier);
    RatioHelper* helper = fixture_->ratioHelper();
    QVERIFY(helper != nullptr && QTest::qWaitForWindowActive(helper));
    typeInto(constantField(*helper, ConstantKey::IndexConstant), QStringLiteral("24"));
    QCOMPARE(workOutHobbingChart(*helper), 6);
    QCOMPARE(face().TSb->text(), QStringLiteral("0"));
    QCOMPARE(cellText(face().GZ, 1, 5), firstRow);
    QVERIFY(face().LabSD->isVisible());
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

void RatioHelperTest::buyListShowsWhatTheSuggestionEngineGives() {
    chooseEntry(face().Mtype, 1);
    typeInto(face().TSb, QStringLiteral("0.47244"));
    focusOn(face().Tns);
    clickOn(face().LabBuy);
    SuggestionList* list = fixture_->suggestionList();
    QVERIFY(list != nullptr && list->isVisible());

    SearchRequest request;
    request.gears = fourteenGears();
    request.requiredRatio = 0.47244;
    request.zn = 20;
    const SuggestionReport report = suggestGears(request, Fraction(11811, 25000));
    QCOMPARE(list->findChild<QTableView*>(QStringLiteral("suggestions"))->model()->rowCount(),
             kShownSuggestions);
    for (int r = 0; r < kShownSuggestions; ++r) {
        const SuggestionRowTexts cells = suggestionRowTexts(
            report.suggestions[static_cast<std::size_t>(r)], 0.47244, Language::Chinese);
        for (int c = 0; c < kSuggestionColumns; ++c) {
            QCOMPARE(list->findChild<QTableView*>(QStringLiteral("suggestions"))
                         ->model()
                         ->index(r, c)
                         .data()
                         .toString(),
                     QString::fromStdString(cells[static_cast<std::size_t>(c)]));
        }
    }
    QVERIFY(list->findChild<QLabel*>(QStringLiteral("summary"))
                ->text()
                .startsWith(QString::fromStdString(
                    suggestionSummary(report, std::nullopt, Language::Chinese).front())));
    // Every column is as wide as its texts, the last (精确) too.
    const QHeaderView* header =
        list->findChild<QTableView*>(QStringLiteral("suggestions"))->horizontalHeader();
    const QAbstractItemView* view = list->findChild<QTableView*>(QStringLiteral("suggestions"));
    for (int c = 0; c < kSuggestionColumns; ++c) {
        QVERIFY2(header->sectionSize(c) <=
                     std::max(header->sectionSizeHint(c), view->sizeHintForColumn(c)),
                 qPrintable(QString::number(c)));
    }
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

void RatioHelperTest::buyListSaysWhenNoGearHelps() {
    // At 1.23456 the set's own 100/81 (50/90 x 100/45) beats every train one more gear makes.
    chooseEntry(face().Mtype, 1);
    typeInto(face().TSb, QStringLiteral("1.23456"));
    focusOn(face().Tns);
    clickOn(face().LabBuy);
    SuggestionList* list = fixture_->suggestionList();
    QVERIFY(list != nullptr && list->isVisible());
    QCOMPARE(list->findChild<QTableView*>(QStringLiteral("suggestions"))->model()->rowCount(), 0);
    QCOMPARE(
        list->findChild<QLabel*>(QStringLiteral("summary"))->text(),
        QStringLiteral("现有挂轮没有精确的挂轮组，最接近的是: 50/90 × 100/45（绝对精度 7.90e-06）\n"
                       "添置任何一个挂轮都得不到更好的挂轮组"));
    QCOMPARE(fixture_->prompter().informed, QStringList());
}

QTEST_MAIN(RatioHelperTest)
#include "ratio_helper_test.moc"
