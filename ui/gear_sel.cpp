// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/gear_sel.h"

#include "base/version.h"
#include "engine/gear_suggestion.h"
#include "engine/number_text.h"
#include "engine/ratio_range.h"
#include "engine/selection.h"
#include "present/input_rules.h"
#include "present/result_text.h"
#include "present/search_problem_text.h"
#include "ui/chart_page.h"
#include "ui/clickable_label.h"
#include "ui/constants_box.h"
#include "ui/gear_set_editor.h"
#include "ui/help_panel.h"
#include "ui/hover_feedback.h"
#include "ui/input_fields.h"
#include "ui/line_field.h"
#include "ui/machine_commands.h"
#include "ui/main_face.h"
#include "ui/panel_face.h"
#include "ui/panel_focus.h"
#include "ui/picture_label.h"
#include "ui/print_command.h"
#include "ui/prompter.h"
#include "ui/ratio_helper.h"
#include "ui/result_grid_view.h"
#include "ui/screen_fit.h"
#include "ui/suggestion_list.h"
#include "ui/ui_style.h"
#include "ui/widget_helpers.h"
#include "ui/window_mover.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <algorithm>

namespace gearsel {

GearSel::GearSel(MachineStore store, Prompter& prompter, const TwipsScale& scale,
                 RandomSource random, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), prompter_(prompter), random_(random) {
    setObjectName(QStringLiteral("GearSel"));
    setWindowTitle(QString::fromUtf8(kProductNameChinese) + QLatin1Char(' ') +
                   QString::fromUtf8(kProductName));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));
    // The layout is the same at every scale; on a screen too small for it, it is drawn
    // smaller as a whole.
    const TwipsScale fitted =
        scale.fittedInto(availableArea(this).size(), QSize(kWindowWidthTwips, kWindowHeightTwips));
    setFont(style::song(fitted.points(9)));
    face_ = std::make_unique<MainFace>(this, fitted);
    setFixedSize(face_->panels().Ped0->size());
    fields_ = std::make_unique<InputFields>(
        *face_, [this] { return reachableRange(gearList(), face_->fields().Chk->isChecked()); });
    connect(fields_.get(), &InputFields::resultsStale, this, &GearSel::ClsGzList);
    connect(fields_.get(), &InputFields::rangeOptionChanged, this, &GearSel::DispSbFW);
    editor_ = std::make_unique<GearSetEditor>(face_->panels().PedNewJC, face_->scale());
    machines_ = std::make_unique<MachineCommands>(std::move(store), prompter_, *face_, *editor_);
    connect(machines_.get(), &MachineCommands::resultsStale, this, &GearSel::ClsGzList);
    connect(machines_.get(), &MachineCommands::gearListChanged, this, &GearSel::DispSbFW);
    helpPanel_ = std::make_unique<HelpPanel>(*face_);
    panelFocus_ = std::make_unique<PanelFocus>();
    panelFocus_->addPanel(face_->panels().PedNewJC, editor_->TxG, [this] { editor_->close(); });
    panelFocus_->addPanel(face_->panels().PedHelp, nullptr,
                          [this] { helpPanel_->ImaQuitHelp_Click(); });
    hover_ = std::make_unique<HoverFeedback>(*face_);
    hover_->addCommand(editor_->ComNewJcQD, editor_->LabSaveNewJC);
    hover_->addCommand(editor_->LabSaveNewJC, editor_->LabSaveNewJC);
    hover_->addCommand(editor_->LabALLs, editor_->LabALLs);
    hover_->addCommand(editor_->LabFxz, editor_->LabFxz);
    hover_->addResetSurface(face_->panels().PedNewJC,
                            {editor_->LabSaveNewJC, editor_->LabFxz, editor_->LabALLs});
    mover_ = std::make_unique<WindowMover>(this, face_->panels().Ped0);
    printCommand_ = std::make_unique<PrintCommand>(prompter_, [this] {
        return PrintoutContent{resultList_,
                               requiredRatio(),
                               fields_->countFieldValue(),
                               face_->fields().Mtype->currentText(),
                               face_->fields().TSb->text(),
                               QDateTime::currentDateTime()};
    });
    connectCommands();
    Form_Load();
}

GearSel::~GearSel() = default;

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

void GearSel::Form_Load() {
    showBanner();
    paintPanelFace(face_->panels().Ped0, style::kFrameOuter, [this] { return random_.uniform(); });
    if (const QRect area = availableArea(this); !area.isEmpty()) {
        move(centredWithin(size(), area));
    }
    face_->fields().TSb->setText(QString::fromStdString(startingRatioText(random_.uniform())));
    MkTabNs();
    machines_->GetJcTab();
}

void GearSel::connectCommands() {
    const MainFace::Commands& c = face_->commands();
    MachineCommands* machines = machines_.get();
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(c.ComCHOSE), c.LabCHOSE}) {
        connect(command, &ClickableLabel::clicked, this, &GearSel::ComCHOSE_Click);
    }
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(c.ImgPrint), c.LabPrint}) {
        connect(command, &ClickableLabel::clicked, printCommand_.get(), &PrintCommand::PrintSbTab);
    }
    connect(c.ImgBTZ, &ClickableLabel::clicked, this, &GearSel::showBanner);
    connect(c.LabBuy, &ClickableLabel::clicked, this, &GearSel::showSuggestions);
    connect(face_->captions().Label2, &ClickableLabel::clicked, this, &GearSel::openRatioHelper);
    face_->captions().Label2->setCursor(Qt::PointingHandCursor);
    offerHelperInContextMenu();
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(c.ComExit), c.LabExit}) {
        connect(command, &ClickableLabel::clicked, this, &QWidget::close);
    }
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(c.ImgNewJc),
                                    static_cast<ClickableLabel*>(c.Imagenew), c.LabNewJc}) {
        connect(command, &ClickableLabel::clicked, machines, &MachineCommands::ImgNewJc_Click);
    }
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(c.ImgEditZ),
                                    static_cast<ClickableLabel*>(c.ImgEdbk), c.LabXgCsTab}) {
        connect(command, &ClickableLabel::clicked, machines, &MachineCommands::openEditorOnCurrent);
    }
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(c.ComSave), c.LabSave}) {
        connect(command, &ClickableLabel::clicked, machines, &MachineCommands::ComSave_Click);
    }
}

void GearSel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !firstSearchDone_) {
        // The flag is set first, so the one search is never started twice; it runs once the
        // activation itself has been handled.
        firstSearchDone_ = true;
        QTimer::singleShot(0, this, [this] {
            ComCHOSE_Click();
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
    QWidget* notice = face_->panels().PicZZJS;
    // The notice is painted at once; the work runs without returning to the event loop, so
    // no input and no timer can come in between.
    notice->show();
    notice->raise();
    notice->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    work();
    notice->hide();
    showBanner();
    QApplication::restoreOverrideCursor();
}

SearchRequest GearSel::searchRequest() {
    const MainFace::Fields& f = face_->fields();
    SearchRequest request;
    request.zn = znWhileTyping(utf8(f.Tzptj->text()));
    request.resultCount = listedTrainsFromText(utf8(f.Tns->text()));
    if (fields_->searchRatio() == 0.0) {
        // A ratio of 0 cannot be searched: correct the field first, as leaving it would.
        fields_->validateRatio();
    }
    request.requiredRatio = fields_->searchRatio();
    request.gears = gearList();
    request.includeSinglePairs = f.CheckZ12->isChecked();
    request.allowRepeats = f.Chk->isChecked();
    return request;
}

void GearSel::ComCHOSE_Click() {
    whileComputing([this] {
        const SearchRequest request = searchRequest();
        QLabel* seconds = face_->captions().LabSD;
        try {
            SelectionResult result = runSelection(request);
            machines_->keepSearchedGears(std::move(result.sortedGears));
            resultList_ = std::move(result.results);
            fields_->setRequiredRatio(request.requiredRatio);
            setCaption(seconds, QString::fromStdString(secondsText(result.seconds)));
            showResults(face_->resultGrid(), resultList_, request.requiredRatio,
                        fields_->requiredFraction());
            seconds->show();
        } catch (const SearchRefused& refused) {
            prompter_.inform(QString::fromStdString(searchProblemText(refused.problem())));
        } catch (const std::exception& error) {
            prompter_.inform(QStringLiteral("选配没有完成：") +
                             QString::fromStdString(error.what()));
        }
    });
}

void GearSel::showSuggestions() {
    std::optional<SuggestionReport> report;
    SearchRequest request;
    whileComputing([&] {
        request = searchRequest();
        try {
            report = suggestGears(request, fields_->requiredFraction());
        } catch (const SearchRefused& refused) {
            prompter_.inform(QString::fromStdString(searchProblemText(refused.problem())));
        } catch (const std::exception& error) {
            prompter_.inform(QStringLiteral("无法给出添置齿轮的建议：") +
                             QString::fromStdString(error.what()));
        }
    });
    if (!report) {
        return;
    }
    if (suggestionList_ == nullptr) {
        suggestionList_ = new SuggestionList(this);
    }
    suggestionList_->showReport(*report, request);
    suggestionList_->open();
}

void GearSel::openRatioHelper() {
    // Read first: catching up with the file may move the current machine.
    const MachineConstants constants = machines_->currentConstants();
    if (ratioHelper_ == nullptr) {
        ratioHelper_ = new RatioHelper(prompter_, this);
        connect(ratioHelper_, &RatioHelper::ratioChosen, this,
                [this](const Quantity& ratio) { fields_->setWorkedOutRatio(ratio); });
        connect(ratioHelper_, &RatioHelper::keepConstants, this,
                [this](const MachineConstants& kept) {
                    if (machines_->keepConstants(kept)) {
                        prompter_.inform(QStringLiteral("已保存机床“%1”的常数。")
                                             .arg(face_->fields().Mtype->currentText()));
                    }
                });
        chartPage_ = new ChartPage(prompter_, [this] { return chartSetup(); });
        ratioHelper_->addPage(chartPage_, QStringLiteral("挂轮表"));
    }
    // The chart and the constants it was worked out with stay or go together.
    if (ratioHelper_->prepare(face_->fields().Mtype->currentText(), constants,
                              currentMachine() >= 0)) {
        chartPage_->clear();
    }
    ratioHelper_->open();
}

std::optional<ChartSetup> GearSel::chartSetup() {
    const ConstantsReading reading = ratioHelper_->constantsBox().reading();
    if (!reading.problem.empty()) {
        prompter_.inform(QString::fromStdString(reading.problem));
        return std::nullopt;
    }
    return ChartSetup{searchRequest(), reading.constants, face_->fields().Mtype->currentText()};
}

void GearSel::offerHelperInContextMenu() {
    LineField* ratio = face_->fields().TSb;
    ratio->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ratio, &QWidget::customContextMenuRequested, this, [this, ratio](const QPoint& at) {
        // The field's own commands (undo, copy, paste ...) stay, with the helper below them.
        std::unique_ptr<QMenu> menu(ratio->createStandardContextMenu());
        menu->setObjectName(QStringLiteral("ratioMenu"));
        menu->addSeparator();
        QAction* helper = menu->addAction(QStringLiteral("速比计算…"));
        helper->setObjectName(QStringLiteral("openRatioHelper"));
        // Opened once the menu has closed, so that the helper gets the focus.
        connect(helper, &QAction::triggered, this,
                [this] { QTimer::singleShot(0, this, &GearSel::openRatioHelper); });
        menu->exec(ratio->mapToGlobal(at));
    });
}

void GearSel::ClsGzList() {
    MkTabNs();
    face_->captions().LabSD->hide();
}

void GearSel::MkTabNs() {
    showEmptyResults(face_->resultGrid(), listedTrainsFromText(utf8(face_->fields().Tns->text())));
}

void GearSel::DispSbFW() {
    const auto range = reachableRange(gearList(), face_->fields().Chk->isChecked());
    setCaption(face_->captions().LabSBFW,
               range ? QString::fromStdString(rangeCaption(*range)) : QString());
}

void GearSel::showBanner() {
    face_->commands().ImgBTZ->setPicture(bannerPicture(random_.below(7)));
}

} // namespace gearsel
