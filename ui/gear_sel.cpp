// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/gear_sel.h"

#include "engine/gear_suggestion.h"
#include "engine/gearbox_positions.h"
#include "engine/ratio_range.h"
#include "engine/selection.h"
#include "engine/train_constants.h"
#include "present/input_rules.h"
#include "present/problem_text.h"
#include "present/search_problem_text.h"
#include "ui/chart_page.h"
#include "ui/computing_notice.h"
#include "ui/constants_box.h"
#include "ui/face_commands.h"
#include "ui/face_layout.h"
#include "ui/fit_picture_command.h"
#include "ui/gear_set_editor.h"
#include "ui/help_panel.h"
#include "ui/lock_wait_notice.h"
#include "ui/lock_wait_watch.h"
#include "ui/machine_commands.h"
#include "ui/panel_face.h"
#include "ui/panel_focus.h"
#include "ui/print_command.h"
#include "ui/prompter.h"
#include "ui/ratio_helper.h"
#include "ui/result_display.h"
#include "ui/screen_fit.h"
#include "ui/search_fields.h"
#include "ui/suggestion_list.h"
#include "ui/three_pair_dialog.h"
#include "ui/ui_style.h"
#include "ui/window_language.h"
#include "ui/window_mover.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <chrono>

namespace gearsel {

namespace {

// The main face in the order of the Tab key: the fields as the window has always had them,
// then the commands in reading order.
const char* const kTabOrder[] = {"Tzptj",    "Chk",      "Tns",      "Mtype",    "TSb",
                                 "GZ",       "GZs",      "CheckZ12", "ImgNewJc", "ComExit",
                                 "Label2",   "ImgEditZ", "LabBuy",   "ComSave",  "ComHelp",
                                 "ImgPrint", "ComCHOSE", "ImaSM"};

} // namespace

GearSel::GearSel(MachineStore store, LockWaitWatch& lockWaits, Prompter& prompter,
                 const TwipsScale& scale, RandomSource random, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), prompter_(prompter), random_(random),
      lockWaits_(lockWaits) {
    setObjectName(QStringLiteral("GearSel"));
    setWindowTitle(productName());
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));
    // The layout is the same at every scale; on a screen too small for it, it is drawn
    // smaller as a whole.
    const TwipsScale fitted =
        scale.fittedInto(availableArea(this).size(), QSize(kWindowWidthTwips, kWindowHeightTwips));
    setFont(style::song(fitted.points(9)));
    createParts(std::move(store), fitted);
    connectParts();
    setTabOrder();
    showLockWaits();
    loadWindow();
}

GearSel::~GearSel() {
    lockWaits_.setFeedback({});
}

void GearSel::showLockWaits() {
    lockWaits_.setFeedback({[] { QApplication::setOverrideCursor(Qt::WaitCursor); },
                            [this](const std::string& lockPath) {
                                lockNotice_->showWaitFor(QString::fromStdString(lockPath));
                            },
                            [this] {
                                lockNotice_->hide();
                                QApplication::restoreOverrideCursor();
                            }});
}

void GearSel::createParts(MachineStore store, const TwipsScale& scale) {
    face_ = new QWidget(this);
    makePanel(face_, "Ped0");
    face_->setGeometry(scale.rect(0, 0, kWindowWidthTwips, kWindowHeightTwips));
    setFixedSize(face_->size());
    commands_ = new FaceCommands(scale, face_, this);
    fields_ = new SearchFields(
        scale, face_,
        [this](bool allowRepeats) { return reachableRange(gearList(), allowRepeats, pairs_); },
        this);
    results_ = new ResultDisplay(scale, face_, this);
    helpPanel_ = new HelpPanel(scale, face_);
    editor_ = new GearSetEditor(scale, face_);
    notice_ = new ComputingNotice(scale, face_);
    lockNotice_ = new LockWaitNotice(scale, face_);
    machines_ = new MachineCommands(std::move(store), prompter_, scale, face_, *editor_, this);
    // The panels lie in front of the face, front to back: the computing notice, the editor,
    // the notes.
    helpPanel_->raise();
    editor_->raise();
    notice_->raise();
    lockNotice_->raise();
    panelFocus_ = new PanelFocus(this);
    panelFocus_->addPanel(editor_, [this] { editor_->discard(); });
    panelFocus_->addPanel(helpPanel_, [this] { helpPanel_->hide(); });
    mover_ = new WindowMover(this, face_, this);
    printCommand_ = new PrintCommand(
        prompter_,
        [this] {
            return PrintoutContent{resultList_,
                                   requiredRatio(),
                                   fields_->countFieldValue(),
                                   machines_->machineName(),
                                   fields_->ratioText(),
                                   QDateTime::currentDateTime(),
                                   rowPositions_,
                                   windowLanguage()};
        },
        printOnDefaultPrinter, this);
    pictureCommand_ = new FitPictureCommand(
        prompter_, [this] { return chosenTrainPicture(); }, this);
    results_->addRowAction(pictureCommand_->action());
}

void GearSel::connectParts() {
    connect(commands_, &FaceCommands::selectionRequested, this, &GearSel::runSelection);
    connect(commands_, &FaceCommands::selectionRequested, this, &GearSel::offerThreePairs);
    auto* threePairKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_3), this);
    connect(threePairKey, &QShortcut::activated, this, &GearSel::openThreePairs);
    connect(commands_, &FaceCommands::printRequested, printCommand_,
            &PrintCommand::printResultList);
    connect(pictureCommand_, &FitPictureCommand::fitOnlyChanged, this, &GearSel::runSelection);
    connect(commands_, &FaceCommands::bannerClicked, this, &GearSel::showRandomBanner);
    connect(commands_, &FaceCommands::gearSuggestionsRequested, this,
            &GearSel::showGearSuggestions);
    connect(commands_, &FaceCommands::ratioHelperRequested, this, &GearSel::openRatioHelper);
    connect(commands_, &FaceCommands::exitRequested, this, &QWidget::close);
    connect(commands_, &FaceCommands::newMachineRequested, machines_,
            &MachineCommands::startNewMachine);
    connect(commands_, &FaceCommands::editGearSetRequested, machines_,
            &MachineCommands::openGearSetEditor);
    connect(commands_, &FaceCommands::saveGearListRequested, machines_,
            &MachineCommands::saveGearList);
    connect(commands_, &FaceCommands::helpRequested, helpPanel_, &HelpPanel::showInFront);
    connect(commands_, &FaceCommands::notesRequested, helpPanel_, &HelpPanel::showInPlace);
    // The face's keys do not act behind a panel that covers it.
    connect(panelFocus_, &PanelFocus::coveredChanged, commands_,
            [this, threePairKey](bool covered) {
                commands_->setAvailable(!covered);
                threePairKey->setEnabled(!covered);
            });

    connect(fields_, &SearchFields::resultsStale, this, &GearSel::clearResults);
    connect(fields_, &SearchFields::rangeOptionChanged, this, &GearSel::showRange);
    connect(fields_, &SearchFields::countConfirmed, results_, &ResultDisplay::focusGrid);
    connect(fields_, &SearchFields::ratioHelperRequested, this, &GearSel::openRatioHelper);

    connect(machines_, &MachineCommands::resultsStale, this, &GearSel::clearResults);
    connect(machines_, &MachineCommands::gearListChanged, this, &GearSel::showRange);
    connect(machines_, &MachineCommands::znLoaded, fields_, &SearchFields::showZn);
    connect(machines_, &MachineCommands::gearSetSaved, fields_, &SearchFields::focusRatio);
}

void GearSel::setTabOrder() {
    QWidget* previous = nullptr;
    for (const char* name : kTabOrder) {
        auto* widget = face_->findChild<QWidget*>(QString::fromLatin1(name));
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

int GearSel::currentMachine() const {
    return machines_->currentMachine();
}

const std::vector<std::int16_t>& GearSel::gearList() const {
    return machines_->gearList();
}

bool GearSel::newMachineMode() const {
    return machines_->newMachineMode();
}

double GearSel::requiredRatio() const {
    return fields_->requiredRatio();
}

void GearSel::loadWindow() {
    showRandomBanner();
    paintPanelFace(face_, style::kFrameOuter, [this] { return random_.uniform(); });
    if (const QRect area = availableArea(this); !area.isEmpty()) {
        move(centredWithin(size(), area));
    }
    fields_->showStartingRatio(QString::fromStdString(startingRatioText(random_.uniform())));
    results_->showEmpty(fields_->listedTrains());
    machines_->loadMachineTable();
}

void GearSel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !firstSearchDone_) {
        // The flag is set first, so the one search is never started twice; it runs once the
        // activation itself has been handled.
        firstSearchDone_ = true;
        QTimer::singleShot(0, this, [this] {
            runSelection();
            // The field that the activation gave the focus is ready to be typed over, as if
            // the user had moved into it.
            if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
                field->selectAll();
            }
        });
    }
}

bool GearSel::focusNextPrevChild(bool next) {
    return panelFocus_->moveFocus(next) || QWidget::focusNextPrevChild(next);
}

template <typename Work> void GearSel::whileComputing(Work work) {
    // The notice is painted at once; the work runs without returning to the event loop, so
    // no input and no timer can come in between.
    notice_->showNow();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    work();
    notice_->hide();
    showRandomBanner();
    QApplication::restoreOverrideCursor();
}

void GearSel::runSelection() {
    whileComputing([this] {
        // The machine's fixed gears and use-once rule, as kept for it, hold in every search.
        const MachineConstants kept = machines_->readCurrentConstants();
        const std::optional<MachineGeometry> geometry = machines_->currentGeometry();
        SearchRequest request = withTrainConstants(fields_->searchRequest(gearList()), kept, false);
        if (pictureCommand_->fitOnly()) {
            request.fitGeometry = geometry;
        }
        try {
            rowPositions_.clear();
            if (const auto positions = threadPositions()) {
                runPositionsSelection(request, *positions);
                return;
            }
            SelectionResult result = gearsel::runSelection(request);
            std::optional<TrainFitter> fitter;
            if (geometry) {
                fitter.emplace(*geometry, result.sortedGears);
            }
            fitGears_ = result.sortedGears;
            machines_->keepSearchedGears(std::move(result.sortedGears));
            resultList_ = std::move(result.results);
            fitter_ = fitter;
            fields_->setRequiredRatio(request.requiredRatio);
            results_->showResults(resultList_, request.requiredRatio, fields_->requiredFraction(),
                                  result.seconds, fitter_);
        } catch (const PositionsRefused& refused) {
            prompter_.inform(
                windowSentence(positionProblemText(refused.problem(), windowLanguage())));
        } catch (const SearchRefused& refused) {
            prompter_.inform(
                windowSentence(searchProblemText(refused.problem(), windowLanguage())));
        } catch (const std::exception& error) {
            prompter_.inform(tr("选配没有完成：") +
                             QString::fromStdString(exceptionText(error, windowLanguage())));
        }
    });
}

void GearSel::showGearSuggestions() {
    std::optional<SuggestionReport> report;
    std::optional<ThreePairSuggestionReport> threePairReport;
    SearchRequest request;
    whileComputing([&] {
        // The machine's rules as kept for it: its pairs, fixed gears and use-once; a gear to
        // buy must give a two-pair train that fits where the machine's geometry is known.
        const MachineConstants kept = machines_->readCurrentConstants();
        const int pairs = trainPairs(kept);
        request = withTrainConstants(fields_->searchRequest(gearList()), kept,
                                     pairs == 2 && machineGeometry(kept).has_value());
        try {
            if (pairs == 3) {
                threePairReport = suggestGearsThreePairs(request, fields_->requiredFraction());
            } else {
                report = suggestGears(request, fields_->requiredFraction());
            }
        } catch (const SearchRefused& refused) {
            prompter_.inform(
                windowSentence(searchProblemText(refused.problem(), windowLanguage())));
        } catch (const std::exception& error) {
            prompter_.inform(tr("无法给出添置齿轮的建议：") +
                             QString::fromStdString(exceptionText(error, windowLanguage())));
        }
    });
    if (!report && !threePairReport) {
        return;
    }
    if (suggestionList_ == nullptr) {
        suggestionList_ = new SuggestionList(this);
    }
    if (report) {
        suggestionList_->showReport(*report, request);
    } else {
        suggestionList_->showReport(*threePairReport, request);
    }
    suggestionList_->open();
}

void GearSel::openRatioHelper() {
    // Read first: catching up with the file may move the current machine.
    const MachineConstants constants = machines_->readCurrentConstants();
    if (ratioHelper_ == nullptr) {
        ratioHelper_ = new RatioHelper(prompter_, this);
        connect(ratioHelper_, &RatioHelper::ratioChosen, this, [this](const Quantity& ratio) {
            threadPositions_.reset();
            fields_->setWorkedOutRatio(ratio);
        });
        connect(ratioHelper_, &RatioHelper::positionsChosen, this,
                [this](const Quantity& ratio, const std::vector<GearboxPosition>& positions) {
                    fields_->setWorkedOutRatio(ratio);
                    threadPositions_ = ThreadPositions{ratio, positions};
                });
        connect(
            ratioHelper_, &RatioHelper::keepConstants, this, [this](const MachineConstants& kept) {
                if (machines_->saveConstants(kept)) {
                    ratioHelper_->prepare(machines_->machineName(), kept, true);
                    showRange();
                    refitResults();
                    prompter_.inform(tr("已保存机床“%1”的常数。").arg(machines_->machineName()));
                }
            });
        chartPage_ = new ChartPage(prompter_, [this] { return chartSetup(); });
        ratioHelper_->addPage(chartPage_, tr("挂轮表"));
        auto* threePairs = new QPushButton(tr("三对挂轮选配…"));
        threePairs->setObjectName(QStringLiteral("threePairs"));
        threePairs->setAutoDefault(false);
        threePairs->setToolTip(tr("列出三对挂轮 z1/z2 × z3/z4 × z5/z6（主界面 Ctrl+3）"));
        threePairs->setAccessibleDescription(threePairs->toolTip());
        connect(threePairs, &QPushButton::clicked, this, &GearSel::openThreePairs);
        ratioHelper_->addCommand(threePairs);
    }
    // The chart and the constants it was worked out with stay or go together.
    if (ratioHelper_->prepare(machines_->machineName(), constants, currentMachine() >= 0)) {
        chartPage_->clear();
    }
    ratioHelper_->open();
}

std::optional<ChartSetup> GearSel::chartSetup() {
    // The rules as the helper's boxes hold them, as the chart's rows and gears to buy must
    // keep them; two-pair trains must fit where the machine's geometry is known.
    const RatioHelper::JobConstants job = ratioHelper_->jobConstants();
    if (!job.problem.isEmpty()) {
        prompter_.inform(job.problem);
        return std::nullopt;
    }
    const int pairs = trainPairs(job.constants);
    const bool fit = pairs == 2 && machineGeometry(job.constants).has_value();
    return ChartSetup{withTrainConstants(fields_->searchOptions(gearList()), job.constants, fit),
                      job.constants, machines_->machineName(), pairs, job.gearboxTyped};
}

std::optional<std::vector<GearboxPosition>> GearSel::threadPositions() const {
    const std::optional<Quantity>& shown = fields_->workedOutRatio();
    // Typing into the ratio field, or a ratio of another formula, ends the positions.
    if (!threadPositions_ || !shown || shown->value() != threadPositions_->ratio.value() ||
        shown->fraction() != threadPositions_->ratio.fraction()) {
        return std::nullopt;
    }
    return threadPositions_->positions;
}

void GearSel::runPositionsSelection(const SearchRequest& request,
                                    const std::vector<GearboxPosition>& positions) {
    const auto started = std::chrono::steady_clock::now();
    const PositionResults<ResultSlot> found =
        searchPositions(request, threadPositions_->ratio, positions);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    resultList_ = ResultList{};
    for (const auto& row : found.rows) {
        resultList_.slots.push_back(row.slot);
        const Quantity& required = found.required[row.position];
        rowPositions_.push_back(RowPosition{QString::fromStdString(positions[row.position].name),
                                            required.value(), required.fraction()});
    }
    std::vector<std::int16_t> sorted = request.gears;
    sortGears(sorted);
    fitGears_ = std::move(sorted);
    fitter_.reset();
    if (const std::optional<MachineGeometry> geometry = machines_->currentGeometry()) {
        fitter_.emplace(*geometry, fitGears_);
    }
    fields_->setRequiredRatio(request.requiredRatio);
    results_->showResults(resultList_, request.requiredRatio, fields_->requiredFraction(), seconds,
                          fitter_);
    results_->showPositions(rowPositions_);
}

void GearSel::refitResults() {
    if (pictureCommand_->fitOnly() && results_->showsSearch()) {
        runSelection();
        return;
    }
    fitter_.reset();
    if (const std::optional<MachineGeometry> geometry = machines_->currentGeometry()) {
        fitter_.emplace(*geometry, fitGears_);
    }
    results_->showFit(fitter_);
}

std::optional<FitPictureContent> GearSel::chosenTrainPicture() const {
    const std::optional<int> slot = results_->chosenResult();
    if (!slot) {
        return std::nullopt;
    }
    FitPictureContent content;
    content.machineName = machines_->machineName();
    content.train = resultList_.slots.at(static_cast<std::size_t>(*slot)).train;
    content.language = windowLanguage();
    if (fitter_) {
        content.geometry = fitter_->geometry();
        content.fit = fitter_->fit(content.train);
    }
    return content;
}

void GearSel::clearResults() {
    results_->showEmpty(fields_->listedTrains());
}

void GearSel::showRange() {
    // A machine of three pairs reaches further; the ratio field takes what three pairs reach.
    pairs_ = trainPairs(machines_->peekCurrentConstants());
    results_->showRange(reachableRange(gearList(), fields_->allowRepeats(), pairs_));
}

void GearSel::showRandomBanner() {
    commands_->showBanner(random_.below(7));
}

ThreePairBasis GearSel::threePairBasis() {
    const MachineConstants kept = machines_->readCurrentConstants();
    ThreePairBasis basis;
    basis.options = withTrainConstants(fields_->searchOptions(gearList()), kept, false);
    basis.options.resultCount = fields_->listedTrains();
    basis.machineName = machines_->machineName();
    basis.ratioText = fields_->ratioText();
    const std::optional<Fraction> fraction = fields_->requiredFraction();
    basis.ratio = fields_->workedOutRatio() ? *fields_->workedOutRatio()
                  : fraction                ? Quantity(*fraction)
                                            : Quantity(fields_->requiredRatio());
    if (const auto positions = threadPositions()) {
        basis.positions = *positions;
    }
    return basis;
}

void GearSel::openThreePairs() {
    if (threePairs_ == nullptr) {
        threePairs_ = new ThreePairDialog(prompter_, this);
    }
    threePairs_->prepare(threePairBasis());
    threePairs_->open();
}

void GearSel::offerThreePairs() {
    if (currentMachine() < 0 || trainPairs(machines_->readCurrentConstants()) != 3) {
        return;
    }
    openThreePairs();
    threePairs_->search();
}

} // namespace gearsel
