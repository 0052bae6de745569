#include "ui/gear_sel.h"

#include "engine/number_text.h"
#include "engine/ratio_range.h"
#include "engine/selection.h"
#include "present/input_rules.h"
#include "present/result_text.h"
#include "present/search_problem_text.h"
#include "ui/clickable_label.h"
#include "ui/gear_set_editor.h"
#include "ui/help_panel.h"
#include "ui/hover_feedback.h"
#include "ui/input_fields.h"
#include "ui/line_field.h"
#include "ui/machine_commands.h"
#include "ui/main_face.h"
#include "ui/panel_face.h"
#include "ui/picture_label.h"
#include "ui/print_command.h"
#include "ui/prompter.h"
#include "ui/result_grid_view.h"
#include "ui/ui_style.h"
#include "ui/widget_helpers.h"
#include "ui/window_mover.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace gearsel {

GearSel::GearSel(MachineStore store, Prompter& prompter, const TwipsScale& scale,
                 RandomSource random, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), prompter_(prompter), random_(random) {
    setObjectName(QStringLiteral("GearSel"));
    setWindowTitle(QStringLiteral("Tolvanik"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));
    setFont(style::song(9));
    face_ = std::make_unique<MainFace>(this, scale);
    setFixedSize(face_->panels().Ped0->size());
    fields_ = std::make_unique<InputFields>(
        *face_, [this] { return reachableRange(gearList(), face_->fields().Chk->isChecked()); });
    connect(fields_.get(), &InputFields::resultsStale, this, &GearSel::ClsGzList);
    connect(fields_.get(), &InputFields::rangeOptionChanged, this, &GearSel::DispSbFW);
    editor_ = std::make_unique<GearSetEditor>(face_->panels().PedNewJC, scale);
    machines_ = std::make_unique<MachineCommands>(std::move(store), prompter_, *face_, *editor_);
    connect(machines_.get(), &MachineCommands::resultsStale, this, &GearSel::ClsGzList);
    connect(machines_.get(), &MachineCommands::gearListChanged, this, &GearSel::DispSbFW);
    helpPanel_ = std::make_unique<HelpPanel>(*face_);
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
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
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

void GearSel::ComCHOSE_Click() {
    const MainFace::Fields& f = face_->fields();
    QWidget* notice = face_->panels().PicZZJS;
    QLabel* seconds = face_->captions().LabSD;
    // The notice is painted at once; the search runs without returning to the event loop, so
    // no input and no timer can come in between.
    notice->show();
    notice->raise();
    notice->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);

    SearchRequest request;
    request.zn = znWhileTyping(utf8(f.Tzptj->text()));
    request.resultCount = listedTrainsFromText(utf8(f.Tns->text()));
    if (readNumber(utf8(f.TSb->text())) == 0.0) {
        // A ratio of 0 cannot be searched: correct the field first, as leaving it would.
        fields_->validateRatio();
    }
    request.requiredRatio = readNumber(utf8(f.TSb->text()));
    request.gears = gearList();
    request.includeSinglePairs = f.CheckZ12->isChecked();
    request.allowRepeats = f.Chk->isChecked();

    try {
        SelectionResult result = runSelection(request);
        machines_->keepSearchedGears(std::move(result.sortedGears));
        resultList_ = std::move(result.results);
        fields_->setRequiredRatio(request.requiredRatio);
        setCaption(seconds, QString::fromStdString(secondsText(result.seconds)));
        showResults(face_->resultGrid(), resultList_, request.requiredRatio);
        seconds->show();
    } catch (const SearchRefused& refused) {
        prompter_.inform(QString::fromStdString(searchProblemText(refused.problem())));
    } catch (const std::exception& error) {
        prompter_.inform(QStringLiteral("选配没有完成：") + QString::fromStdString(error.what()));
    }
    notice->hide();
    showBanner();
    QApplication::restoreOverrideCursor();
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
