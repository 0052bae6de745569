// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's machine side: the machine box and the machine chosen in it, its gear list (held
// here, as the store last gave it or a search sorted it) with the gear count and the gear grid
// that show it, and the commands that change machines: a new machine and an edited gear set
// through the editor, saving the gear list, and renaming, copying and deleting from the
// machine box. Every change goes through the store, which writes system.lib at once; the
// window shows a change only once the file holds it.

#include "store/machine_store.h"
#include "ui/twips_scale.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QWidget;

namespace gearsel {

class GearSetEditor;
class GearTableModel;
class GridView;
class Prompter;

class MachineCommands : public QObject {
    Q_OBJECT
public:
    // Creates the machine box, the gear count and the gear grid on the main panel `face`, and
    // works with `editor`; `prompter` shows the dialogs. Both must outlive the commands.
    MachineCommands(MachineStore store, Prompter& prompter, const TwipsScale& scale, QWidget* face,
                    GearSetEditor& editor, QObject* parent = nullptr);

    // The current machine's position in the table, counted from 0; -1 without machines.
    int currentMachine() const { return currentMachine_; }
    // The current machine's tooth counts.
    const std::vector<std::int16_t>& gearList() const { return gearList_; }
    // The current machine's name as the machine box shows it.
    QString machineName() const;
    // Reads the constants kept for the current machine from the file as it is now (catching
    // up with other programs' changes first); all unknown without a machine and when they
    // cannot be read (which the user is told once).
    MachineConstants readCurrentConstants();
    // The constants kept for the current machine as the file holds them now, without catching
    // up or telling anything: all unknown when they cannot be read. For what is only shown.
    MachineConstants peekCurrentConstants() const;
    // The geometry kept for the current machine, read quietly from the file as it is now:
    // nothing without a machine or a geometry, and when the constants cannot be read (the
    // ratio helper tells why when it opens).
    std::optional<MachineGeometry> currentGeometry() const;
    // Keeps `constants` for the current machine. False, after telling the user why, when they
    // were not kept.
    bool saveConstants(const MachineConstants& constants);
    // Keeps the gear list as a search left it (ascending); a later save stores it so.
    void keepSearchedGears(std::vector<std::int16_t> sortedGears);
    // The editor is open for a new machine rather than the current one.
    bool newMachineMode() const { return newMachineMode_; }

public Q_SLOTS:
    // Fills the machine box from the table read at start and selects the first machine.
    void loadMachineTable();
    // Opens the editor on the current gear list (the edit command).
    void openGearSetEditor();
    // Opens the editor empty for a new machine, asking for its name.
    void startNewMachine();
    // Saves the gear list as the current machine's (the save command).
    void saveGearList();

Q_SIGNALS:
    // The shown search result no longer matches the machine or its gear list.
    void resultsStale();
    // The gear list changed: the reachable ratio range must be shown again.
    void gearListChanged();
    // A machine was loaded: its stored Zn.
    void znLoaded(int zn);
    // The editor saved a gear set and closed.
    void gearSetSaved();

protected:
    // The machine box's focus and Enter key.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls(const TwipsScale& scale, QWidget* face);
    // Fills the machine box with the names of the table, none selected.
    void fillMachineBox();
    // A machine picked in the box: makes the machine at `position` current and loads it.
    void machinePicked(int position);
    // Loads the current machine's gear list, Zn, count and range from the file.
    bool loadGearList();
    // Shows the gear list in the gear grid and its count.
    void showGears();
    // The machine box got the focus: remembers the name shown before the user edits it.
    void rememberShownName();
    // Enter in the machine box: copy or rename by the edited name, delete when it is empty;
    // a machine's own name selects that machine.
    void applyEditedName();
    // The editor's save: creates the new machine or replaces the gear list.
    void saveEditedGearSet();
    // The machine called `name` (trimmed): the current one when it is, else the first; -1
    // when no machine is.
    int machineNamed(const QString& name) const;
    // Selects machine `index` in the box, which loads it.
    void selectEntry(int index);
    // Shows the ticked boxes' captions in the gear grid as the editor's save does.
    void showSavedCaptions(const std::vector<std::string>& captions);
    // Shows the gear count; its change clears the shown result.
    void showGearCount(int count);
    // Shows the machine box's text again as the current machine's name.
    void restoreShownName();
    // Tells the user, and says true, when the table has no room for another machine.
    bool refuseWhenTableFull();
    void reportStoreError(const std::exception& error);

    // Keeping up with other programs that change the data file.
    // Before a command: when the file changed since the table was read or written, reads it
    // anew, shows the table and the current machine as stored and tells the user once. Says
    // whether the command may go ahead; one aimed at the current machine (`aimedAtCurrent`)
    // only when that machine is still in the file as it was loaded.
    bool catchUpWithFile(bool aimedAtCurrent);
    // After a successful change: when the store met others' changes while it wrote, shows the
    // table as saved with machine `index` selected and tells the user.
    void showOthersChanges(int index);
    // After a change refused because the machine it was aimed at changed in the file: reads
    // the file anew, shows it and tells the user that nothing was done.
    void recoverFromConflict();
    // Shows the table as it now is with machine `index` (clamped) selected and loaded.
    void showTable(int index);
    // Where the loaded machine stands in the table as it now is: its own place when it is
    // still there unchanged, else the first machine with the same record and gears; -1 if none.
    int findLoadedMachine();
    // Remembers the current machine as it is in the table, to recognise it after a reload.
    void rememberLoaded(const std::vector<std::int16_t>& gearsAsRead);
    QString otherProgramText() const;

    MachineStore store_;
    Prompter& prompter_;
    GearSetEditor& editor_;
    QComboBox* machineBox_ = nullptr; // Mtype
    QLabel* gearCount_ = nullptr;     // LabN
    GridView* gearGrid_ = nullptr;    // GZs
    GearTableModel* gears_ = nullptr;

    int currentMachine_ = -1;
    std::vector<std::int16_t> gearList_;
    MachineEntry loadedEntry_;              // the current machine's record when loaded
    std::vector<std::int16_t> loadedGears_; // and its gear list as read then
    bool newMachineMode_ = false;
    QString pendingMachineName_;
    QString shownMachineName_;
};

} // namespace gearsel
