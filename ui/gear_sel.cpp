#include "ui/gear_sel.h"

#include "engine/input_rules.h"
#include "engine/number_text.h"
#include "engine/ratio_range.h"
#include "engine/result_text.h"
#include "engine/selection.h"
#include "store/store_error.h"
#include "ui/clickable_label.h"
#include "ui/gear_grid_view.h"
#include "ui/gear_set_editor.h"
#include "ui/help_panel.h"
#include "ui/hover_feedback.h"
#include "ui/input_fields.h"
#include "ui/line_field.h"
#include "ui/main_face.h"
#include "ui/panel_face.h"
#include "ui/picture_label.h"
#include "ui/print_command.h"
#include "ui/prompter.h"
#include "ui/result_grid_view.h"
#include "ui/ui_style.h"
#include "ui/window_mover.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

namespace gearsel {

namespace {

std::string utf8(const QString& text) {
    return text.toStdString();
}

} // namespace

GearSel::GearSel(MachineStore store, Prompter& prompter, const TwipsScale& scale,
                 RandomSource random, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), store_(std::move(store)),
      prompter_(prompter), random_(random) {
    setObjectName(QStringLiteral("GearSel"));
    setWindowTitle(QStringLiteral("Tolvanik"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));
    setFont(style::song(9));
    face_ = std::make_unique<MainFace>(this, scale);
    setFixedSize(face_->Ped0->size());
    fields_ = std::make_unique<InputFields>(
        *face_, [this] { return reachableRange(gearList_, face_->Chk->isChecked()); });
    connect(fields_.get(), &InputFields::resultsStale, this, &GearSel::ClsGzList);
    connect(fields_.get(), &InputFields::rangeOptionChanged, this, &GearSel::DispSbFW);
    editor_ = std::make_unique<GearSetEditor>(face_->PedNewJC, scale);
    helpPanel_ = std::make_unique<HelpPanel>(*face_);
    hover_ = std::make_unique<HoverFeedback>(*face_);
    hover_->addCommand(editor_->ComNewJcQD, editor_->LabSaveNewJC);
    hover_->addCommand(editor_->LabSaveNewJC, editor_->LabSaveNewJC);
    hover_->addCommand(editor_->LabALLs, editor_->LabALLs);
    hover_->addCommand(editor_->LabFxz, editor_->LabFxz);
    hover_->addResetSurface(face_->PedNewJC,
                            {editor_->LabSaveNewJC, editor_->LabFxz, editor_->LabALLs});
    mover_ = std::make_unique<WindowMover>(this, face_->Ped0);
    printCommand_ = std::make_unique<PrintCommand>(prompter_, [this] {
        return PrintoutContent{resultList_,        requiredRatio(),
                               face_->Tns->text(), face_->Mtype->currentText(),
                               face_->TSb->text(), QDateTime::currentDateTime()};
    });
    connectCommands();
    Form_Load();
}

GearSel::~GearSel() = default;

double GearSel::requiredRatio() const {
    return fields_->requiredRatio();
}

void GearSel::Form_Load() {
    showBanner();
    paintPanelFace(face_->Ped0, style::kFrameOuter, [this] { return random_.uniform(); });
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    face_->TSb->setText(QString::fromStdString(startingRatioText(random_.uniform())));
    MkTabNs();
    GetJcTab();
}

void GearSel::connectCommands() {
    MainFace& f = *face_;
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(f.ComCHOSE), f.LabCHOSE}) {
        connect(command, &ClickableLabel::clicked, this, &GearSel::ComCHOSE_Click);
    }
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(f.ImgPrint), f.LabPrint}) {
        connect(command, &ClickableLabel::clicked, printCommand_.get(), &PrintCommand::PrintSbTab);
    }
    connect(f.ImgBTZ, &ClickableLabel::clicked, this, &GearSel::showBanner);
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(f.ComExit), f.LabExit}) {
        connect(command, &ClickableLabel::clicked, this, &QWidget::close);
    }
    connect(f.Mtype, &QComboBox::currentIndexChanged, this, [this](int position) {
        if (position >= 0) {
            Mtype_Click(position);
        }
    });
    // The combo box itself has the focus and receives the keys; it passes them on to its line
    // edit directly, past any filter there, so the box is the one to watch.
    f.Mtype->installEventFilter(this);

    for (ClickableLabel* command : {static_cast<ClickableLabel*>(f.ImgNewJc),
                                    static_cast<ClickableLabel*>(f.Imagenew), f.LabNewJc}) {
        connect(command, &ClickableLabel::clicked, this, &GearSel::ImgNewJc_Click);
    }
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(f.ImgEditZ),
                                    static_cast<ClickableLabel*>(f.ImgEdbk), f.LabXgCsTab}) {
        connect(command, &ClickableLabel::clicked, this, &GearSel::openEditorOnCurrent);
    }
    for (ClickableLabel* command : {static_cast<ClickableLabel*>(f.ComSave), f.LabSave}) {
        connect(command, &ClickableLabel::clicked, this, &GearSel::ComSave_Click);
    }
    connect(editor_.get(), &GearSetEditor::saveRequested, this, &GearSel::ComNewJcQD_Click);
    connect(editor_.get(), &GearSetEditor::closed, this, [this] { newMachineMode_ = false; });
}

bool GearSel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == face_->Mtype) {
        if (event->type() == QEvent::FocusIn &&
            movesFocusWithinWindow(static_cast<QFocusEvent*>(event))) {
            Mtype_GotFocus();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                Mtype_Enter();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
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

void GearSel::GetJcTab() {
    fillMachineBox();
    if (store_.machines().empty()) {
        // A file without machines: nothing to select; the window shows an empty gear list.
        currentMachine_ = -1;
        gearList_.clear();
        setGearCountCaption(0);
        showGearList(*face_->GZs, gearList_);
        DispSbFW();
        return;
    }
    face_->Mtype->setCurrentIndex(0);
    face_->Mtype->setEditText(QString::fromStdString(store_.machines().front().name));
}

void GearSel::fillMachineBox() {
    QComboBox* box = face_->Mtype;
    const QSignalBlocker blocker(box);
    box->clear();
    for (const MachineEntry& machine : store_.machines()) {
        box->addItem(QString::fromStdString(machine.name));
    }
    box->setCurrentIndex(-1);
}

void GearSel::Mtype_Click(int position) {
    const int previous = currentMachine_;
    currentMachine_ = position;
    QComboBox* box = face_->Mtype;
    shownMachineName_ = box->currentText().trimmed();
    box->setEditText(shownMachineName_);
    if (!GetGearZN()) {
        // The list could not be read: stay on the machine shown before.
        currentMachine_ = previous;
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(previous);
        shownMachineName_ = box->currentText().trimmed();
        box->setEditText(shownMachineName_);
    }
    ClsGzList();
}

bool GearSel::GetGearZN() {
    if (currentMachine_ < 0 || currentMachine_ >= static_cast<int>(store_.machines().size())) {
        return false;
    }
    std::vector<std::int16_t> gears;
    try {
        gears = store_.gearList(currentMachine_);
    } catch (const StoreError& error) {
        reportStoreError(error);
        return false;
    }
    const MachineEntry& machine = store_.machines()[static_cast<std::size_t>(currentMachine_)];
    gearList_ = std::move(gears);
    setGearCountCaption(static_cast<int>(gearList_.size()));
    face_->Tzptj->setText(QString::number(machine.zn));
    showGearList(*face_->GZs, gearList_);
    DispSbFW();
    return true;
}

void GearSel::ComCHOSE_Click() {
    MainFace& f = *face_;
    f.PicZZJS->show();
    f.PicZZJS->raise();
    f.PicZZJS->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Let the notice be painted; input waits until the run is over.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    SearchRequest request;
    request.zn = znWhileTyping(utf8(f.Tzptj->text()));
    request.resultCount = listedTrainsFromText(utf8(f.Tns->text()));
    if (readNumber(utf8(f.TSb->text())) == 0.0) {
        // A ratio of 0 cannot be searched: correct the field first, as leaving it would.
        fields_->validateRatio();
    }
    request.requiredRatio = readNumber(utf8(f.TSb->text()));
    request.gears = gearList_;
    request.includeSinglePairs = f.CheckZ12->isChecked();
    request.allowRepeats = f.Chk->isChecked();

    try {
        SelectionResult result = runSelection(request);
        gearList_ = std::move(result.sortedGears);
        resultList_ = std::move(result.results);
        fields_->setRequiredRatio(request.requiredRatio);
        MainFace::setCaption(f.LabSD, QString::fromStdString(secondsText(result.seconds)));
        showResults(*f.GZ, resultList_, request.requiredRatio);
        f.LabSD->show();
    } catch (const std::invalid_argument& error) {
        prompter_.inform(QString::fromStdString(error.what()));
    }
    f.PicZZJS->hide();
    showBanner();
    QApplication::restoreOverrideCursor();
}

void GearSel::ClsGzList() {
    MkTabNs();
    face_->LabSD->hide();
}

void GearSel::MkTabNs() {
    showEmptyResults(*face_->GZ, listedTrainsFromText(utf8(face_->Tns->text())));
}

void GearSel::DispSbFW() {
    const auto range = reachableRange(gearList_, face_->Chk->isChecked());
    MainFace::setCaption(face_->LabSBFW,
                         range ? QString::fromStdString(rangeCaption(*range)) : QString());
}

void GearSel::setGearCountCaption(int count) {
    MainFace::setCaption(face_->LabN, QString::number(count));
    ClsGzList();
}

void GearSel::showBanner() {
    face_->ImgBTZ->setPicture(bannerPicture(random_.below(7)));
}

void GearSel::reportStoreError(const StoreError& error) {
    prompter_.inform(QString::fromStdString(error.what()));
}

} // namespace gearsel
