// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's machine side: the machine box and the machine chosen in it, its gear list and
// the gear grid that shows it, and the commands that change machines: a new machine and an
// edited gear set through the editor, saving the gear grid, and renaming, copying and
// deleting from the machine box. Every change goes through the store, which writes
// system.lib at once; the window shows a change only once the file holds it.

#include "store/machine_store.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace gearsel {

class GearSetEditor;
class MainFace;
class Prompter;

class MachineCommands : public QObject {
    Q_OBJECT
public:
    // Works on the controls of `face` and `editor`; `prompter` shows the dialogs. All three
    // must outlive the commands.
    MachineCommands(MachineStore store, Prompter& prompter, MainFace& face, GearSetEditor& editor,
                    QObject* parent = nullptr);

    // The current machine's position in the table, counted from 0; -1 without machines.
    int currentMachine() const { return currentMachine_; }
    // The current machine's tooth counts.
    const std::vector<std::int16_t>& gearList() const { return gearList_; }
    // The constants kept for the current machine, as the file holds them now; all unknown
    // without a machine and when they cannot be read (which the user is told once).
    MachineConstants currentConstants();
    // Keeps `constants` for the current machine. False, after telling the user why, when they
    // were not kept.
    bool keepConstants(const MachineConstants& constants);
    // Keeps the gear list as a search left it (ascending); a later save stores it so.
    void keepSearchedGears(std::vector<std::int16_t> sortedGears);
    // The editor is open for a new machine rather than the current one.
    bool newMachineMode() const { return newMachineMode_; }

    // GetJcTab: fills the machine box from the table and selects the first machine.
    void GetJcTab();
    // Opens the editor on the current gear list (the edit commands).
    void openEditorOnCurrent();
    // ImgNewJc_Click: opens the editor empty for a new machine, asking for its name.
    void ImgNewJc_Click();
    // ComNewJcQD_Click: the editor's save: creates the new machine or replaces the gear list.
    void ComNewJcQD_Click();
    // ComSave_Click: saves the gear list shown in the gear grid as the current machine's.
    void ComSave_Click();

Q_SIGNALS:
    // The shown search result no longer matches the machine or its gear list.
    void resultsStale();
    // The gear list changed: the reachable ratio range must be shown again.
    void gearListChanged();

protected:
    // The machine box's focus and Enter key.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Fills the machine box with the names of the table, none selected.
    void fillMachineBox();
    // Mtype_Click: makes the machine at `position` current and loads its gear list.
    void Mtype_Click(int position);
    // GetGearZN: loads the current machine's gear list, Zn, count and range.
    bool GetGearZN();
    // Shows a gear list in the gear grid and its count in LabN.
    void showGears();
    // Mtype_GotFocus: remembers the name shown before the user edits it.
    void Mtype_GotFocus();
    // Mtype_KeyPress with Enter: copy or rename by the edited name, delete when it is empty;
    // a machine's own name selects that machine.
    void Mtype_Enter();
    // ResetList: refills the machine box from the table, none selected.
    void ResetList();
    // The machine called `name` (trimmed): the current one when it is, else the first; -1
    // when no machine is.
    int machineNamed(const QString& name) const;
    // Selects machine `index` in the box, which loads it.
    void selectEntry(int index);
    // Writes the ticked boxes' captions into the gear grid as the editor's save does.
    void rebuildGearGrid(const std::vector<std::string>& captions);
    // Writes the gear count into LabN; its change clears the shown result.
    void setGearCountCaption(int count);
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
    MainFace& face_;
    GearSetEditor& editor_;

    int currentMachine_ = -1;
    std::vector<std::int16_t> gearList_;
    MachineEntry loadedEntry_;              // the current machine's record when loaded
    std::vector<std::int16_t> loadedGears_; // and its gear list as read then
    bool newMachineMode_ = false;
    QString pendingMachineName_;
    QString shownMachineName_;
};

} // namespace gearsel
