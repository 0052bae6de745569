// The search fields typed into as a user does: silent corrections on leaving a field, Enter
// moving on, and every change clearing the shown result.

#include "window_fixture.h"

#include "ui/clickable_label.h"
#include "ui/line_field.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTableWidget>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

class InputFieldsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ratioCorrections_data();
    void ratioCorrections();
    void ratioUntouchedWhenNotChanged();
    void enterInRatioMovesOnAndValidates();
    void znCorrections_data();
    void znCorrections();
    void countFieldRebuildsTheEmptyGrid();
    void repeatOptionRedrawsRangeButNotRatio();

private:
    std::unique_ptr<WindowFixture> fixture_;
    MainFace& face() { return fixture_->face(); }
};

void InputFieldsTest::init() {
    fixture_ = std::make_unique<WindowFixture>(
        std::vector<NewMachine>{{"Four", 15, {20, 30, 40, 60}}, {"Pairs", 15, {20, 20, 40, 40}}});
    QVERIFY(fixture_->showAndActivate());
}

void InputFieldsTest::cleanup() {
    QVERIFY2(fixture_->prompter().informed.isEmpty(),
             qPrintable(fixture_->prompter().informed.join('\n')));
    fixture_.reset();
}

void InputFieldsTest::ratioCorrections_data() {
    QTest::addColumn<int>("machine");
    QTest::addColumn<bool>("repeats");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("above range") << 0 << true << "12"
                                 << "8.99999";
    QTest::newRow("no number") << 0 << true << "abc"
                               << "0.12345";
    QTest::newRow("no repeats, above") << 0 << false << "5"
                                       << "3.99999";
    QTest::newRow("equal to upper bound") << 0 << false << "4"
                                          << "4.00000";
    QTest::newRow("collapsed range, below") << 1 << false << "0.5"
                                            << "0.99999";
}

void InputFieldsTest::ratioCorrections() {
    QFETCH(int, machine);
    QFETCH(bool, repeats);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    face().Mtype->setCurrentIndex(machine);
    face().Chk->setChecked(repeats);
    typeInto(face().TSb, typed);
    focusOn(face().Tns);
    QCOMPARE(face().TSb->text(), shown);
    // The ratio in use is the corrected value itself; the text shows it to five decimals.
    QVERIFY(qAbs(fixture_->window().requiredRatio() - shown.toDouble()) <= 0.000005);
}

void InputFieldsTest::ratioUntouchedWhenNotChanged() {
    // Leaving the field once clears the flag that the start-up value had set.
    focusOn(face().TSb);
    focusOn(face().Tns);
    face().TSb->setText(QStringLiteral("99"));
    focusOn(face().Tns); // a code change followed by leaving another field clears the flag
    focusOn(face().TSb);
    focusOn(face().Tns);
    QCOMPARE(face().TSb->text(), QStringLiteral("99"));
}

void InputFieldsTest::enterInRatioMovesOnAndValidates() {
    typeInto(face().TSb, QStringLiteral("12"));
    QTest::keyClick(face().TSb, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), face().Tns);
    QCOMPARE(face().TSb->text(), QStringLiteral("8.99999"));
    QTest::keyClick(face().Tns, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(face().GZ->widget()));
    typeInto(face().Tzptj, QStringLiteral("20"));
    QTest::keyClick(face().Tzptj, Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), face().Tns);
}

void InputFieldsTest::znCorrections_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("below") << "3"
                           << "5";
    QTest::newRow("no number") << "abc"
                               << "5";
    QTest::newRow("inside, fraction kept") << "40.4"
                                           << "40.4";
    QTest::newRow("far above") << "99999"
                               << "40";
}

void InputFieldsTest::znCorrections() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    typeInto(face().Tzptj, typed);
    focusOn(face().TSb);
    QCOMPARE(face().Tzptj->text(), shown);
}

void InputFieldsTest::countFieldRebuildsTheEmptyGrid() {
    QVERIFY(face().LabSD->isVisible()); // the first search has run
    typeInto(face().Tns, QStringLiteral("8"));
    focusOn(face().TSb);
    QCOMPARE(face().GZ->rows(), 9);
    QCOMPARE(face().GZ->cellText(8, 0), QStringLiteral("8 "));
    QCOMPARE(face().GZ->cellText(8, 5), QStringLiteral(" "));
    QVERIFY(!face().LabSD->isVisible());
    // A count below 1 shows the 1 it uses.
    typeInto(face().Tns, QStringLiteral("0"));
    focusOn(face().TSb);
    QCOMPARE(face().Tns->text(), QStringLiteral("1"));
    QCOMPARE(face().GZ->rows(), 2);
}

void InputFieldsTest::repeatOptionRedrawsRangeButNotRatio() {
    face().TSb->setText(QStringLiteral("8.5"));
    QCOMPARE(face().LabSBFW->text(), QStringLiteral("0.1111111 - 9.0000000"));
    face().Chk->setChecked(false);
    QCOMPARE(face().LabSBFW->text(), QStringLiteral("0.2500000 - 4.0000000"));
    QCOMPARE(face().TSb->text(), QStringLiteral("8.5"));
    QVERIFY(!face().LabSD->isVisible());
}

QTEST_MAIN(InputFieldsTest)
#include "input_fields_test.moc"
