#pragma once
// The program's one window: the main face with its machine box, search fields and grids, the
// search run, and the panels shown over the face.

#include "engine/result_list.h"
#include "store/machine_store.h"
#include "ui/random_source.h"
#include "ui/twips_scale.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gearsel {

class GearSetEditor;
class HelpPanel;
class HoverFeedback;
class InputFields;
class MainFace;
class PrintCommand;
class Prompter;
class StoreError;
class WindowMover;

class GearSel : public QWidget {
    Q_OBJECT
public:
    // Builds and loads the window on an opened data file. `prompter` shows the dialogs and
    // must outlive the window; `random` picks banners and the starting ratio.
    GearSel(MachineStore store, Prompter& prompter, const TwipsScale& scale, RandomSource random,
            QWidget* parent = nullptr);
    ~GearSel() override;

    MainFace& face() { return *face_; }
    const MachineStore& store() const { return store_; }
    // The current machine's position in the table, counted from 0; -1 without machines.
    int currentMachine() const { return currentMachine_; }
    // The current machine's tooth counts; the search leaves them in ascending order.
    const std::vector<std::int16_t>& gearList() const { return gearList_; }
    // The ranked list of the last search; it outlives a cleared grid.
    const ResultList& resultList() const { return resultList_; }
    // The required ratio of the last search or validation.
    double requiredRatio() const;
    bool firstSearchDone() const { return firstSearchDone_; }

    // ComCHOSE_Click: runs a search with the fields as they stand and shows the ranked list.
    void ComCHOSE_Click();
    // ClsGzList: shows the result grid empty and hides the search time.
    void ClsGzList();
    GearSetEditor& editor() { return *editor_; }
    // The gear-set editor is open for a new machine rather than the current one.
    bool newMachineMode() const { return newMachineMode_; }

protected:
    // Form_Activate: the first activation runs one search.
    void changeEvent(QEvent* event) override;
    // The machine box's focus and Enter key.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void connectCommands();
    // GetJcTab: fills the machine box from the table and selects the first machine.
    void GetJcTab();
    // Fills the machine box with the names of the table, none selected.
    void fillMachineBox();
    // Mtype_Click: makes the machine at `position` current and loads its gear list.
    void Mtype_Click(int position);
    // GetGearZN: loads the current machine's gear list, Zn, count and range.
    bool GetGearZN();
    // MkTabNs: the empty result grid with as many rows as the count field asks for.
    void MkTabNs();
    // DispSbFW: shows the reachable ratio range of the gear list.
    void DispSbFW();
    // Writes the gear count into LabN; its change clears the shown result.
    void setGearCountCaption(int count);
    void showBanner();

    // Machine management.
    // Opens the editor on the current gear list (the edit commands).
    void openEditorOnCurrent();
    // ImgNewJc_Click: opens the editor empty for a new machine, asking for its name.
    void ImgNewJc_Click();
    // ComNewJcQD_Click: the editor's save: creates the new machine or replaces the gear list.
    void ComNewJcQD_Click();
    // ComSave_Click: saves the gear grid as the current machine's gear list.
    void ComSave_Click();
    // Mtype_GotFocus: remembers the name shown before the user edits it.
    void Mtype_GotFocus();
    // Mtype_KeyPress with Enter: copy or rename by the edited name, delete when it is empty.
    void Mtype_Enter();
    // ResetList: refills the machine box from the table, none selected.
    void ResetList();
    // Selects machine `index` in the box, which loads it.
    void selectEntry(int index);
    // Writes the ticked boxes' captions into the gear grid as the editor's save does and sets
    // the count.
    void rebuildGearGrid(const std::vector<std::string>& captions);
    // Tells the user, and says true, when the table has no room for another machine.
    bool refuseWhenTableFull();
    // ReadZs: takes the gear list back from the gear grid, ascending.
    std::vector<std::int16_t> ReadZs();
    // Shows the machine box's text again as the current machine's name.
    void restoreShownName();
    void reportStoreError(const StoreError& error);

    MachineStore store_;
    Prompter& prompter_;
    RandomSource random_;
    std::unique_ptr<MainFace> face_;
    std::unique_ptr<InputFields> fields_;
    std::unique_ptr<GearSetEditor> editor_;
    std::unique_ptr<HelpPanel> helpPanel_;
    std::unique_ptr<HoverFeedback> hover_;
    std::unique_ptr<PrintCommand> printCommand_;
    std::unique_ptr<WindowMover> mover_;

    int currentMachine_ = -1;
    std::vector<std::int16_t> gearList_;
    ResultList resultList_;
    bool firstSearchDone_ = false;
    bool newMachineMode_ = false;
    QString pendingMachineName_;
    QString shownMachineName_;
};

} // namespace gearsel
