// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog with the picture of a listed train: the picture, the commands to print it and to
// save it as a file, and the choice to list only trains that fit the machine, offered where
// the machine has a geometry. It shows and asks; the window does the work (its signals).

#include "print/fit_picture_content.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace gearsel {

class FitPictureView;

class FitPictureDialog : public QDialog {
    Q_OBJECT
public:
    explicit FitPictureDialog(QWidget* parent = nullptr);

    // Shows the picture of `content`.
    void showContent(const FitPictureContent& content);
    // Says that the list holds no train; printing and saving are off until one is shown.
    void showNoTrain();
    // Ticks the choice to list only trains that fit as `checked`, without a signal, and
    // offers it only when `available` (the machine has a geometry).
    void showFitOnly(bool checked, bool available);

Q_SIGNALS:
    void printRequested();
    void saveRequested();
    // The user ticked or cleared the choice to list only trains that fit.
    void fitOnlyToggled(bool checked);

private:
    FitPictureView* view_ = nullptr;
    QCheckBox* fitOnly_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* save_ = nullptr;
};

} // namespace gearsel
