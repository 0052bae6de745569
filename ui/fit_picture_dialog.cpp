// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fit_picture_dialog.h"

#include "ui/fit_picture_view.h"
#include "ui/screen_fit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace gearsel {

namespace {

// A button of the dialog with its key, which its tooltip names.
QPushButton* commandButton(QDialogButtonBox* buttons, const QString& text, const char* name,
                           const QKeySequence& key, QDialogButtonBox::ButtonRole role) {
    QPushButton* button = buttons->addButton(text, role);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    if (!key.isEmpty()) {
        button->setShortcut(key);
        button->setToolTip(key.toString(QKeySequence::NativeText));
    }
    return button;
}

} // namespace

FitPictureDialog::FitPictureDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FitPictureDialog"));
    setWindowTitle(tr("挂轮装配图"));
    auto* layout = new QVBoxLayout(this);
    view_ = new FitPictureView(this);
    layout->addWidget(view_, 1);
    fitOnly_ = new QCheckBox(tr("选配时只列出装得上的挂轮"), this);
    fitOnly_->setObjectName(QStringLiteral("fitOnly"));
    fitOnly_->setAccessibleName(fitOnly_->text());
    fitOnly_->setToolTip(tr("按机床的模数、中心距、挂轮架槽和罩壳，只列出能装上的挂轮组"));
    layout->addWidget(fitOnly_);
    auto* buttons = new QDialogButtonBox(this);
    print_ = commandButton(buttons, tr("打印"), "print", QKeySequence(QStringLiteral("Ctrl+P")),
                           QDialogButtonBox::ActionRole);
    save_ = commandButton(buttons, tr("保存为文件"), "save", QKeySequence(QStringLiteral("Ctrl+S")),
                          QDialogButtonBox::ActionRole);
    QPushButton* close =
        commandButton(buttons, tr("关闭"), "close", QKeySequence(), QDialogButtonBox::RejectRole);
    close->setToolTip(QKeySequence(Qt::Key_Escape).toString(QKeySequence::NativeText));
    layout->addWidget(buttons);
    connect(print_, &QPushButton::clicked, this, &FitPictureDialog::printRequested);
    connect(save_, &QPushButton::clicked, this, &FitPictureDialog::saveRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(fitOnly_, &QCheckBox::toggled, this, &FitPictureDialog::fitOnlyToggled);
    // The picture takes no focus: Tab goes from the choice to the commands and round again.
    setTabOrder(fitOnly_, print_);
    setTabOrder(print_, save_);
    setTabOrder(save_, close);
    resize(sizeWithin(QSize(800, 680), availableArea(this)));
}

void FitPictureDialog::showContent(const FitPictureContent& content) {
    view_->showContent(content);
    print_->setEnabled(true);
    save_->setEnabled(true);
}

void FitPictureDialog::showNoTrain() {
    view_->showNoTrain();
    print_->setEnabled(false);
    save_->setEnabled(false);
}

void FitPictureDialog::showFitOnly(bool checked, bool available) {
    const QSignalBlocker quiet(fitOnly_);
    fitOnly_->setChecked(checked);
    fitOnly_->setEnabled(available);
}

} // namespace gearsel
