// SPDX-License-Identifier: GPL-3.0-or-later
// Searching in the window: the first activation, the select command, what the result grid
// shows, and what clears it; and choosing another machine.

#include "window_fixture.h"

#include "present/result_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

class SearchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void startUpShowsTheFirstMachineAndSearchesOnce();
    void workedExampleInTheGrid();
    void fewerTrainsThanWantedGiveFewerRows();
    void optionsClearTheGridButKeepTheList();
    void choosingAMachineLoadsItsGearsUnlessItsFileIsGone();
    void anotherWindowTakingTheFocusLeavesTheResult();
    void printAndExitCommands();
    void eachFillShowsTheGridFromRowOneUnselected();

private:
    std::unique_ptr<WindowFixture> fixture_;
    FaceControls& face() { return fixture_->face(); }
    void search() { clickOn(face().ComCHOSE); }
};

void SearchTest::init() {
    fixture_ =
        std::make_unique<WindowFixture>(std::vector<NewMachine>{{"CA6140", 15, fourteenGears()},
                                                                {"Y38", 20, {72, 24, 36, 48, 60}},
                                                                {"Short", 5, {20, 30}}});
}

void SearchTest::cleanup() {
    fixture_.reset();
}

void SearchTest::startUpShowsTheFirstMachineAndSearchesOnce() {
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("CA6140"));
    QCOMPARE(face().LabN->text(), QStringLiteral("14"));
    QCOMPARE(face().Tzptj->text(), QStringLiteral("15"));
    QCOMPARE(cellText(face().GZs, 14, 1), QStringLiteral("120"));
    QCOMPARE(face().LabSBFW->text(), QStringLiteral("0.0277778 - 36.0000000"));
    QVERIFY(!fixture_->window().firstSearchDone());

    QVERIFY(fixture_->showAndActivate());
    QVERIFY(fixture_->window().firstSearchDone());
    QVERIFY(face().LabSD->isVisible());
    QVERIFY(gridRows(face().GZ) > 1);

    // Another activation runs no search: the cleared grid stays cleared.
    fixture_->window().clearResults();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    fixture_->window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture_->window()));
    QCoreApplication::processEvents();
    QVERIFY(!face().LabSD->isVisible());
    QVERIFY(fixture_->prompter().informed.isEmpty());
}

void SearchTest::workedExampleInTheGrid() {
    QVERIFY(fixture_->showAndActivate());
    setOption(face().Chk, false);
    face().TSb->setText(QStringLiteral("1.23456"));
    search();
    QTableView* grid = face().GZ;
    QCOMPARE(gridRows(grid), 6);
    // The headings written when the grid was emptied stay; the worked example's best train.
    const ResultRowTexts heading = resultHeadings(Language::Chinese);
    const QStringList first = {"  1  ", " 50 ",       " 90 ",       "100 ",
                               " 45 ",  "1.2345679 ", "0.0000079 ", "0.0000064 "};
    for (int c = 0; c < 8; ++c) {
        QCOMPARE(cellText(grid, 0, c),
                 QString::fromStdString(heading[static_cast<std::size_t>(c)]));
        QCOMPARE(cellText(grid, 1, c), first[c]);
    }
    QCOMPARE(cellText(grid, 5, 1), QStringLiteral(" 90 "));
    QCOMPARE(cellText(grid, 5, 6), QStringLiteral("0.0029400 "));
    QVERIFY(face().LabSD->isVisible());
    QVERIFY(QRegularExpression("^\\d+\\.\\d{3} s$").match(face().LabSD->text()).hasMatch());
    QVERIFY(face().PicZZJS->isHidden());
    // The search leaves the gear list in ascending order.
    const auto& gears = fixture_->window().gearList();
    QVERIFY(std::is_sorted(gears.begin(), gears.end()));

    // The label beside the picture starts the same search.
    fixture_->window().clearResults();
    clickOn(face().LabCHOSE);
    QCOMPARE(cellText(grid, 1, 3), QStringLiteral("100 "));
}

void SearchTest::fewerTrainsThanWantedGiveFewerRows() {
    QVERIFY(fixture_->showAndActivate());
    chooseEntry(face().Mtype, 2);
    // Set without leaving the field, so the ratio is not moved into range.
    face().TSb->setText(QStringLiteral("3.5"));
    search();
    QCOMPARE(gridRows(face().GZ), 1);
    // Without repeats two gears form only the two single pairs.
    setOption(face().Chk, false);
    face().TSb->setText(QStringLiteral("1.5"));
    face().Tns->setText(QStringLiteral("30"));
    search();
    QCOMPARE(gridRows(face().GZ), 3);
    QCOMPARE(cellText(face().GZ, 1, 1), QStringLiteral(" 30 "));
    QCOMPARE(cellText(face().GZ, 1, 3), QString()); // 30/20, a single pair
}

void SearchTest::optionsClearTheGridButKeepTheList() {
    QVERIFY(fixture_->showAndActivate());
    search();
    const ResultList before = fixture_->window().resultList();
    QVERIFY(before.filledCount() > 0);
    setOption(face().CheckZ12, false);
    QCOMPARE(gridRows(face().GZ), 6);
    QCOMPARE(cellText(face().GZ, 1, 1), QStringLiteral(" "));
    QVERIFY(!face().LabSD->isVisible());
    QVERIFY(fixture_->window().resultList() == before);
}

void SearchTest::choosingAMachineLoadsItsGearsUnlessItsFileIsGone() {
    QVERIFY(fixture_->showAndActivate());
    face().Tzptj->setText(QStringLiteral("33"));
    chooseEntry(face().Mtype, 1);
    QCOMPARE(face().LabN->text(), QStringLiteral("5"));
    QCOMPARE(face().Tzptj->text(), QStringLiteral("20"));
    QCOMPARE(gridRows(face().GZs), 6);
    QCOMPARE(cellText(face().GZs, 1, 0), QStringLiteral("  1 "));
    QCOMPARE(cellText(face().GZs, 5, 1), QStringLiteral("72"));
    QCOMPARE(face().LabSBFW->text(), QStringLiteral("0.1111111 - 9.0000000"));
    QVERIFY(!face().LabSD->isVisible());

    // The file removed behind the window's back: one message, and machine 1 stays current.
    QVERIFY(QFile::remove(fixture_->dataFile()));
    pressKey(face().Mtype, Qt::Key_Up);
    QCOMPARE(fixture_->prompter().informed.size(), 1);
    QVERIFY(fixture_->prompter().informed.front().contains(QStringLiteral("system.lib")));
    QCOMPARE(fixture_->window().currentMachine(), 1);
    QCOMPARE(face().Mtype->currentIndex(), 1);
    QCOMPARE(face().LabN->text(), QStringLiteral("5"));
}

void SearchTest::anotherWindowTakingTheFocusLeavesTheResult() {
    // A message box or another program taking the focus is no move between the fields: the
    // result of the first search stays, although the start-up texts had changed the fields.
    QVERIFY(fixture_->showAndActivate());
    focusOn(face().Tzptj);
    QVERIFY(face().LabSD->isVisible());
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(face().LabSD->isVisible());
    QCOMPARE(cellText(face().GZ, 1, 0).trimmed().isEmpty(), false);
    // Moving to another field still counts.
    fixture_->window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture_->window()));
    focusOn(face().Tns);
    QVERIFY(!face().LabSD->isVisible());
}

void SearchTest::printAndExitCommands() {
    QVERIFY(fixture_->showAndActivate());
    // The print command asks first; answering No prints nothing.
    fixture_->prompter().yesNoAnswers.push_back(false);
    clickOn(face().LabPrint);
    QCOMPARE(fixture_->prompter().asked.size(), 1);
    QVERIFY(fixture_->prompter().asked.front().startsWith(QStringLiteral("是否打印选配结果列表?")));
    QVERIFY(fixture_->prompter().informed.isEmpty());
    // The exit command closes the window at once.
    clickOn(face().LabExit);
    QVERIFY(!fixture_->window().isVisible());
}

void SearchTest::eachFillShowsTheGridFromRowOneUnselected() {
    QVERIFY(fixture_->showAndActivate());
    typeInto(face().Tns, QStringLiteral("20"));
    search();
    QTableView* table = face().GZ;
    table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum());
    const QRect cell = table->visualRect(table->model()->index(18, 2));
    clickOn(table->viewport(), cell.center());
    QCOMPARE(table->selectionModel()->selectedIndexes().size(), 1);
    const auto showsRowOneUnselected = [table] {
        return table->verticalScrollBar()->value() == 0 &&
               table->selectionModel()->selectedIndexes().isEmpty() &&
               !table->currentIndex().isValid();
    };
    search();
    QVERIFY(showsRowOneUnselected());
    // The same for the empty grid that a changed option leaves.
    table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum());
    clickOn(table->viewport(), cell.center());
    setOption(face().CheckZ12, false);
    QVERIFY(showsRowOneUnselected());
}

QTEST_MAIN(SearchTest)
#include "search_test.moc"
