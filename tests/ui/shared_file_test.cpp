// SPDX-License-Identifier: GPL-3.0-or-later
// The window over a data file that gearsel-cli, in a process of its own, changes underneath
// it: nothing the other program wrote is lost, the window shows what the file holds, and the
// user is told once each time.

#include "window_fixture.h"

#include "store/machine_store.h"
#include "ui/gear_set_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QTest>

using namespace gearsel;
using namespace gearsel::testing;

class SharedFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void saveKeepsAMachineAddedUnderneath();
    void pickingAMachineShowsItAsStored();
    void editorSaveOnAMachineRenamedUnderneathIsRefusedOnce();
    void editorSaveBesideOtherChangesGoesAhead();
    void roomForANewMachineIsCountedInTheFile();
    void aWaitForTheLockIsShownAndToldAfterASecond();

private:
    // Runs gearsel-cli machines on the window's file, as another program would.
    void cli(const QStringList& args);
    std::vector<MachineEntry> storedMachines() {
        return MachineStore::open(fixture_->dataFile().toStdString()).machines();
    }
    std::vector<std::int16_t> storedGears(int index) {
        return MachineStore::open(fixture_->dataFile().toStdString()).gearList(index);
    }
    QStringList boxEntries() {
        QStringList names;
        for (int i = 0; i < face().Mtype->count(); ++i) {
            names << face().Mtype->itemText(i);
        }
        return names;
    }
    FaceControls& face() { return fixture_->face(); }
    EditorControls& editor() { return fixture_->editor(); }
    FakePrompter& prompter() { return fixture_->prompter(); }

    std::unique_ptr<WindowFixture> fixture_;
};

void SharedFileTest::init() {
    fixture_ = std::make_unique<WindowFixture>(
        std::vector<NewMachine>{{"A", 15, {20, 25, 30, 35, 40}},
                                {"B", 20, {24, 36, 48, 60, 72}},
                                {"C", 25, {30, 45, 60, 75, 90, 105}},
                                {"D", 30, {20, 40, 60, 80, 100}},
                                {"E", 35, {21, 42, 63, 84, 105}}});
    QVERIFY(fixture_->showAndActivate());
}

void SharedFileTest::cleanup() {
    fixture_.reset();
}

namespace {

// Records each showing of the notice of a wait: its text, and whether the wait cursor showed.
class NoticeWatch : public QObject {
public:
    explicit NoticeWatch(QLabel* notice) : notice_(notice) { notice->installEventFilter(this); }
    QStringList texts;
    bool waitCursor = true;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == notice_ && event->type() == QEvent::Show) {
            texts << notice_->text();
            const QCursor* cursor = QApplication::overrideCursor();
            waitCursor = waitCursor && cursor != nullptr && cursor->shape() == Qt::WaitCursor;
        }
        return false;
    }

private:
    QLabel* notice_;
};

} // namespace

void SharedFileTest::cli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(GEARSEL_CLI_PATH),
                  QStringList{"machines", "--lib", fixture_->dataFile()} + args);
    QVERIFY(process.waitForFinished(30000));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
}

void SharedFileTest::saveKeepsAMachineAddedUnderneath() {
    cli({"add", "X", "--gears", "20,30,40,50,60"});
    clickOn(face().LabSave);
    QCOMPARE(prompter().informed.size(), 1);
    QVERIFY(prompter().informed.front().contains(QStringLiteral("另一个程序")));
    QCOMPARE(storedMachines().size(), 6U);
    QCOMPARE(QString::fromStdString(storedMachines()[5].name), QStringLiteral("X"));
    QCOMPARE(boxEntries().last(), QStringLiteral("X"));
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("A"));
    // Nothing changed since: the next save says nothing.
    clickOn(face().LabSave);
    QCOMPARE(prompter().informed.size(), 1);
}

void SharedFileTest::pickingAMachineShowsItAsStored() {
    cli({"delete", "4"});
    // The box still lists D in fourth place; picking it shows the machine that the file
    // holds, never D's name with E's gears.
    chooseEntry(face().Mtype, 3);
    QCOMPARE(prompter().informed.size(), 1);
    QCOMPARE(boxEntries(), (QStringList{"A", "B", "C", "E"}));
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("E"));
    QCOMPARE(face().Tzptj->text(), QStringLiteral("35"));
    QCOMPARE(cellText(face().GZs, 1, 1), QStringLiteral("21"));
    QCOMPARE(fixture_->window().gearList(), storedGears(3));
    // A machine whose name is still there is found under it, wherever it moved: one step up
    // from E picks C, which the file now holds in second place.
    cli({"delete", "1"});
    pressKey(face().Mtype, Qt::Key_Up);
    QCOMPARE(prompter().informed.size(), 2);
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("C"));
    QCOMPARE(fixture_->window().currentMachine(), 1);
    QCOMPARE(face().Tzptj->text(), QStringLiteral("25"));
}

void SharedFileTest::editorSaveOnAMachineRenamedUnderneathIsRefusedOnce() {
    clickOn(face().LabXgCsTab);
    clickOn(editor().ZsS[30]); // 45
    cli({"rename", "A", "A2"});
    clickOn(editor().LabSaveNewJC);
    QCOMPARE(prompter().informed.size(), 1);
    QVERIFY(prompter().informed.front().contains(QStringLiteral("没有进行")));
    QVERIFY(editor().panel()->isVisible());
    QCOMPARE(editor().tickedCount(), 6);
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("A2"));
    QCOMPARE(storedGears(0), (std::vector<std::int16_t>{20, 25, 30, 35, 40}));
    // The user has seen the new name and saves again: now it goes ahead, under that name.
    clickOn(editor().LabSaveNewJC);
    QCOMPARE(prompter().informed.size(), 1);
    QVERIFY(!editor().panel()->isVisible());
    QCOMPARE(QString::fromStdString(storedMachines()[0].name), QStringLiteral("A2"));
    QCOMPARE(storedGears(0), (std::vector<std::int16_t>{20, 25, 30, 35, 40, 45}));
}

void SharedFileTest::editorSaveBesideOtherChangesGoesAhead() {
    chooseEntry(face().Mtype, 2);
    clickOn(face().LabXgCsTab);
    clickOn(editor().ZsS[0]); // 25
    cli({"set-gears", "B", "--gears", "20,22,24,26,28"});
    cli({"delete", "A"});
    clickOn(editor().LabSaveNewJC);
    QCOMPARE(prompter().informed.size(), 1);
    QVERIFY(!editor().panel()->isVisible());
    const auto machines = storedMachines();
    QCOMPARE(machines.size(), 4U);
    QCOMPARE(QString::fromStdString(machines[1].name), QStringLiteral("C"));
    QCOMPARE(storedGears(0), (std::vector<std::int16_t>{20, 22, 24, 26, 28}));
    QCOMPARE(storedGears(1), (std::vector<std::int16_t>{25, 30, 45, 60, 75, 90, 105}));
    QCOMPARE(face().Mtype->currentText(), QStringLiteral("C"));
    QCOMPARE(face().LabN->text(), QStringLiteral("7"));
}

void SharedFileTest::roomForANewMachineIsCountedInTheFile() {
    fixture_ = std::make_unique<WindowFixture>(numberedMachines(254));
    QVERIFY(fixture_->showAndActivate());

    // Another program fills the table: a new machine is refused before its name is asked.
    cli({"add", "X", "--gears", "20,30,40,50,60"});
    clickOn(face().LabNewJc);
    QCOMPARE(prompter().informed.size(), 2);
    QVERIFY(prompter().informed[0].contains(QStringLiteral("另一个程序")));
    const QString full = prompter().informed[1];
    QVERIFY2(full.contains(QStringLiteral("255")), qPrintable(full));
    QVERIFY(!editor().panel()->isVisible());

    // It deletes one: now there is room.
    cli({"delete", "X"});
    prompter().textAnswers.push_back(QStringLiteral("N"));
    clickOn(face().LabNewJc);
    QCOMPARE(prompter().informed.size(), 3);
    QVERIFY(editor().panel()->isVisible());

    // It fills the table again while the editor is open: the save is refused in the same
    // words, and the editor keeps the ticks.
    cli({"add", "Y", "--gears", "20,30,40,50,60"});
    for (int box = 0; box < 5; ++box) {
        clickOn(editor().ZsS[static_cast<std::size_t>(box)]);
    }
    clickOn(editor().LabSaveNewJC);
    QCOMPARE(prompter().informed.size(), 5);
    QVERIFY(prompter().informed[3].contains(QStringLiteral("另一个程序")));
    QCOMPARE(prompter().informed[4], full);
    QVERIFY(editor().panel()->isVisible());
    QCOMPARE(editor().tickedCount(), 5);
    QCOMPARE(storedMachines().size(), 255U);
    QCOMPARE(QString::fromStdString(storedMachines().back().name), QStringLiteral("Y"));
}

void SharedFileTest::aWaitForTheLockIsShownAndToldAfterASecond() {
    auto* notice = qobject_cast<QLabel*>(controlNamed(fixture_->window(), "lockWait"));
    NoticeWatch watch(notice);
    const auto saveWithBox = [this](int box) {
        pressKey(face().Ped0, Qt::Key_E, Qt::ControlModifier);
        clickOn(editor().ZsS[static_cast<std::size_t>(box)]);
        pressKey(face().Ped0, Qt::Key_S, Qt::ControlModifier);
    };
    // Another program holds the lock for a moment: the change waits and is made, told nothing.
    fixture_->holdLockFor(3);
    saveWithBox(0); // 15
    QCOMPARE(storedGears(0), (std::vector<std::int16_t>{15, 20, 25, 30, 35, 40}));
    QCOMPARE(watch.texts, QStringList());
    // For longer than a second: the notice says what the window waits for, over the wait
    // cursor, and goes once the change is made.
    fixture_->holdLockFor(15);
    saveWithBox(1); // 11: the range now starts at 10
    QCOMPARE(storedGears(0), (std::vector<std::int16_t>{11, 15, 20, 25, 30, 35, 40}));
    QCOMPARE(watch.texts.size(), 1);
    QVERIFY2(watch.texts.front().contains(QStringLiteral("另一个程序正在修改数据文件")) &&
                 watch.texts.front().contains(QStringLiteral(".system.lib.lock")),
             qPrintable(watch.texts.front()));
    QVERIFY(watch.waitCursor);
    QVERIFY(notice->isHidden());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QCOMPARE(prompter().informed, QStringList());
}

QTEST_MAIN(SharedFileTest)
#include "shared_file_test.moc"
