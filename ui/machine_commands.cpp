// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/machine_commands.h"

#include "engine/number_text.h"
#include "engine/selection.h"
#include "present/gear_box_layout.h"
#include "store/lib_layout.h"
#include "store/store_conflict.h"
#include "ui/clickable_label.h"
#include "ui/gear_grid_view.h"
#include "ui/gear_set_editor.h"
#include "ui/grid.h"
#include "ui/line_field.h"
#include "ui/main_face.h"
#include "ui/prompter.h"
#include "ui/widget_helpers.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace gearsel {

namespace {

// What the user is told when a change was not made because its machine changed in the file.
QString refusal(const QString& machine) {
    return QStringLiteral(
               "\n机床“%1”在文件中已经被改动，这次的操作没有进行；请看过现在的内容后再试。")
        .arg(machine);
}

// Zn of a new machine, range and smallest gear set of the editor for it.
constexpr std::int16_t kNewMachineZn = 15;
constexpr int kNewMachineRangeStart = 15;
constexpr int kNewMachineRangeEnd = 120;
constexpr int kSmallestGearSet = 5;

} // namespace

MachineCommands::MachineCommands(MachineStore store, Prompter& prompter, MainFace& face,
                                 GearSetEditor& editor, QObject* parent)
    : QObject(parent), store_(std::move(store)), prompter_(prompter), face_(face), editor_(editor) {
    connect(face_.fields().Mtype, &QComboBox::currentIndexChanged, this, [this](int position) {
        if (position >= 0) {
            Mtype_Click(position);
        }
    });
    // The combo box itself has the focus and receives the keys; it passes them on to its line
    // edit directly, past any filter there, so the box is the one to watch.
    face_.fields().Mtype->installEventFilter(this);
    connect(&editor_, &GearSetEditor::saveRequested, this, &MachineCommands::ComNewJcQD_Click);
    connect(&editor_, &GearSetEditor::closed, this, [this] { newMachineMode_ = false; });
}

void MachineCommands::keepSearchedGears(std::vector<std::int16_t> sortedGears) {
    gearList_ = std::move(sortedGears);
}

bool MachineCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == face_.fields().Mtype) {
        if (event->type() == QEvent::FocusIn &&
            movesFocusWithinWindow(static_cast<QFocusEvent*>(event))) {
            Mtype_GotFocus();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                Mtype_Enter();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void MachineCommands::GetJcTab() {
    fillMachineBox();
    if (store_.machines().empty()) {
        // A file without machines: nothing to select; the window shows an empty gear list.
        currentMachine_ = -1;
        gearList_.clear();
        showGears();
        return;
    }
    face_.fields().Mtype->setCurrentIndex(0);
    face_.fields().Mtype->setEditText(QString::fromStdString(store_.machines().front().name));
}

void MachineCommands::fillMachineBox() {
    QComboBox* box = face_.fields().Mtype;
    const QSignalBlocker blocker(box);
    box->clear();
    for (const MachineEntry& machine : store_.machines()) {
        box->addItem(QString::fromStdString(machine.name));
    }
    box->setCurrentIndex(-1);
}

void MachineCommands::Mtype_Click(int position) {
    QComboBox* box = face_.fields().Mtype;
    const int previous = currentMachine_;
    const auto stayOnPrevious = [&] {
        currentMachine_ = previous;
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(previous);
        shownMachineName_ = box->currentText().trimmed();
        box->setEditText(shownMachineName_);
    };
    if (store_.fileChanged()) {
        // The entry was picked from the table as it was; the machine of that name is picked
        // from the table as it is now.
        const std::string picked = utf8(box->itemText(position));
        try {
            store_.reload();
        } catch (const std::exception& error) {
            reportStoreError(error);
            stayOnPrevious();
            return;
        }
        const auto& table = store_.machines();
        const auto same = std::find_if(table.begin(), table.end(),
                                       [&](const MachineEntry& e) { return e.name == picked; });
        showTable(same != table.end() ? static_cast<int>(same - table.begin()) : position);
        prompter_.inform(otherProgramText());
        return;
    }
    currentMachine_ = position;
    shownMachineName_ = box->currentText().trimmed();
    box->setEditText(shownMachineName_);
    if (!GetGearZN()) {
        // The list could not be read: stay on the machine shown before.
        stayOnPrevious();
    }
    Q_EMIT resultsStale();
}

bool MachineCommands::GetGearZN() {
    if (currentMachine_ < 0 || currentMachine_ >= static_cast<int>(store_.machines().size())) {
        return false;
    }
    std::vector<std::int16_t> gears;
    try {
        gears = store_.gearList(currentMachine_);
    } catch (const std::exception& error) {
        reportStoreError(error);
        return false;
    }
    const MachineEntry& machine = store_.machines()[static_cast<std::size_t>(currentMachine_)];
    rememberLoaded(gears);
    gearList_ = std::move(gears);
    face_.fields().Tzptj->setText(QString::number(machine.zn));
    showGears();
    return true;
}

void MachineCommands::showGears() {
    setGearCountCaption(static_cast<int>(gearList_.size()));
    fillGearGrid(face_.gearGrid(), gearList_);
    Q_EMIT gearListChanged();
}

void MachineCommands::openEditorOnCurrent() {
    if (currentMachine_ < 0) {
        // Without any machine there is no gear set to edit: start a new machine instead.
        ImgNewJc_Click();
        return;
    }
    std::vector<std::int16_t> sorted = gearList_;
    sortGears(sorted);
    if (gearBoxView(sorted).unshown > 0) {
        prompter_.inform(QStringLiteral("这台机床有 %1 个挂轮，挂轮齿数编辑最多只能显示 %2 个，"
                                        "无法在这里修改它的挂轮齿数表。")
                             .arg(gearList_.size())
                             .arg(kGearBoxCount));
        return;
    }
    pendingMachineName_ = face_.fields().Mtype->currentText().trimmed();
    editor_.show();
    editor_.panel()->repaint();
    editor_.DispGLTab(sorted);
}

void MachineCommands::ImgNewJc_Click() {
    // Room is counted in the file as it is now: another program may have added or deleted
    // machines since.
    if (!catchUpWithFile(false) || refuseWhenTableFull()) {
        return;
    }
    editor_.show();
    newMachineMode_ = true;
    editor_.setRange(kNewMachineRangeStart, kNewMachineRangeEnd);
    pendingMachineName_ = prompter_
                              .askText(QStringLiteral("输入新的机床名称："),
                                       QString::fromUtf8(MachineStore::kDefaultName))
                              .value_or(QString());
    editor_.MkChkCL();
}

bool MachineCommands::refuseWhenTableFull() {
    if (static_cast<int>(store_.machines().size()) < kMaxMachines) {
        return false;
    }
    prompter_.inform(QStringLiteral("已经有 %1 个机床型号，不能再增加了。\n"
                                    "可以先删除不用的机床型号：清空机床名称后按回车键。")
                         .arg(kMaxMachines));
    return true;
}

void MachineCommands::ComNewJcQD_Click() {
    if (editor_.tickedCount() < kSmallestGearSet) {
        editor_.hide();
        newMachineMode_ = false;
        return;
    }
    editor_.setSaveEnabled(false);
    std::vector<std::string> captions;
    for (const QString& caption : editor_.tickedCaptions()) {
        captions.push_back(utf8(caption));
    }
    const std::vector<std::int16_t> gears = gearsFromCaptions(captions);

    // The face changes only once the file holds the new list: a failed save leaves the face,
    // the search and the file all on the list as it was, and the editor open with its ticks.
    bool saved = false;
    try {
        if (!catchUpWithFile(!newMachineMode_) || (newMachineMode_ && refuseWhenTableFull())) {
            // The editor stays open with its ticks; the face shows what the file holds now.
        } else if (newMachineMode_) {
            QString name = pendingMachineName_.trimmed();
            if (name.isEmpty()) {
                name = QString::fromUtf8(MachineStore::kDefaultName);
            }
            const int index = store_.addMachine(utf8(name), kNewMachineZn, gears);
            newMachineMode_ = false;
            shownMachineName_ = name;
            showTable(index);
            showOthersChanges(index);
            saved = true;
        } else {
            store_.setGearList(currentMachine_, gears);
            if (store_.sawOtherChanges()) {
                showOthersChanges(currentMachine_);
            } else {
                rebuildGearGrid(captions);
                gearList_ = gears;
                rememberLoaded(gears);
                Q_EMIT gearListChanged();
            }
            saved = true;
        }
    } catch (const StoreConflict&) {
        recoverFromConflict();
    } catch (const std::exception& error) {
        reportStoreError(error);
    }
    Q_EMIT resultsStale();
    editor_.setSaveEnabled(true);
    if (saved) {
        editor_.hide();
        face_.fields().TSb->setFocus();
    }
}

void MachineCommands::ComSave_Click() {
    if (currentMachine_ < 0) {
        return;
    }
    try {
        if (!catchUpWithFile(true)) {
            return;
        }
        std::vector<std::int16_t> gears = gearList_;
        sortGears(gears);
        store_.setGearList(currentMachine_, gears);
        gearList_ = gears;
        rememberLoaded(gears);
        face_.gearGrid().setTopRow(1);
        Q_EMIT gearListChanged();
        showOthersChanges(currentMachine_);
    } catch (const StoreConflict&) {
        recoverFromConflict();
    } catch (const std::exception& error) {
        reportStoreError(error);
    }
}

MachineConstants MachineCommands::currentConstants() {
    if (currentMachine_ < 0) {
        return {};
    }
    try {
        if (!catchUpWithFile(true)) {
            return {};
        }
        return store_.constants(currentMachine_);
    } catch (const StoreConflict&) {
        recoverFromConflict();
    } catch (const std::exception& error) {
        reportStoreError(error);
    }
    return {};
}

bool MachineCommands::keepConstants(const MachineConstants& constants) {
    if (currentMachine_ < 0) {
        return false;
    }
    try {
        if (!catchUpWithFile(true)) {
            return false;
        }
        store_.setConstants(currentMachine_, constants);
        showOthersChanges(currentMachine_);
        return true;
    } catch (const StoreConflict&) {
        recoverFromConflict();
    } catch (const std::exception& error) {
        reportStoreError(error);
    }
    return false;
}

void MachineCommands::Mtype_GotFocus() {
    shownMachineName_ = face_.fields().Mtype->currentText().trimmed();
    face_.fields().Mtype->setEditText(shownMachineName_);
}

void MachineCommands::Mtype_Enter() {
    if (currentMachine_ < 0) {
        return;
    }
    const QString typed = face_.fields().Mtype->currentText().trimmed();
    try {
        // Whatever the user chooses acts on the current machine as the file holds it now.
        if (!catchUpWithFile(true)) {
            return;
        }
        const int count = static_cast<int>(store_.machines().size());
        const int named = machineNamed(typed);
        if (named >= 0) {
            // The name is a machine's already: a copy under it would only make a duplicate,
            // and a rename would change nothing. The user meant that machine.
            selectEntry(named);
        } else if (!typed.isEmpty()) {
            const bool copy = prompter_.askYesNo(
                QStringLiteral("另存为一个新的“%1”挂轮表？").arg(shownMachineName_),
                Prompter::Icon::Question);
            face_.panels().Ped0->repaint();
            if (copy && refuseWhenTableFull()) {
                restoreShownName();
            } else if (copy) {
                // The copy takes the machine's Zn, gears and constants in one change.
                const int index = store_.copyMachine(currentMachine_, utf8(typed));
                showTable(index);
                showOthersChanges(index);
            } else {
                store_.renameMachine(currentMachine_, utf8(typed));
                showTable(currentMachine_);
                showOthersChanges(currentMachine_);
            }
        } else if (count == 1) {
            // The last machine cannot be deleted.
            restoreShownName();
        } else if (!prompter_.askYesNo(
                       QStringLiteral("删除“%1”这个挂轮表？").arg(shownMachineName_),
                       Prompter::Icon::Information)) {
            restoreShownName();
        } else {
            store_.deleteMachine(currentMachine_);
            const int next =
                std::min(currentMachine_, static_cast<int>(store_.machines().size()) - 1);
            showTable(next);
            showOthersChanges(next);
        }
    } catch (const StoreConflict&) {
        recoverFromConflict();
    } catch (const std::exception& error) {
        reportStoreError(error);
        restoreShownName();
    }
}

int MachineCommands::machineNamed(const QString& name) const {
    const auto& table = store_.machines();
    const auto named = [&](int i) {
        return QString::fromStdString(table[static_cast<std::size_t>(i)].name).trimmed() == name;
    };
    if (currentMachine_ >= 0 && named(currentMachine_)) {
        return currentMachine_;
    }
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        if (named(i)) {
            return i;
        }
    }
    return -1;
}

void MachineCommands::restoreShownName() {
    face_.fields().Mtype->setEditText(shownMachineName_);
}

void MachineCommands::ResetList() {
    fillMachineBox();
}

void MachineCommands::selectEntry(int index) {
    QComboBox* box = face_.fields().Mtype;
    box->setCurrentIndex(index);
    box->setEditText(box->itemText(index));
}

void MachineCommands::rebuildGearGrid(const std::vector<std::string>& captions) {
    Grid& grid = face_.gearGrid();
    grid.setRows(static_cast<int>(captions.size()) + 1);
    int c = 0;
    for (const std::string& caption : captions) {
        ++c;
        grid.setRow(c);
        grid.setCol(0);
        grid.setText(QString::number(c) + QLatin1Char(' '));
        grid.setCol(1);
        // A count beyond the largest gear is stored as the largest, and shown so, as one
        // below the smallest shows the smallest.
        const std::string cell = gearCellText(caption);
        grid.setText(readNumber(cell) > kMaxTeeth ? QString::number(kMaxTeeth)
                                                  : QString::fromStdString(cell));
    }
    grid.setTopRow(1);
    setGearCountCaption(c);
}

void MachineCommands::setGearCountCaption(int count) {
    setCaption(face_.captions().LabN, QString::number(count));
    Q_EMIT resultsStale();
}

void MachineCommands::reportStoreError(const std::exception& error) {
    prompter_.inform(QString::fromStdString(error.what()));
}

bool MachineCommands::catchUpWithFile(bool aimedAtCurrent) {
    if (!store_.fileChanged()) {
        return true;
    }
    const QString machine = shownMachineName_;
    try {
        store_.reload();
    } catch (const std::exception& error) {
        reportStoreError(error);
        return false;
    }
    const int found = currentMachine_ >= 0 ? findLoadedMachine() : -1;
    const bool goAhead = !aimedAtCurrent || found >= 0;
    showTable(found >= 0 ? found : currentMachine_);
    prompter_.inform(goAhead ? otherProgramText() : otherProgramText() + refusal(machine));
    return goAhead;
}

void MachineCommands::showOthersChanges(int index) {
    if (!store_.sawOtherChanges()) {
        return;
    }
    showTable(index);
    prompter_.inform(otherProgramText());
}

void MachineCommands::recoverFromConflict() {
    const QString machine = shownMachineName_;
    try {
        store_.reload();
    } catch (const std::exception& error) {
        reportStoreError(error);
        return;
    }
    const int found = findLoadedMachine();
    showTable(found >= 0 ? found : currentMachine_);
    prompter_.inform(otherProgramText() + refusal(machine));
}

void MachineCommands::showTable(int index) {
    ResetList();
    const int count = static_cast<int>(store_.machines().size());
    if (count == 0) {
        currentMachine_ = -1;
        gearList_.clear();
        showGears();
        return;
    }
    selectEntry(std::clamp(index, 0, count - 1));
}

int MachineCommands::findLoadedMachine() {
    const auto& table = store_.machines();
    const auto matches = [&](int i) {
        const MachineEntry& entry = table[static_cast<std::size_t>(i)];
        if (entry.name != loadedEntry_.name || entry.zn != loadedEntry_.zn ||
            entry.gearCount != loadedEntry_.gearCount) {
            return false;
        }
        try {
            return store_.gearList(i) == loadedGears_;
        } catch (const std::exception&) {
            return false;
        }
    };
    const int count = static_cast<int>(table.size());
    if (currentMachine_ >= 0 && currentMachine_ < count && matches(currentMachine_)) {
        return currentMachine_;
    }
    for (int i = 0; i < count; ++i) {
        if (i != currentMachine_ && matches(i)) {
            return i;
        }
    }
    return -1;
}

void MachineCommands::rememberLoaded(const std::vector<std::int16_t>& gearsAsRead) {
    loadedEntry_ = store_.machines()[static_cast<std::size_t>(currentMachine_)];
    loadedGears_ = gearsAsRead;
}

QString MachineCommands::otherProgramText() const {
    return QStringLiteral(
               "另一个程序修改了数据文件“%1”。这里已经重新读入，显示的是文件中现在的内容。")
        .arg(QString::fromStdString(store_.path()));
}

} // namespace gearsel
