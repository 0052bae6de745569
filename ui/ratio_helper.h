// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ratio helper: works out the required ratio of a thread, a hobbing machine's index or
// differential train, or differential indexing on a dividing head, from the job's inputs and
// the machine's constants, shows it as an exact fraction where it is one, and on 确定 hands it
// to the window. Further pages (the chart) can be added beside the formulas.

#include "engine/machine_constants.h"
#include "engine/quantity.h"
#include "present/formula_form.h"

#include <QDialog>
#include <optional>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace gearsel {

class ConstantsBox;
class FormulaPage;
class Prompter;
class TrainRulesBox;

class RatioHelper : public QDialog {
    Q_OBJECT
public:
    // `prompter` tells what cannot be worked out and must outlive the helper.
    RatioHelper(Prompter& prompter, QWidget* parent = nullptr);

    // Shows the constants kept for the machine; `canKeep` false when there is no machine.
    // Says false when the constants box was left as the user left it (ConstantsBox::
    // showConstants), so that what was worked out with it still holds.
    bool prepare(const QString& machineName, const MachineConstants& constants, bool canKeep);
    // Adds a page that works out no ratio of its own (确定 is off while it is shown).
    void addPage(QWidget* page, const QString& title);
    // Adds a command under the pages, beside 确定 and 关闭.
    void addCommand(QPushButton* command);

    // The machine's constants as the boxes hold them for this job: the formulas' constants and
    // the train's rules, the machine's other kept constants as they were; or why they cannot
    // be used. What 保存为本机常数 keeps, and what the chart is worked out with.
    struct JobConstants {
        MachineConstants constants;
        bool gearboxTyped = false; // a gearbox ratio other than the kept one, for this job
        QString problem;           // empty when every box can be used
    };
    JobConstants jobConstants() const;
    // The ratio of the page shown, or why there is none.
    FormulaOutcome outcome() const;

Q_SIGNALS:
    // 确定 with a ratio worked out: the window puts it into the ratio field. It is the ratio's
    // size |i|, which the train gives; an idler gives a negative ratio's sign.
    void ratioChosen(const Quantity& ratio);
    // 确定 with a thread's ratio worked out without the gearbox, on a machine whose gearbox
    // positions are searched together with the change gears (unless a gearbox ratio other than
    // the kept one is given for this job): instead of ratioChosen().
    void positionsChosen(const Quantity& ratio, const std::vector<GearboxPosition>& positions);
    // The user asked to keep these constants for the machine: the formulas', the geometry and
    // the train's rules as the boxes hold them, the machine's other kept constants as they
    // were.
    void keepConstants(const MachineConstants& constants);

public Q_SLOTS:
    void accept() override;

private:
    void showOutcome();
    // The positions a thread's ratio is searched over, where it is (see positionsChosen()).
    std::optional<std::vector<GearboxPosition>> threadPositions() const;
    void askToKeep();

    Prompter& prompter_;
    ConstantsBox* constants_ = nullptr;
    TrainRulesBox* rules_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    MachineConstants kept_; // as the machine keeps them, when the helper was last prepared
    QTabWidget* pages_ = nullptr;
    QLabel* result_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace gearsel
