// SPDX-License-Identifier: GPL-3.0-or-later
// The search fields typed into as a user does: silent corrections on leaving a field, Enter
// moving on, and every change clearing the shown result.

#include "window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

class InputFieldsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void corrections();
    void ratioUntouchedWhenNotChanged();
    void enterInRatioMovesOnAndValidates();
    void countFieldRebuildsTheEmptyGrid();
    void repeatOptionRedrawsRangeButNotRatio();

private:
    std::unique_ptr<WindowFixture> fixture_;
    FaceControls& face() { return fixture_->face(); }
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

void InputFieldsTest::corrections() {
    // The corrections themselves are the engine's; here they must happen on leaving a field.
    struct Case {
        int machine;
        bool repeats;
        QWidget* field;
        const char* typed;
        const char* shown;
    };
    QWidget* ratio = face().TSb;
    QWidget* zn = face().Tzptj;
    for (const Case& c :
         {Case{0, true, ratio, "12", "8.99999"}, Case{0, true, ratio, "abc", "0.12345"},
          Case{0, false, ratio, "5", "3.99999"}, Case{0, false, ratio, "4", "4.00000"},
          Case{1, false, ratio, "0.5", "0.99999"}, Case{0, true, zn, "3", "5"},
          Case{0, true, zn, "40.4", "40.4"}, Case{0, true, zn, "99999", "40"}}) {
        chooseEntry(face().Mtype, c.machine);
        setOption(face().Chk, c.repeats);
        typeInto(c.field, QString::fromLatin1(c.typed));
        focusOn(face().Tns);
        QCOMPARE(static_cast<QLineEdit*>(c.field)->text(), QString::fromLatin1(c.shown));
    }
    // The ratio in use is the corrected value itself, not its five-decimal text.
    typeInto(face().TSb, QStringLiteral("0.1"));
    focusOn(face().Tns);
    QCOMPARE(fixture_->window().requiredRatio(), (20.0 / 60.0) * (20.0 / 60.0) + 0.00001);
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
    pressKey(face().TSb, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), face().Tns);
    QCOMPARE(face().TSb->text(), QStringLiteral("8.99999"));
    pressKey(face().Tns, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(face().GZ));
    typeInto(face().Tzptj, QStringLiteral("20"));
    pressKey(face().Tzptj, Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), face().Tns);
}

void InputFieldsTest::countFieldRebuildsTheEmptyGrid() {
    QVERIFY(face().LabSD->isVisible()); // the first search has run
    typeInto(face().Tns, QStringLiteral("8"));
    focusOn(face().TSb);
    QCOMPARE(gridRows(face().GZ), 9);
    QCOMPARE(cellText(face().GZ, 8, 0), QStringLiteral("8 "));
    QCOMPARE(cellText(face().GZ, 8, 5), QStringLiteral(" "));
    QVERIFY(!face().LabSD->isVisible());
    // A count below 1 shows the 1 it uses.
    typeInto(face().Tns, QStringLiteral("0"));
    focusOn(face().TSb);
    QCOMPARE(face().Tns->text(), QStringLiteral("1"));
    QCOMPARE(gridRows(face().GZ), 2);
}

void InputFieldsTest::repeatOptionRedrawsRangeButNotRatio() {
    face().TSb->setText(QStringLiteral("8.5"));
    QCOMPARE(face().LabSBFW->text(), QStringLiteral("0.1111111 - 9.0000000"));
    setOption(face().Chk, false);
    QCOMPARE(face().LabSBFW->text(), QStringLiteral("0.2500000 - 4.0000000"));
    QCOMPARE(face().TSb->text(), QStringLiteral("8.5"));
    QVERIFY(!face().LabSD->isVisible());
}

QTEST_MAIN(InputFieldsTest)
#include "input_fields_test.moc"
