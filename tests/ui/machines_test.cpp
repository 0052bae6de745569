// SPDX-License-Identifier: GPL-3.0-or-later
// Machine management end to end against a real temporary system.lib: creating machines
// through the editor, editing a gear set, renaming, copying and deleting from the machine
// box, and what a failed write leaves behind.

#include "lib_bytes.h"
#include "window_fixture.h"

#include "store/machine_store.h"
#include "ui/gear_set_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <cerrno>

using namespace gearsel;
using namespace gearsel::testing;

class MachinesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void newMachines();
    void editorReplacesTheCurrentGearList();
    void enterThenNoRenamesAndYesCopies();
    void enterOnAMachinesNameSelectsIt();
    void deleteInTheMiddleAndAtTheEnd();
    void lastMachineCannotBeDeleted();
    void shaftFieldIsNotWrittenBack();
    void failedWritesChangeNothing();
    void unchangedEditorSaveKeepsTheFile();
    void failedEditorSaveLeavesOneTruth();
    void fullTableRefusesNewAndCopyBeforeAsking();
    void aFileWithoutMachinesStartsANewOne();
    void aListLongerThanTheBoxesIsNotEdited();
    void editedCaptionsAreStoredAsTheGridReadsThem();

private:
    GearSel& window() { return fixture_->window(); }
    FaceControls& face() { return fixture_->face(); }
    EditorControls& editor() { return fixture_->editor(); }
    FakePrompter& prompter() { return fixture_->prompter(); }
    void click(QWidget* w) { clickOn(w); }
    void tick(std::initializer_list<int> boxes);
    // Types a name into the machine box and confirms it with Enter, all through the window.
    void enterMachineName(const QString& name, Qt::Key enter = Qt::Key_Return);
    // The table as a fresh read of the file shows it.
    std::vector<MachineEntry> storedMachines();
    std::vector<std::int16_t> storedGears(int index);
    // The machine's kept constants as texts, in key order; an empty text for an unknown one.
    QStringList storedConstantTexts(int index);

    std::unique_ptr<WindowFixture> fixture_;
};

void MachinesTest::init() {
    fixture_ = std::make_unique<WindowFixture>(
        std::vector<NewMachine>{{"A", 15, {20, 25, 30, 35, 40}},
                                {"B", 20, {24, 36, 48, 60, 72}},
                                {"C", 25, {30, 45, 60, 75, 90, 105}}});
    QVERIFY(fixture_->showAndActivate());
}

void MachinesTest::cleanup() {
    fixture_.reset();
}

void MachinesTest::tick(std::initializer_list<int> boxes) {
    for (int i : boxes) {
        click(editor().ZsS[static_cast<std::size_t>(i)]);
    }
}

void MachinesTest::enterMachineName(const QString& name, Qt::Key enter) {
    typeInto(face().Mtype, name);
    pressKey(face().Mtype, enter);
}

std::vector<MachineEntry> MachinesTest::storedMachines() {
    return MachineStore::open(fixture_->dataFile().toStdString()).machines();
}

std::vector<std::int16_t> MachinesTest::storedGears(int index) {
    return MachineStore::open(fixture_->dataFile().toStdString()).gearList(index);
}

QStringList MachinesTest::storedConstantTexts(int index) {
    const MachineConstants kept =
        MachineStore::open(fixture_->dataFile().toStdString()).constants(index);
    QStringList texts;
    for (ConstantKey key : kConstantKeys) {
        texts << QString::fromStdString(constantText(kept, key).value_or(""));
    }
    return texts;
}

void MachinesTest::newMachines() {
    // Four ticked boxes close the editor and save nothing.
    const QByteArray before = fixture_->fileBytes();
    prompter().textAnswers.push_back(QStringLiteral("T1"));
    click(face().LabNewJc);
    tick({5, 10, 15, 25});
    click(editor().LabSaveNewJC);
    QVERIFY(!editor().panel()->isVisible() && !window().newMachineMode());
    QCOMPARE(fixture_->fileBytes(), before);

    // Five are stored in ascending order with Zn 15 and selected.
    prompter().textAnswers.push_back(QStringLiteral("T1"));
    click(face().ImgNewJc);
    QCOMPARE(editor().Text2->text(), QStringLiteral("120"));
    tick({35, 5, 10, 15, 25}); // 50, 20, 25, 30, 40
    click(editor().ComNewJcQD);
    QVERIFY(!editor().panel()->isVisible());
    QCOMPARE(window().currentMachine(), 3);
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("T1"));
    QCOMPARE(face().Tzptj->text(), QStringLiteral("15"));
    QCOMPARE(cellText(face().GZs, 5, 1), QStringLiteral("50"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(face().TSb));
    const auto machines = storedMachines();
    QCOMPARE(QString::fromStdString(machines[3].name), QStringLiteral("T1"));
    QCOMPARE(machines[3].zn, 15);
    QCOMPARE(storedGears(3), (std::vector<std::int16_t>{20, 25, 30, 40, 50}));

    // A cancelled name box gives the default name.
    prompter().textAnswers.push_back(QString());
    click(face().LabNewJc);
    tick({0, 1, 2, 3, 4});
    click(editor().LabSaveNewJC);
    QCOMPARE(QString::fromStdString(storedMachines().back().name), QStringLiteral("新的机床名称"));
    QVERIFY(prompter().informed.isEmpty());
}

void MachinesTest::editorReplacesTheCurrentGearList() {
    click(face().ImgEditZ);
    QCOMPARE(editor().LabSN->text(), QStringLiteral("5"));
    tick({30}); // the range is 15..45: box 30 stands for 45
    click(editor().LabSaveNewJC);
    QCOMPARE(face().LabN->text(), QStringLiteral("6"));
    QCOMPARE(storedGears(0), (std::vector<std::int16_t>{20, 25, 30, 35, 40, 45}));
    QCOMPARE(storedMachines().size(), 3U);
    QCOMPARE(window().gearList().back(), 45);
}

void MachinesTest::enterThenNoRenamesAndYesCopies() {
    // No: the machine keeps its place, Zn and gears under the new name; the question named
    // the old one.
    chooseEntry(face().Mtype, 1);
    prompter().yesNoAnswers.push_back(false);
    enterMachineName(QStringLiteral("B2"));
    QCOMPARE(prompter().asked, QStringList{QStringLiteral("另存为一个新的“B”挂轮表？")});
    auto machines = storedMachines();
    QCOMPARE(machines.size(), 3U);
    QCOMPARE(QString::fromStdString(machines[1].name), QStringLiteral("B2"));
    QCOMPARE(machines[1].zn, 20);
    QCOMPARE(window().currentMachine(), 1);

    // Yes (confirmed with the keypad's Enter): a copy with the same Zn, gears and constants is
    // added at the end and selected; the machine copied keeps its constants.
    MachineConstants constants;
    setConstantText(constants, ConstantKey::Leadscrew, "6mm");
    setConstantText(constants, ConstantKey::IndexConstant, "24");
    MachineStore::open(fixture_->dataFile().toStdString()).setConstants(1, constants);
    prompter().yesNoAnswers.push_back(true);
    enterMachineName(QStringLiteral("B copy"), Qt::Key_Enter);
    machines = storedMachines();
    QCOMPARE(machines.size(), 4U);
    QCOMPARE(QString::fromStdString(machines[1].name), QStringLiteral("B2"));
    QCOMPARE(QString::fromStdString(machines[3].name), QStringLiteral("B copy"));
    QCOMPARE(machines[3].zn, 20);
    QCOMPARE(storedGears(3), (std::vector<std::int16_t>{24, 36, 48, 60, 72}));
    for (int machine : {1, 3}) {
        QCOMPARE(storedConstantTexts(machine), QStringList({"6mm", "", "24", "", ""}));
    }
    QCOMPARE(window().currentMachine(), 3);
    QCOMPARE(face().Tzptj->text(), QStringLiteral("20"));

    // The question names what the box showed when it last got the focus: a name typed but
    // not confirmed before the focus left and came back.
    typeInto(face().Mtype, QStringLiteral("Half"));
    focusOn(face().TSb);
    prompter().asked.clear();
    prompter().yesNoAnswers.push_back(false);
    enterMachineName(QStringLiteral("Whole"));
    QCOMPARE(prompter().asked, QStringList{QStringLiteral("另存为一个新的“Half”挂轮表？")});
    QCOMPARE(QString::fromStdString(storedMachines()[3].name), QStringLiteral("Whole"));
}

void MachinesTest::enterOnAMachinesNameSelectsIt() {
    // The arrow key picks B, Enter then leaves it as it is: nothing asked, nothing copied.
    const QByteArray before = fixture_->fileBytes();
    focusOn(face().Mtype);
    pressKey(face().Mtype, Qt::Key_Down);
    QCOMPARE(window().currentMachine(), 1);
    pressKey(face().Mtype, Qt::Key_Return);
    pressKey(face().Mtype, Qt::Key_Return);
    QCOMPARE(window().currentMachine(), 1);
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("B"));

    // Another machine's name, typed with blanks around it, selects that machine.
    enterMachineName(QStringLiteral(" C "));
    QCOMPARE(window().currentMachine(), 2);
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("C"));
    QCOMPARE(face().Tzptj->text(), QStringLiteral("25"));
    QCOMPARE(cellText(face().GZs, 6, 1), QStringLiteral("105"));
    QCOMPARE(prompter().asked, QStringList());
    QCOMPARE(fixture_->fileBytes(), before);
}

void MachinesTest::deleteInTheMiddleAndAtTheEnd() {
    chooseEntry(face().Mtype, 1);
    prompter().yesNoAnswers.push_back(true);
    enterMachineName(QString());
    QCOMPARE(prompter().asked, QStringList{QStringLiteral("删除“B”这个挂轮表？")});
    auto machines = storedMachines();
    QCOMPARE(machines.size(), 2U);
    QCOMPARE(QString::fromStdString(machines[1].name), QStringLiteral("C"));
    QCOMPARE(storedGears(1), (std::vector<std::int16_t>{30, 45, 60, 75, 90, 105}));
    // C moved into B's place and is current, with its own list and shaft value.
    QCOMPARE(window().currentMachine(), 1);
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("C"));
    QCOMPARE(face().Tzptj->text(), QStringLiteral("25"));
    QCOMPARE(cellText(face().GZs, 6, 1), QStringLiteral("105"));

    // Deleting the last machine of the list makes the one before it current.
    prompter().yesNoAnswers.push_back(true);
    enterMachineName(QString());
    QCOMPARE(storedMachines().size(), 1U);
    QCOMPARE(window().currentMachine(), 0);
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("A"));
    QCOMPARE(storedGears(0), (std::vector<std::int16_t>{20, 25, 30, 35, 40}));
}

void MachinesTest::lastMachineCannotBeDeleted() {
    prompter().yesNoAnswers.push_back(true);
    enterMachineName(QString());
    prompter().yesNoAnswers.push_back(true);
    enterMachineName(QString());
    QCOMPARE(storedMachines().size(), 1U);
    prompter().asked.clear();
    enterMachineName(QString());
    QVERIFY(prompter().asked.isEmpty());
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("C"));
    QCOMPARE(storedMachines().size(), 1U);

    // Declining a delete puts the name back too.
    fixture_ = std::make_unique<WindowFixture>(
        std::vector<NewMachine>{{"A", 15, {20, 25, 30, 35, 40}}, {"B", 20, {24, 36, 48, 60, 72}}});
    QVERIFY(fixture_->showAndActivate());
    prompter().yesNoAnswers.push_back(false);
    enterMachineName(QString());
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("A"));
    QCOMPARE(storedMachines().size(), 2U);
}

void MachinesTest::shaftFieldIsNotWrittenBack() {
    typeInto(face().Tzptj, QStringLiteral("33"));
    focusOn(face().TSb);
    click(face().ComSave);
    QCOMPARE(storedMachines()[0].zn, 15);
    chooseEntry(face().Mtype, 1);
    chooseEntry(face().Mtype, 0);
    QCOMPARE(face().Tzptj->text(), QStringLiteral("15"));
    QVERIFY(prompter().informed.isEmpty());
}

void MachinesTest::failedWritesChangeNothing() {
    const QByteArray before = fixture_->fileBytes();
    fixture_->failWritesWith(ENOSPC);

    click(face().LabSave);
    QCOMPARE(prompter().informed.size(), 1);
    QVERIFY(prompter().informed.back().contains(QStringLiteral("system.lib")));

    prompter().yesNoAnswers.push_back(true);
    enterMachineName(QStringLiteral("copy"));
    QCOMPARE(prompter().informed.size(), 2);
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("A"));
    QCOMPARE(face().Mtype->count(), 3);

    prompter().yesNoAnswers.push_back(true);
    enterMachineName(QString());
    QCOMPARE(prompter().informed.size(), 3);
    QCOMPARE(face().Mtype->count(), 3);
    QCOMPARE(window().currentMachine(), 0);

    // A failed new machine keeps the editor open with the user's ticks.
    prompter().textAnswers.push_back(QStringLiteral("N"));
    click(face().LabNewJc);
    tick({0, 1, 2, 3, 4});
    click(editor().LabSaveNewJC);
    QCOMPARE(prompter().informed.size(), 4);
    QVERIFY(editor().panel()->isVisible());
    QVERIFY(window().newMachineMode());
    QCOMPARE(editor().tickedCaptions().size(), 5U);
    QCOMPARE(fixture_->fileBytes(), before);

    // Once writing works again, the same save goes through.
    fixture_->failWritesWith(0);
    click(editor().LabSaveNewJC);
    QVERIFY(!editor().panel()->isVisible());
    QCOMPARE(storedMachines().size(), 4U);
    QCOMPARE(QString::fromStdString(storedMachines()[3].name), QStringLiteral("N"));
}

void MachinesTest::unchangedEditorSaveKeepsTheFile() {
    // Leaving the caption editor, by Tab or by a click into the range, corrects nothing that
    // nobody typed: the largest gear, shown last, is stored again as it was.
    fixture_ = std::make_unique<WindowFixture>(std::vector<NewMachine>{
        {"Lathe", 15, fourteenGears()}, {"Hob", 20, {24, 30, 40, 60, 255}}});
    QVERIFY(fixture_->showAndActivate());
    const QByteArray before = fixture_->fileBytes();
    for (int machine : {0, 1}) {
        for (bool byTab : {true, false}) {
            chooseEntry(face().Mtype, machine);
            click(face().LabXgCsTab);
            QCOMPARE(editor().TxG->text(), machine == 0 ? QStringLiteral("120") : "255");
            if (byTab) {
                pressKey(face().Ped0, Qt::Key_Tab);
            } else {
                click(editor().Text1);
            }
            click(editor().LabSaveNewJC);
            QVERIFY(!editor().panel()->isVisible());
            QCOMPARE(fixture_->fileBytes(), before);
        }
    }
    QVERIFY(prompter().informed.isEmpty());
}

void MachinesTest::failedEditorSaveLeavesOneTruth() {
    const QByteArray before = fixture_->fileBytes();
    const std::vector<std::int16_t> gears = window().gearList();
    QVERIFY(QFile::remove(fixture_->dataFile()));
    click(face().LabXgCsTab);
    tick({30}); // 45
    click(editor().LabSaveNewJC);
    // One message; the face, the search and the range still show the stored list.
    QCOMPARE(prompter().informed.size(), 1);
    QVERIFY(prompter().informed.front().contains(QStringLiteral("不存在")));
    QVERIFY(editor().panel()->isVisible());
    QCOMPARE(editor().LabSN->text(), QStringLiteral("6"));
    QCOMPARE(face().LabN->text(), QStringLiteral("5"));
    QCOMPARE(gridRows(face().GZs), 6);
    QCOMPARE(cellText(face().GZs, 5, 1), QStringLiteral("40"));
    QCOMPARE(window().gearList(), gears);

    // The user gives up on the edit; a later save of the gear grid writes the stored list.
    click(editor().ImgQuitNew);
    QFile file(fixture_->dataFile());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
    file.close();
    click(face().LabSave);
    QCOMPARE(fixture_->fileBytes(), before);
    QCOMPARE(prompter().informed.size(), 1);
}

void MachinesTest::fullTableRefusesNewAndCopyBeforeAsking() {
    fixture_ = std::make_unique<WindowFixture>(numberedMachines(255));
    QVERIFY(fixture_->showAndActivate());
    const QByteArray before = fixture_->fileBytes();

    click(face().LabNewJc);
    QVERIFY(prompter().asked.isEmpty());
    QCOMPARE(prompter().informed.size(), 1);
    QVERIFY(prompter().informed.front().contains(QStringLiteral("255")));
    QVERIFY(!editor().panel()->isVisible());
    QVERIFY(!window().newMachineMode());

    // A copy is refused once the user chose it; the name shown goes back.
    prompter().yesNoAnswers.push_back(true);
    enterMachineName(QStringLiteral("Copy"));
    QCOMPARE(prompter().informed.size(), 2);
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("M1"));
    QCOMPARE(fixture_->fileBytes(), before);
    // A rename needs no room and still works.
    prompter().yesNoAnswers.push_back(false);
    enterMachineName(QStringLiteral("First"));
    QCOMPARE(QString::fromStdString(storedMachines()[0].name), QStringLiteral("First"));
    QCOMPARE(storedMachines().size(), 255U);
}

void MachinesTest::aFileWithoutMachinesStartsANewOne() {
    test::LibBytes empty(test::LibBytes::slotAt(1));
    empty.savedHeader(0);
    fixture_ = std::make_unique<WindowFixture>(empty.bytes);
    QVERIFY(fixture_->showAndActivate());
    QCOMPARE(face().Mtype->count(), 0);
    QCOMPARE(face().LabN->text(), QStringLiteral("0"));
    QCOMPARE(face().LabSBFW->text(), QString());
    QCOMPARE(gridRows(face().GZ), 1); // the first search lists nothing
    // Saving or editing a gear list that is not there starts a new machine instead.
    click(face().LabSave);
    prompter().textAnswers.push_back(QStringLiteral("First"));
    click(face().LabXgCsTab);
    QVERIFY(window().newMachineMode());
    tick({0, 1, 2, 3, 4});
    click(editor().LabSaveNewJC);
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("First"));
    QCOMPARE(storedGears(0), (std::vector<std::int16_t>{15, 16, 17, 18, 19}));
    QVERIFY(prompter().informed.isEmpty());
}

void MachinesTest::aListLongerThanTheBoxesIsNotEdited() {
    // 300 gears of one tooth count cannot be shown in 211 boxes: the editor says so instead
    // of opening on a list that a save would cut short.
    fixture_ = std::make_unique<WindowFixture>(
        std::vector<NewMachine>{{"Crowded", 15, std::vector<std::int16_t>(300, 40)}});
    QVERIFY(fixture_->showAndActivate());
    const QByteArray before = fixture_->fileBytes();
    click(face().LabXgCsTab);
    QCOMPARE(prompter().informed.size(), 1);
    QVERIFY(prompter().informed.front().contains(QStringLiteral("211")));
    QVERIFY(!editor().panel()->isVisible());
    QCOMPARE(fixture_->fileBytes(), before);
}

void MachinesTest::editedCaptionsAreStoredAsTheGridReadsThem() {
    // Captions typed into 改齿数 and saved straight away, before leaving the field: the gear
    // list holds each as a whole number within 10..255, and the grid shows what it holds, in
    // the order of the boxes.
    click(face().LabXgCsTab);
    const QString typed[] = {"9", "300", "abc", "20.5"};
    for (int i = 0; i < 4; ++i) {
        click(editor().ZsS[static_cast<std::size_t>(26 + i)]); // 41..44, free boxes
        typeInto(editor().TxG, typed[i]);
    }
    click(editor().LabSaveNewJC);
    QVERIFY(!editor().panel()->isVisible());
    QCOMPARE(storedGears(0), (std::vector<std::int16_t>{10, 10, 20, 21, 25, 30, 35, 40, 255}));
    QStringList cells;
    for (int r = 1; r <= 9; ++r) {
        cells << cellText(face().GZs, r, 1);
    }
    QCOMPARE(cells, (QStringList{"20 ", "25 ", "30 ", "35 ", "40 ", "10", "255", "10", "21 "}));
    QCOMPARE(window().gearList(), storedGears(0));
}

QTEST_MAIN(MachinesTest)
#include "machines_test.moc"
