// The window's machine management: the gear-set editor's opening and save, saving the gear
// grid, and renaming, copying and deleting machines from the machine box. Every change goes
// through the store, which writes system.lib at once and changes its table only when the
// write succeeded; on a failure the window shows the store's message and shows the table as
// it still is.

#include "engine/gear_box_layout.h"
#include "engine/number_text.h"
#include "engine/selection.h"
#include "store/lib_layout.h"
#include "store/store_error.h"
#include "ui/gear_sel.h"

#include "ui/clickable_label.h"
#include "ui/gear_set_editor.h"
#include "ui/grid.h"
#include "ui/line_field.h"
#include "ui/main_face.h"
#include "ui/prompter.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

namespace gearsel {

namespace {

// Zn of a new machine, range and smallest gear set of the editor for it.
constexpr std::int16_t kNewMachineZn = 15;
constexpr int kNewMachineRangeStart = 15;
constexpr int kNewMachineRangeEnd = 120;
constexpr int kSmallestGearSet = 5;

} // namespace

void GearSel::openEditorOnCurrent() {
    if (currentMachine_ < 0) {
        // Without any machine there is no gear set to edit: start a new machine instead.
        ImgNewJc_Click();
        return;
    }
    std::vector<std::int16_t> sorted = gearList_;
    sortGears(sorted);
    const GearListView view = showGearList(sorted);
    if (view.unshown > 0) {
        prompter_.inform(QStringLiteral("这台机床有 %1 个挂轮，挂轮齿数编辑最多只能显示 %2 个，"
                                        "无法在这里修改它的挂轮齿数表。")
                             .arg(gearList_.size())
                             .arg(kGearBoxCount));
        return;
    }
    pendingMachineName_ = face_->Mtype->currentText().trimmed();
    editor_->show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    editor_->DispGLTab(sorted);
}

void GearSel::ImgNewJc_Click() {
    if (refuseWhenTableFull()) {
        return;
    }
    editor_->show();
    newMachineMode_ = true;
    editor_->setRange(kNewMachineRangeStart, kNewMachineRangeEnd);
    pendingMachineName_ = prompter_
                              .askText(QStringLiteral("输入新的机床名称："),
                                       QString::fromUtf8(MachineStore::kDefaultName))
                              .value_or(QString());
    editor_->MkChkCL();
}

bool GearSel::refuseWhenTableFull() {
    if (static_cast<int>(store_.machines().size()) < kMaxMachines) {
        return false;
    }
    prompter_.inform(QStringLiteral("已经有 %1 个机床型号，不能再增加了。\n"
                                    "可以先删除不用的机床型号：清空机床名称后按回车键。")
                         .arg(kMaxMachines));
    return true;
}

void GearSel::ComNewJcQD_Click() {
    if (editor_->shownCount() < kSmallestGearSet) {
        editor_->hide();
        newMachineMode_ = false;
        return;
    }
    editor_->setSaveEnabled(false);
    std::vector<std::string> captions;
    for (const QString& caption : editor_->tickedCaptions()) {
        captions.push_back(caption.toStdString());
    }
    const std::vector<std::int16_t> gears = gearsFromCaptions(captions);

    // The face changes only once the file holds the new list: a failed save leaves the face,
    // the search and the file all on the list as it was, and the editor open with its ticks.
    bool saved = false;
    try {
        if (newMachineMode_) {
            QString name = pendingMachineName_.trimmed();
            if (name.isEmpty()) {
                name = QString::fromUtf8(MachineStore::kDefaultName);
            }
            const int index = store_.addMachine(name.toStdString(), kNewMachineZn, gears);
            newMachineMode_ = false;
            shownMachineName_ = name;
            ResetList();
            selectEntry(index);
        } else {
            store_.setGearList(currentMachine_, gears);
            rebuildGearGrid(captions);
            gearList_ = ReadZs();
            DispSbFW();
        }
        saved = true;
    } catch (const StoreError& error) {
        reportStoreError(error);
    }
    ClsGzList();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    editor_->setSaveEnabled(true);
    if (saved) {
        editor_->hide();
        face_->TSb->setFocus();
    }
}

void GearSel::ComSave_Click() {
    if (currentMachine_ < 0) {
        return;
    }
    const std::vector<std::int16_t> gears = ReadZs();
    try {
        store_.setGearList(currentMachine_, gears);
        gearList_ = gears;
        DispSbFW();
    } catch (const StoreError& error) {
        reportStoreError(error);
    }
}

void GearSel::Mtype_GotFocus() {
    shownMachineName_ = face_->Mtype->currentText().trimmed();
    face_->Mtype->setEditText(shownMachineName_);
}

void GearSel::Mtype_Enter() {
    if (currentMachine_ < 0) {
        return;
    }
    const QString typed = face_->Mtype->currentText().trimmed();
    const int count = static_cast<int>(store_.machines().size());
    try {
        if (!typed.isEmpty()) {
            const bool copy = prompter_.askYesNo(
                QStringLiteral("另存为一个新的“%1”挂轮表？").arg(shownMachineName_),
                Prompter::Icon::Question);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (copy && refuseWhenTableFull()) {
                restoreShownName();
            } else if (copy) {
                const MachineEntry& current =
                    store_.machines()[static_cast<std::size_t>(currentMachine_)];
                const int index = store_.addMachine(typed.toStdString(), current.zn, gearList_);
                ResetList();
                selectEntry(index);
            } else {
                store_.renameMachine(currentMachine_, typed.toStdString());
                ResetList();
                selectEntry(currentMachine_);
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
            ResetList();
            selectEntry(std::min(currentMachine_, count - 2));
        }
    } catch (const StoreError& error) {
        reportStoreError(error);
        restoreShownName();
    }
}

void GearSel::restoreShownName() {
    face_->Mtype->setEditText(shownMachineName_);
}

void GearSel::ResetList() {
    fillMachineBox();
}

void GearSel::selectEntry(int index) {
    QComboBox* box = face_->Mtype;
    box->setCurrentIndex(index);
    box->setEditText(box->itemText(index));
}

void GearSel::rebuildGearGrid(const std::vector<std::string>& captions) {
    Grid& grid = *face_->GZs;
    grid.setRows(static_cast<int>(captions.size()) + 1);
    int c = 0;
    for (const std::string& caption : captions) {
        ++c;
        grid.setRow(c);
        grid.setCol(0);
        grid.setText(QString::number(c) + QLatin1Char(' '));
        grid.setCol(1);
        grid.setText(QString::fromStdString(gearCellText(caption)));
    }
    setGearCountCaption(c);
}

std::vector<std::int16_t> GearSel::ReadZs() {
    Grid& grid = *face_->GZs;
    const int n = readWholeNumber(face_->LabN->text().toStdString(), 0, grid.rows() - 1);
    std::vector<std::int16_t> gears;
    grid.setCol(1);
    for (int i = 1; i <= n; ++i) {
        grid.setRow(i);
        const std::string text = grid.text().toStdString();
        // A cell below 10, or without a number, shows the 10 it stands for.
        if (readWholeNumber(text, 0, kMinTeeth) < kMinTeeth) {
            grid.setText(QString::number(kMinTeeth));
        }
        gears.push_back(gearFromCell(text));
    }
    grid.setTopRow(1);
    sortGears(gears);
    return gears;
}

} // namespace gearsel
