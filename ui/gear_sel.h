// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one window: the main face with its machine box, search fields and grids, the
// search run, and the panels shown over the face.

#include "engine/result_list.h"
#include "engine/search_request.h"
#include "store/machine_store.h"
#include "ui/chart_setup.h"
#include "ui/random_source.h"
#include "ui/twips_scale.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace gearsel {

class ChartPage;
class GearSetEditor;
class HelpPanel;
class HoverFeedback;
class InputFields;
class MachineCommands;
class MainFace;
class PanelFocus;
class PrintCommand;
class Prompter;
class RatioHelper;
class SuggestionList;
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
    GearSetEditor& editor() { return *editor_; }
    // The current machine's position in the table, counted from 0; -1 without machines.
    int currentMachine() const;
    // The current machine's tooth counts; the search leaves them in ascending order.
    const std::vector<std::int16_t>& gearList() const;
    // The gear-set editor is open for a new machine rather than the current one.
    bool newMachineMode() const;
    // The ranked list of the last search; it outlives a cleared grid.
    const ResultList& resultList() const { return resultList_; }
    // The required ratio of the last search or validation.
    double requiredRatio() const;
    bool firstSearchDone() const { return firstSearchDone_; }

    // ComCHOSE_Click: runs a search with the fields as they stand and shows the ranked list.
    void ComCHOSE_Click();
    // ClsGzList: shows the result grid empty and hides the search time.
    void ClsGzList();
    // Opens the ratio helper on the current machine's constants; 确定 there fills the ratio
    // field.
    void openRatioHelper();
    // Shows which one gear to buy for the required ratio, with the gears and options as they
    // stand.
    void showSuggestions();
    // The helper and the suggestion list once they have been opened; null before.
    RatioHelper* ratioHelper() const { return ratioHelper_; }
    SuggestionList* suggestionList() const { return suggestionList_; }

protected:
    // Form_Activate: the first activation runs one search.
    void changeEvent(QEvent* event) override;
    // Tab and Shift+Tab stay inside a panel that covers the face.
    bool focusNextPrevChild(bool next) override;

private:
    void Form_Load();
    void connectCommands();
    // MkTabNs: the empty result grid with as many rows as the count field asks for.
    void MkTabNs();
    // DispSbFW: shows the reachable ratio range of the gear list.
    void DispSbFW();
    void showBanner();
    void offerHelperInContextMenu();
    // What the helper's chart page works on: the search fields and the constants box as they
    // stand; nothing, after telling the user, when a constant cannot be used.
    std::optional<ChartSetup> chartSetup();
    // The search the fields ask for, with the ratio field validated first when it reads as 0.
    SearchRequest searchRequest();
    // The wait cursor and the computing notice around `work`.
    template <typename Work> void whileComputing(Work work);

    Prompter& prompter_;
    RandomSource random_;
    std::unique_ptr<MainFace> face_;
    std::unique_ptr<InputFields> fields_;
    std::unique_ptr<GearSetEditor> editor_;
    std::unique_ptr<MachineCommands> machines_;
    std::unique_ptr<HelpPanel> helpPanel_;
    std::unique_ptr<PanelFocus> panelFocus_;
    std::unique_ptr<HoverFeedback> hover_;
    std::unique_ptr<PrintCommand> printCommand_;
    std::unique_ptr<WindowMover> mover_;

    RatioHelper* ratioHelper_ = nullptr;
    ChartPage* chartPage_ = nullptr;
    SuggestionList* suggestionList_ = nullptr;

    ResultList resultList_;
    bool firstSearchDone_ = false;
};

} // namespace gearsel
