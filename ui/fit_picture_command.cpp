// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fit_picture_command.h"

#include "print/fit_picture_files.h"
#include "ui/fit_picture_dialog.h"
#include "ui/pdf_offer.h"
#include "ui/prompter.h"
#include "ui/saved_file.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace gearsel {

namespace {

// What the questions and messages call the picture.
QString pictureName() {
    return FitPictureCommand::tr("挂轮装配图");
}

} // namespace

FitPictureCommand::FitPictureCommand(Prompter& prompter, ContentSource content, QWidget* window,
                                     PrinterRoute printer)
    : QObject(window), prompter_(prompter), content_(std::move(content)), window_(window),
      printer_(std::move(printer)), action_(new QAction(tr("挂轮装配图..."), this)) {
    action_->setObjectName(QStringLiteral("showFitPicture"));
    action_->setShortcut(QKeySequence(QStringLiteral("Ctrl+G")));
    action_->setToolTip(tr("画出选中的挂轮组装在机床上的样子 (%1)")
                            .arg(action_->shortcut().toString(QKeySequence::NativeText)));
    connect(action_, &QAction::triggered, this, &FitPictureCommand::showChosen);
}

QString FitPictureCommand::defaultFileName(const GearTrain& train) {
    QString name = tr("挂轮装配图_%1-%2").arg(train.z1).arg(train.z2);
    if (train.z3 != 0) {
        name += QStringLiteral("_%1-%2").arg(train.z3).arg(train.z4);
    }
    return name + QStringLiteral(".pdf");
}

FitPictureDialog* FitPictureCommand::dialog() {
    if (dialog_ == nullptr) {
        dialog_ = new FitPictureDialog(window_);
        connect(dialog_, &FitPictureDialog::printRequested, this, &FitPictureCommand::print);
        connect(dialog_, &FitPictureDialog::saveRequested, this, &FitPictureCommand::save);
        connect(dialog_, &FitPictureDialog::fitOnlyToggled, this, [this](bool checked) {
            fitOnly_ = checked;
            Q_EMIT fitOnlyChanged(checked);
            refresh();
        });
    }
    return dialog_;
}

void FitPictureCommand::showChosen() {
    shown_ = content_();
    if (!shown_) {
        prompter_.inform(tr("选配结果列表中还没有挂轮：请先选配。"));
        return;
    }
    dialog()->showContent(*shown_);
    dialog_->showFitOnly(fitOnly_, shown_->geometry.has_value());
    dialog_->open();
}

void FitPictureCommand::refresh() {
    shown_ = content_();
    if (shown_) {
        dialog_->showContent(*shown_);
    } else {
        dialog_->showNoTrain();
    }
    // A list that nothing fits leaves the choice offered, so that it can be taken back.
    dialog_->showFitOnly(fitOnly_, !shown_ || shown_->geometry);
}

void FitPictureCommand::print() {
    if (!shown_) {
        return;
    }
    const FitPictureContent content = *shown_;
    const PrinterResult result = printer_(content);
    if (result.printed) {
        return;
    }
    offerPdf(prompter_, result.problem,
             PdfOffer{pictureName(),
                      startingSavePath(SavedFileKind::Pdf, defaultFileName(content.train))},
             [&](const QString& path) { return writeFitPicturePdf(path, content); });
}

void FitPictureCommand::save() {
    if (!shown_) {
        return;
    }
    const FitPictureContent content = *shown_;
    const std::optional<QString> path = prompter_.askSavePath(
        tr("保存挂轮装配图"), startingSavePath(SavedFileKind::Pdf, defaultFileName(content.train)),
        tr("PDF 文件 (*.pdf);;PNG 图片 (*.png);;SVG 图片 (*.svg)"));
    if (!path) {
        return;
    }
    // The file's ending says its format; a name without a known one becomes a PDF file.
    QString file = *path;
    const QString suffix = QFileInfo(file).suffix().toLower();
    bool written = false;
    if (suffix == QLatin1String("png")) {
        written = writeFitPicturePng(file, content);
    } else if (suffix == QLatin1String("svg")) {
        written = writeFitPictureSvg(file, content);
    } else {
        file = withSuffix(file, QStringLiteral("pdf"));
        written = writeFitPicturePdf(file, content);
    }
    if (written) {
        fileSaved(prompter_, SavedFileKind::Pdf, pictureName(), file);
    } else {
        prompter_.inform(
            tr("无法写入文件“%1”，挂轮装配图没有保存。").arg(QDir::toNativeSeparators(file)));
    }
}

} // namespace gearsel
