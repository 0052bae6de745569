// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/machine_commands.h"

#include "engine/number_text.h"
#include "engine/selection.h"
#include "engine/train_constants.h"
#include "present/gear_box_layout.h"
#include "present/problem_text.h"
#include "store/lib_layout.h"
#include "store/store_conflict.h"
#include "ui/gear_set_editor.h"
#include "ui/gear_table_model.h"
#include "ui/grid_view.h"
#include "ui/line_field.h"
#include "ui/prompter.h"
#include "ui/ui_style.h"
#include "ui/widget_helpers.h"
#include "ui/window_language.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <array>

namespace gearsel {

namespace {

// What the user is told when a change was not made because its machine changed in the file.
QString refusal(const QString& machine) {
    return QLatin1Char('\n') +
           MachineCommands::tr(
               "机床“%1”在文件中已经被改动，这次的操作没有进行；请看过现在的内容后再试。")
               .arg(machine);
}

// Zn of a new machine, range and smallest gear set of the editor for it.
constexpr std::int16_t kNewMachineZn = 15;
constexpr int kNewMachineRangeStart = 15;
constexpr int kNewMachineRangeEnd = 120;
constexpr int kSmallestGearSet = 5;

GridColors gearGridColors() {
    return GridColors{QColor(255, 255, 208), QColor(0, 0, 192), style::kHeadingBack,
                      QColor(192, 255, 255), QColor(255, 0, 0), QColor(192, 255, 255),
                      style::kGridLines};
}

} // namespace

MachineCommands::MachineCommands(MachineStore store, Prompter& prompter, const TwipsScale& scale,
                                 QWidget* face, GearSetEditor& editor, QObject* parent)
    : QObject(parent), store_(std::move(store)), prompter_(prompter), editor_(editor) {
    createControls(scale, face);
    connect(machineBox_, &QComboBox::currentIndexChanged, this, [this](int position) {
        if (position >= 0) {
            machinePicked(position);
        }
    });
    // The combo box itself has the focus and receives the keys; it passes them on to its line
    // edit directly, past any filter there, so the box is the one to watch.
    machineBox_->installEventFilter(this);
    connect(&editor_, &GearSetEditor::saveRequested, this, &MachineCommands::saveEditedGearSet);
    connect(&editor_, &GearSetEditor::discarded, this, [this] { newMachineMode_ = false; });
}

void MachineCommands::createControls(const TwipsScale& scale, QWidget* face) {
    QLabel* name =
        makeCaption(face, "Label1", QPoint(scale.x(600), scale.y(1425)), tr("机床名称："));
    makeCaption(face, "Label4", QPoint(scale.x(600), scale.y(1845)), tr("挂轮个数："),
                tr("这台机床所配带的挂轮个数"));
    gearCount_ = makeCaption(face, "LabN", QPoint(scale.x(1590), scale.y(1830)), QString());
    gearCount_->setFont(style::song(scale.points(10.5)));
    setCaption(gearCount_, QStringLiteral("38"));

    machineBox_ = new QComboBox(face);
    machineBox_->setObjectName(QStringLiteral("Mtype"));
    machineBox_->setEditable(true);
    machineBox_->setInsertPolicy(QComboBox::NoInsert);
    machineBox_->setGeometry(scale.rect(1500, 1365, 2220, 300));
    machineBox_->setEditText(QStringLiteral("Y38"));
    machineBox_->setToolTip(
        tr("修改名称后按“回车”键将另存为一个新的挂轮表，名称改为空白后将删除该挂轮表"));
    setColour(machineBox_, QPalette::Base, style::kFieldBack);
    setColour(machineBox_->lineEdit(), QPalette::Base, style::kFieldBack);
    name->setBuddy(machineBox_);
    // The text part is a control of its own for a screen reader.
    machineBox_->lineEdit()->setAccessibleName(tr("机床名称"));

    const GridColors colors = gearGridColors();
    gearGrid_ = GridView::create(scale, colors, face, "GZs", tr("挂轮齿数"),
                                 scale.rect(555, 2580, 1245, 1785));
    gears_ = new GearTableModel(colors.cellBack, colors.cellText, gearGrid_);
    gearGrid_->setGridModel(gears_);
    gearGrid_->setColumnTwips(std::array{450, 480});
}

QString MachineCommands::machineName() const {
    return machineBox_->currentText();
}

void MachineCommands::keepSearchedGears(std::vector<std::int16_t> sortedGears) {
    gearList_ = std::move(sortedGears);
}

bool MachineCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == machineBox_) {
        if (event->type() == QEvent::ShortcutOverride &&
            isCommandKey(static_cast<QKeyEvent*>(event))) {
            // The box's text part would take the key for itself; the window's command runs.
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::FocusIn &&
            movesFocusWithinWindow(static_cast<QFocusEvent*>(event))) {
            rememberShownName();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                applyEditedName();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void MachineCommands::loadMachineTable() {
    fillMachineBox();
    if (store_.machines().empty()) {
        // A file without machines: nothing to select; the window shows an empty gear list.
        currentMachine_ = -1;
        gearList_.clear();
        showGears();
        return;
    }
    machineBox_->setCurrentIndex(0);
    machineBox_->setEditText(QString::fromStdString(store_.machines().front().name));
}

void MachineCommands::fillMachineBox() {
    QComboBox* box = machineBox_;
    const QSignalBlocker blocker(box);
    box->clear();
    for (const MachineEntry& machine : store_.machines()) {
        box->addItem(QString::fromStdString(machine.name));
    }
    box->setCurrentIndex(-1);
}

void MachineCommands::machinePicked(int position) {
    QComboBox* box = machineBox_;
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
    if (!loadGearList()) {
        // The list could not be read: stay on the machine shown before.
        stayOnPrevious();
    }
    Q_EMIT resultsStale();
}

bool MachineCommands::loadGearList() {
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
    Q_EMIT znLoaded(machine.zn);
    showGears();
    return true;
}

void MachineCommands::showGears() {
    showGearCount(static_cast<int>(gearList_.size()));
    gears_->showGears(gearList_);
    gearGrid_->scrollToTop();
    Q_EMIT gearListChanged();
}

void MachineCommands::openGearSetEditor() {
    if (currentMachine_ < 0) {
        // Without any machine there is no gear set to edit: start a new machine instead.
        startNewMachine();
        return;
    }
    std::vector<std::int16_t> sorted = gearList_;
    sortGears(sorted);
    if (gearBoxView(sorted).unshown > 0) {
        prompter_.inform(tr("这台机床有 %1 个挂轮，挂轮齿数编辑最多只能显示 %2 个，"
                            "无法在这里修改它的挂轮齿数表。")
                             .arg(gearList_.size())
                             .arg(kGearBoxCount));
        return;
    }
    pendingMachineName_ = machineBox_->currentText().trimmed();
    editor_.showInFront();
    editor_.repaint();
    editor_.showGearList(sorted);
}

void MachineCommands::startNewMachine() {
    // Room is counted in the file as it is now: another program may have added or deleted
    // machines since.
    if (!catchUpWithFile(false) || refuseWhenTableFull()) {
        return;
    }
    editor_.showInFront();
    newMachineMode_ = true;
    editor_.setRange(kNewMachineRangeStart, kNewMachineRangeEnd);
    pendingMachineName_ =
        prompter_
            .askText(tr("输入新的机床名称："), QString::fromStdString(MachineStore::defaultName()))
            .value_or(QString());
    editor_.layOutEmptyBoxes();
}

bool MachineCommands::refuseWhenTableFull() {
    if (static_cast<int>(store_.machines().size()) < kMaxMachines) {
        return false;
    }
    prompter_.inform(tr("已经有 %1 个机床型号，不能再增加了。\n"
                        "可以先删除不用的机床型号：清空机床名称后按回车键。")
                         .arg(kMaxMachines));
    return true;
}

void MachineCommands::saveEditedGearSet() {
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
                name = QString::fromStdString(MachineStore::defaultName());
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
                showSavedCaptions(captions);
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
        Q_EMIT gearSetSaved();
    }
}

void MachineCommands::saveGearList() {
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
        gearGrid_->scrollToTop();
        Q_EMIT gearListChanged();
        showOthersChanges(currentMachine_);
    } catch (const StoreConflict&) {
        recoverFromConflict();
    } catch (const std::exception& error) {
        reportStoreError(error);
    }
}

MachineConstants MachineCommands::readCurrentConstants() {
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

MachineConstants MachineCommands::peekCurrentConstants() const {
    try {
        return currentMachine_ < 0 ? MachineConstants{} : store_.constants(currentMachine_);
    } catch (const std::exception&) {
        // A search reads them again and tells why they cannot be used.
        return {};
    }
}

std::optional<MachineGeometry> MachineCommands::currentGeometry() const {
    if (currentMachine_ < 0) {
        return std::nullopt;
    }
    try {
        return machineGeometry(store_.constants(currentMachine_));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool MachineCommands::saveConstants(const MachineConstants& constants) {
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

void MachineCommands::rememberShownName() {
    shownMachineName_ = machineBox_->currentText().trimmed();
    machineBox_->setEditText(shownMachineName_);
}

void MachineCommands::applyEditedName() {
    if (currentMachine_ < 0) {
        return;
    }
    const QString typed = machineBox_->currentText().trimmed();
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
                tr("另存为一个新的“%1”挂轮表？").arg(shownMachineName_), Prompter::Icon::Question);
            machineBox_->window()->repaint();
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
        } else if (!prompter_.askYesNo(tr("删除“%1”这个挂轮表？").arg(shownMachineName_),
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
    machineBox_->setEditText(shownMachineName_);
}

void MachineCommands::selectEntry(int index) {
    QComboBox* box = machineBox_;
    box->setCurrentIndex(index);
    box->setEditText(box->itemText(index));
}

void MachineCommands::showSavedCaptions(const std::vector<std::string>& captions) {
    gears_->showSavedCaptions(captions);
    gearGrid_->scrollToTop();
    showGearCount(static_cast<int>(captions.size()));
}

void MachineCommands::showGearCount(int count) {
    setCaption(gearCount_, QString::number(count));
    Q_EMIT resultsStale();
}

void MachineCommands::reportStoreError(const std::exception& error) {
    prompter_.inform(windowSentence(exceptionText(error, windowLanguage())));
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
    fillMachineBox();
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
    return tr("另一个程序修改了数据文件“%1”。这里已经重新读入，显示的是文件中现在的内容。")
        .arg(QString::fromStdString(store_.path()));
}

} // namespace gearsel
