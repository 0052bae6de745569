// SPDX-License-Identifier: GPL-3.0-or-later
// The window with the keyboard alone, keys sent to the top-level window as the platform sends
// them: a selection, an edited gear set saved, the list printed (as a PDF file when there is
// no printer), every command's key, the grids that Tab enters and leaves, and no key acting
// behind a panel that covers the face.

#include "lib_bytes.h"
#include "window_fixture.h"

#include "store/machine_store.h"

#include <QApplication>
#include <QFile>
#include <QPrinterInfo>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

QWidget* focus() {
    return QApplication::focusWidget();
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void selectionByKeys();
    void gearSetEditedAndSavedByKeys();
    void printedByKeys();
    void eachCommandHasItsKey_data();
    void eachCommandHasItsKey();
    void faceKeysRestWhileAPanelCoversIt();

private:
    FaceControls& face() { return fixture_->face(); }
    EditorControls& editor() { return fixture_->editor(); }
    // Sends a key to the window, as a keyboard does.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        pressKey(face().Ped0, key, modifiers);
    }
    void type(const QString& ascii) { typeKeys(face().Ped0, ascii); }

    std::unique_ptr<WindowFixture> fixture_;
};

void KeyboardTest::init() {
    fixture_ = std::make_unique<WindowFixture>(
        std::vector<NewMachine>{{"CA6140", 15, fourteenGears()}, {"Y38", 20, {24, 36, 48, 60}}});
    QVERIFY(fixture_->showAndActivate());
}

void KeyboardTest::cleanup() {
    QCOMPARE(fixture_->prompter().informed, QStringList());
    fixture_.reset();
}

void KeyboardTest::selectionByKeys() {
    // The focus starts in the shaft field; Tab goes through the fields in the window's order.
    QCOMPARE(focus(), face().Tzptj);
    press(Qt::Key_Tab);
    QCOMPARE(focus(), face().Chk);
    press(Qt::Key_Space); // no repeated tooth counts
    QVERIFY(!face().Chk->isChecked());
    press(Qt::Key_Tab);
    QCOMPARE(focus(), face().Tns);
    type(QStringLiteral("5"));
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    QCOMPARE(focus(), face().TSb);
    type(QStringLiteral("1.23456"));
    press(Qt::Key_Return, Qt::ControlModifier);
    // The worked example's list.
    QCOMPARE(gridRows(face().GZ), 6);
    QCOMPARE(cellText(face().GZ, 1, 1), QStringLiteral(" 50 "));
    QCOMPARE(cellText(face().GZ, 1, 4), QStringLiteral(" 45 "));
    QCOMPARE(cellText(face().GZ, 5, 1), QStringLiteral(" 90 "));
    QVERIFY(face().LabSD->isVisible());
    // The key leaves the focus where it was.
    QCOMPARE(focus(), face().TSb);

    // Tab enters the result grid with its first cell current, unselected, and leaves it.
    press(Qt::Key_Tab);
    QCOMPARE(focus(), face().GZ);
    QCOMPARE(face().GZ->currentIndex(), face().GZ->model()->index(0, 0));
    QVERIFY(face().GZ->selectionModel()->selectedIndexes().isEmpty());
    press(Qt::Key_Down);
    QCOMPARE(face().GZ->currentIndex().row(), 1);
    press(Qt::Key_Tab);
    QCOMPARE(focus(), face().GZs);
    press(Qt::Key_Tab);
    QCOMPARE(focus(), face().CheckZ12);
    // Then the commands, in reading order, and round to the first field.
    const QList<QWidget*> commands = {face().ImgNewJc, face().ComExit,  face().Label2,
                                      face().ImgEditZ, face().LabBuy,   face().ComSave,
                                      face().ComHelp,  face().ImgPrint, face().ComCHOSE,
                                      face().ImaSM,    face().Tzptj};
    for (QWidget* next : commands) {
        press(Qt::Key_Tab);
        QCOMPARE(focus(), next);
    }
    // Enter on a command gives it: the search again, from its button.
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(focus(), face().ComCHOSE);
    fixture_->window().clearResults();
    press(Qt::Key_Return);
    QCOMPARE(cellText(face().GZ, 1, 1), QStringLiteral(" 50 "));
}

void KeyboardTest::gearSetEditedAndSavedByKeys() {
    press(Qt::Key_E, Qt::ControlModifier);
    QVERIFY(editor().panel()->isVisible());
    QCOMPARE(focus(), editor().TxG);
    // Back to the boxes; 15 to 125 in ten columns: down eight rows and right once is 96.
    press(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(focus(), editor().ZsS[0]);
    for (int row = 0; row < 8; ++row) {
        press(Qt::Key_Down);
    }
    press(Qt::Key_Right);
    QCheckBox* box = editor().ZsS[81];
    QCOMPARE(focus(), box);
    QCOMPARE(box->text(), QStringLiteral("96"));
    // Space ticks it and keeps the focus there; the caption editor and the count follow.
    press(Qt::Key_Space);
    QVERIFY(box->isChecked());
    QCOMPARE(focus(), box);
    QCOMPARE(editor().TxG->text(), QStringLiteral("96"));
    QCOMPARE(editor().LabSN->text(), QStringLiteral("15"));
    // Up and left go back; the boxes stay one stop of the Tab chain, now at this box.
    press(Qt::Key_Up);
    press(Qt::Key_Left);
    QCOMPARE(focus(), editor().ZsS[70]);
    press(Qt::Key_Tab);
    QCOMPARE(focus(), editor().TxG);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(focus(), editor().ZsS[70]);

    press(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!editor().panel()->isVisible());
    std::vector<std::int16_t> expected = fourteenGears();
    expected.insert(expected.begin() + 12, 96);
    QCOMPARE(MachineStore::open(fixture_->dataFile().toStdString()).gearList(0), expected);
    QCOMPARE(face().LabN->text(), QStringLiteral("15"));
    QCOMPARE(focus(), face().TSb);
}

void KeyboardTest::printedByKeys() {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        QSKIP("a printer is installed here");
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    FakePrompter& prompter = fixture_->prompter();
    // Print? Yes. No printer: save the page as a PDF file? Yes, here.
    prompter.yesNoAnswers = {true, true};
    prompter.savePaths = {pdf};
    press(Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(prompter.asked.size(), 3);
    QVERIFY(prompter.asked[1].startsWith(QStringLiteral("没有找到已安装的打印机")));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(5), QByteArray("%PDF-"));
    QCOMPARE(prompter.informed, QStringList{QStringLiteral("选配结果列表已保存为“%1”。").arg(pdf)});
    prompter.informed.clear();
}

void KeyboardTest::eachCommandHasItsKey_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("opens");
    QTest::newRow("F1 help") << int(Qt::Key_F1) << int(Qt::NoModifier) << "PedHelp";
    QTest::newRow("Shift+F1 notes") << int(Qt::Key_F1) << int(Qt::ShiftModifier) << "PedHelp";
    QTest::newRow("Ctrl+E edit") << int(Qt::Key_E) << int(Qt::ControlModifier) << "PedNewJC";
    QTest::newRow("Ctrl+N new machine") << int(Qt::Key_N) << int(Qt::ControlModifier) << "PedNewJC";
    QTest::newRow("Ctrl+R ratio helper")
        << int(Qt::Key_R) << int(Qt::ControlModifier) << "RatioHelper";
    QTest::newRow("Ctrl+B buy list")
        << int(Qt::Key_B) << int(Qt::ControlModifier) << "SuggestionList";
}

void KeyboardTest::eachCommandHasItsKey() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, opens);
    // From every kind of control of the face: a field, an option, the machine box, a grid.
    for (QWidget* from : QList<QWidget*>{face().TSb, face().Chk, face().Mtype, face().GZs}) {
        from->setFocus(Qt::TabFocusReason);
        if (opens == QLatin1String("PedNewJC") && key == Qt::Key_N) {
            fixture_->prompter().textAnswers.push_back(QStringLiteral("New"));
        }
        press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        auto* opened = fixture_->window().findChild<QWidget*>(opens);
        QVERIFY2(opened != nullptr && opened->isVisible(), qPrintable(from->objectName()));
        if (opened->isWindow()) {
            QVERIFY(QTest::qWaitForWindowActive(opened));
            pressKey(opened, Qt::Key_Escape);
            QVERIFY(!opened->isVisible());
            fixture_->window().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&fixture_->window()));
        } else {
            press(Qt::Key_Escape);
            QVERIFY(!opened->isVisible());
        }
    }
    // Ctrl+Q leaves.
    press(Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!fixture_->window().isVisible());
}

void KeyboardTest::faceKeysRestWhileAPanelCoversIt() {
    press(Qt::Key_Return, Qt::ControlModifier);
    const QByteArray file = fixture_->fileBytes();
    press(Qt::Key_F1);
    QVERIFY(face().PedHelp->isVisible());
    QCOMPARE(focus()->objectName(), QStringLiteral("ImaQuitHelp"));
    // Neither the search, nor the gear list's save, nor the editor behind the notes.
    fixture_->window().clearResults();
    press(Qt::Key_Return, Qt::ControlModifier);
    press(Qt::Key_S, Qt::ControlModifier);
    press(Qt::Key_E, Qt::ControlModifier);
    QVERIFY(!face().LabSD->isVisible());
    QVERIFY(!editor().panel()->isVisible());
    QCOMPARE(fixture_->fileBytes(), file);
    // Enter on the close command closes the notes, and the face's keys act again.
    press(Qt::Key_Return);
    QVERIFY(!face().PedHelp->isVisible());
    press(Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(face().LabSD->isVisible());
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
