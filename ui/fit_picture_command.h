// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command that shows the picture of the listed train a user chose in the result grid
// (Ctrl+G there, or the rows' context menu), and what the picture's dialog asks for: print it,
// with the offer of a PDF file when printing fails; save it as a PDF, PNG or SVG file, whole
// or not at all; and the choice to list only trains that fit the machine, which it keeps.

#include "print/fit_picture_content.h"
#include "print/printer_output.h"

#include <QObject>
#include <functional>
#include <optional>

class QAction;
class QWidget;

namespace gearsel {

class FitPictureDialog;
class Prompter;

class FitPictureCommand : public QObject {
    Q_OBJECT
public:
    // The picture of the train chosen in the grid, or nothing while the grid lists none.
    using ContentSource = std::function<std::optional<FitPictureContent>()>;
    // Sends a picture to a printer.
    using PrinterRoute = std::function<PrinterResult(const FitPictureContent&)>;

    // `prompter` asks the questions and must outlive the command; the dialog opens over
    // `window`; `printer` is the default printer unless a test replaces it.
    FitPictureCommand(Prompter& prompter, ContentSource content, QWidget* window,
                      PrinterRoute printer = printFitPictureOnDefaultPrinter);

    // The command as an action for the grid: its text, key and accessible name.
    QAction* action() const { return action_; }
    // Whether the searches list only trains that fit (where the machine has a geometry).
    bool fitOnly() const { return fitOnly_; }
    // The file name a save of the picture of `train` starts with.
    static QString defaultFileName(const GearTrain& train);

public Q_SLOTS:
    // Opens the dialog on the chosen train; tells the user when the grid lists none.
    void showChosen();

Q_SIGNALS:
    // The choice to list only trains that fit changed: the list must be searched again.
    void fitOnlyChanged(bool fitOnly);

private:
    FitPictureDialog* dialog();
    // Shows the chosen train in the open dialog again, after the list changed.
    void refresh();
    void print();
    void save();

    Prompter& prompter_;
    ContentSource content_;
    QWidget* window_;
    PrinterRoute printer_;
    QAction* action_;
    FitPictureDialog* dialog_ = nullptr;
    std::optional<FitPictureContent> shown_;
    bool fitOnly_ = false;
};

} // namespace gearsel
