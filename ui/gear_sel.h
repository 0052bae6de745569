// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one window: the main face with its machine side, search fields, results and
// commands, the search run, and the panels shown over the face. Its parts keep their controls
// to themselves and meet here through signals and typed state.

#include "engine/gearbox_position.h"
#include "engine/result_list.h"
#include "engine/search_request.h"
#include "engine/train_fitter.h"
#include "print/fit_picture_content.h"
#include "print/row_position.h"
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
class ComputingNotice;
class FaceCommands;
class FitPictureCommand;
class GearSetEditor;
class HelpPanel;
class LockWaitNotice;
class LockWaitWatch;
class MachineCommands;
class PanelFocus;
class PrintCommand;
class Prompter;
class RatioHelper;
class ResultDisplay;
class SearchFields;
class SuggestionList;
class ThreePairDialog;
struct ThreePairBasis;
class WindowMover;

class GearSel : public QWidget {
    Q_OBJECT
public:
    // Builds and loads the window on a data file that `store` opened through `lockWaits`,
    // whose waits for the file's lock the window shows. `lockWaits` and `prompter` (which
    // shows the dialogs) must outlive the window; `random` picks banners and the starting
    // ratio.
    GearSel(MachineStore store, LockWaitWatch& lockWaits, Prompter& prompter,
            const TwipsScale& scale, RandomSource random, QWidget* parent = nullptr);
    ~GearSel() override;

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

public Q_SLOTS:
    // Runs a search with the fields as they stand and shows the ranked list (选配).
    void runSelection();
    // Shows the result grid empty and hides the search time.
    void clearResults();
    // Opens the ratio helper on the current machine's constants; 确定 there fills the ratio
    // field.
    void openRatioHelper();
    // Shows which one gear to buy for the required ratio, with the gears and options as they
    // stand (买齿轮).
    void showGearSuggestions();
    // Opens the three-pair page on the face's ratio, options and the machine's rules (Ctrl+3).
    void openThreePairs();

protected:
    // The first activation runs one search.
    void changeEvent(QEvent* event) override;
    // Tab and Shift+Tab stay inside a panel that covers the face.
    bool focusNextPrevChild(bool next) override;

private:
    void createParts(MachineStore store, const TwipsScale& scale);
    void connectParts();
    void setTabOrder();
    void loadWindow();
    // The wait cursor while a change waits for the data file's lock, and the notice once it
    // has waited a second.
    void showLockWaits();
    // Shows the reachable ratio range of the gear list.
    void showRange();
    void showRandomBanner();
    // What the helper's chart page works on: the gear set and the search options as they
    // stand, with the constants box's constants; nothing, after telling the user, when a
    // constant cannot be used. Reads the fields and changes nothing.
    std::optional<ChartSetup> chartSetup();
    // What the three-pair page searches on, as the face and the machine hold it now.
    ThreePairBasis threePairBasis();
    // The positions the ratio in the field is searched over: those the ratio helper worked out
    // a thread's ratio for, while that ratio stands in the field.
    std::optional<std::vector<GearboxPosition>> threadPositions() const;
    // The search over those positions, each row naming its position in its tooltip.
    void runPositionsSelection(const SearchRequest& request,
                               const std::vector<GearboxPosition>& positions);
    // 选配 on a machine that takes three pairs lists them on the three-pair page too.
    void offerThreePairs();
    // After the machine's geometry was kept anew: the listed trains' tooltips and their
    // picture say whether they fit it; a list of only the trains that fit is searched again.
    void refitResults();
    // The picture of the train chosen in the result grid, as the last search found it.
    std::optional<FitPictureContent> chosenTrainPicture() const;
    // The wait cursor and the computing notice around `work`.
    template <typename Work> void whileComputing(Work work);

    Prompter& prompter_;
    RandomSource random_;
    LockWaitWatch& lockWaits_;
    QWidget* face_ = nullptr; // Ped0, the main panel
    FaceCommands* commands_ = nullptr;
    SearchFields* fields_ = nullptr;
    ResultDisplay* results_ = nullptr;
    MachineCommands* machines_ = nullptr;
    HelpPanel* helpPanel_ = nullptr;
    GearSetEditor* editor_ = nullptr;
    ComputingNotice* notice_ = nullptr;
    LockWaitNotice* lockNotice_ = nullptr;
    PanelFocus* panelFocus_ = nullptr;
    PrintCommand* printCommand_ = nullptr;
    WindowMover* mover_ = nullptr;
    RatioHelper* ratioHelper_ = nullptr;
    ChartPage* chartPage_ = nullptr;
    SuggestionList* suggestionList_ = nullptr;
    ThreePairDialog* threePairs_ = nullptr;
    FitPictureCommand* pictureCommand_ = nullptr;

    ResultList resultList_;
    // Whether the listed trains fit the machine, when it had a geometry at the search.
    std::optional<TrainFitter> fitter_;
    std::vector<std::int16_t> fitGears_; // the sorted gears the last search listed trains of
    bool firstSearchDone_ = false;
    int pairs_ = 2; // the pairs of the current machine's trains, as its constants say
    // A thread's ratio worked out without the gearbox, and the positions it is searched over.
    struct ThreadPositions {
        Quantity ratio;
        std::vector<GearboxPosition> positions;
    };
    std::optional<ThreadPositions> threadPositions_;
    std::vector<RowPosition> rowPositions_; // the listed rows' positions, as the grid shows
};

} // namespace gearsel
