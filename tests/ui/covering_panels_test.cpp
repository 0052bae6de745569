// SPDX-License-Identifier: GPL-3.0-or-later
// The panels that cover the main face (the gear-set editor, the usage notes) keep the keyboard
// while they are shown: typing and Tab never reach the fields hidden behind them, Esc closes
// the panel, and the focus then goes back where it was.

#include "window_fixture.h"

#include "ui/gear_set_editor.h"
#include "ui/help_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <algorithm>

using namespace gearsel;
using namespace gearsel::testing;

class CoveringPanelsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void editorKeepsTabAndTyping_data();
    void editorKeepsTabAndTyping();
    void notesKeepTheKeys_data();
    void notesKeepTheKeys();
    void editorSaveLeavesOnlyTheRatioSelected();

private:
    FaceControls& face() { return fixture_->face(); }
    EditorControls& editor() { return fixture_->editor(); }
    QWidget* focus() const { return QApplication::focusWidget(); }
    // The texts of the main face's fields and options, which no key may change while a panel
    // covers them.
    QStringList faceInputs();

    std::unique_ptr<WindowFixture> fixture_;
};

// The first machine's range (15 to 105) lies within the range fields' own limits, so that
// passing through them lays nothing out anew.
void CoveringPanelsTest::init() {
    fixture_ = std::make_unique<WindowFixture>(
        std::vector<NewMachine>{{"M", 15, {20, 25, 30, 40, 50, 100}}, {"N", 20, fourteenGears()}});
    QVERIFY(fixture_->showAndActivate());
}

void CoveringPanelsTest::cleanup() {
    QCOMPARE(fixture_->prompter().informed, QStringList());
    fixture_.reset();
}

QStringList CoveringPanelsTest::faceInputs() {
    const FaceControls& f = face();
    return {f.Mtype->currentText(),
            f.TSb->text(),
            f.Tzptj->text(),
            f.Tns->text(),
            QString::number(f.Chk->isChecked()),
            QString::number(f.CheckZ12->isChecked())};
}

void CoveringPanelsTest::editorKeepsTabAndTyping_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("edit the gear set") << "LabXgCsTab";
    QTest::newRow("new machine") << "LabNewJc";
}

void CoveringPanelsTest::editorKeepsTabAndTyping() {
    QFETCH(QString, command);
    focusOn(face().TSb);
    const QStringList before = faceInputs();
    const QByteArray file = fixture_->fileBytes();
    fixture_->prompter().textAnswers.push_back(QStringLiteral("New"));
    clickOn(fixture_->window().findChild<QWidget*>(command));
    QVERIFY(editor().panel()->isVisible());
    QCOMPARE(focus(), editor().TxG);

    // Tab and Shift+Tab go round the editor's fields, its boxes (one stop) and its commands,
    // and nowhere else; the keys typed land in the editor. (A range field left after typing
    // lays the boxes out anew and hands the focus to the caption editor, so nothing is typed
    // on the way round.)
    const QStringList round = {"LabALLs", "LabFxz", "ComNewJcQD", "ImgQuitNew",
                               "Text1",   "Text2",  "ZsS_0",      "TxG"};
    for (const auto modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
        QStringList visited;
        for (int step = 0; step < round.size(); ++step) {
            pressKey(face().Ped0, Qt::Key_Tab, modifiers);
            QVERIFY2(editor().panel()->isAncestorOf(focus()), qPrintable(focus()->objectName()));
            visited << focus()->objectName();
        }
        QStringList expected = round;
        if (modifiers == Qt::ShiftModifier) {
            // Backwards from the caption editor, where the round forwards ended.
            std::reverse(expected.begin(), expected.end());
            expected.append(expected.takeFirst());
        }
        QCOMPARE(visited, expected);
    }
    typeKeys(face().Ped0, QStringLiteral("9"));
    QCOMPARE(editor().TxG->text(), QStringLiteral("9"));
    QCOMPARE(faceInputs(), before);

    // Esc closes the editor without saving and gives the focus back to the ratio field.
    pressKey(face().Ped0, Qt::Key_Escape);
    QVERIFY(!editor().panel()->isVisible());
    QVERIFY(!fixture_->window().newMachineMode());
    QCOMPARE(focus(), face().TSb);
    QCOMPARE(fixture_->fileBytes(), file);
    QCOMPARE(faceInputs(), before);
}

void CoveringPanelsTest::notesKeepTheKeys_data() {
    QTest::addColumn<QString>("command");
    for (const char* command : {"ComHelp", "LabHelp", "ImaSM", "LabZCSM"}) {
        QTest::newRow(command) << command;
    }
}

void CoveringPanelsTest::notesKeepTheKeys() {
    QFETCH(QString, command);
    focusOn(face().Tns);
    const QStringList before = faceInputs();
    clickOn(fixture_->window().findChild<QWidget*>(command));
    QVERIFY(face().PedHelp->isVisible());
    for (const Qt::Key key : {Qt::Key_1, Qt::Key_Tab, Qt::Key_2, Qt::Key_Backspace, Qt::Key_Down,
                              Qt::Key_Backtab, Qt::Key_Delete}) {
        pressKey(face().Ped0, key);
    }
    QVERIFY(face().PedHelp->isVisible());
    QCOMPARE(faceInputs(), before);

    pressKey(face().Ped0, Qt::Key_Escape);
    QVERIFY(!face().PedHelp->isVisible());
    QCOMPARE(focus(), face().Tns);
    // Typing reaches the face again.
    typeKeys(face().Ped0, QStringLiteral("7"));
    QCOMPARE(face().Tns->text(), QStringLiteral("7"));
}

void CoveringPanelsTest::editorSaveLeavesOnlyTheRatioSelected() {
    clickOn(face().LabXgCsTab);
    clickOn(editor().ZsS[30]); // 45
    clickOn(editor().LabSaveNewJC);
    QVERIFY(!editor().panel()->isVisible());
    QCoreApplication::processEvents();
    QCOMPARE(focus(), face().TSb);
    QVERIFY(face().TSb->hasSelectedText());
    for (QLineEdit* other : {face().Tzptj, face().Tns}) {
        QVERIFY2(!other->hasSelectedText(), qPrintable(other->objectName()));
    }
}

QTEST_MAIN(CoveringPanelsTest)
#include "covering_panels_test.moc"
