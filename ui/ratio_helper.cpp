// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ratio_helper.h"

#include "ui/constants_box.h"
#include "ui/formula_page.h"
#include "ui/prompter.h"
#include "ui/screen_fit.h"
#include "ui/train_rules_box.h"
#include "ui/widget_helpers.h"
#include "ui/window_language.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace gearsel {

RatioHelper::RatioHelper(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("RatioHelper"));
    setWindowTitle(tr("速比计算"));
    // Everything above the buttons scrolls on a screen too small for it, so that 确定 and
    // 关闭 stay in reach.
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes to the fields inside, which the area scrolls into view; the area itself takes
    // no focus, as it would as an unnamed stop of its own.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* content = new QWidget(scroll);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);

    constants_ = new ConstantsBox(this);
    layout->addWidget(constants_);
    connect(constants_, &ConstantsBox::edited, this, &RatioHelper::showOutcome);
    connect(constants_, &ConstantsBox::keepRequested, this, &RatioHelper::askToKeep);
    rules_ = new TrainRulesBox(this);
    layout->addWidget(rules_);
    connect(rules_, &TrainRulesBox::edited, this, &RatioHelper::showOutcome);

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));
    pages_->setAccessibleName(tr("计算页"));
    for (const FormulaEntry& entry : formulaRegistry()) {
        auto* page = new FormulaPage(entry.formula, pages_);
        pages_->addTab(page,
                       QString::fromStdString(formulaForm(entry.formula, windowLanguage()).title));
        connect(page, &FormulaPage::edited, this, &RatioHelper::showOutcome);
    }
    layout->addWidget(pages_, 1);
    connect(pages_, &QTabWidget::currentChanged, this, &RatioHelper::showOutcome);

    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("result"));
    result_->setWordWrap(true);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(result_);

    auto* buttons = new QDialogButtonBox(this);
    buttons_ = buttons;
    ok_ = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setToolTip(tr("把算出的速比填入“要求速比”"));
    QPushButton* close = buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("close"));
    connect(buttons, &QDialogButtonBox::accepted, this, &RatioHelper::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RatioHelper::reject);
    scroll->setWidget(content);
    auto* dialogLayout = new QVBoxLayout(this);
    dialogLayout->addWidget(scroll, 1);
    dialogLayout->addWidget(buttons);
    // Room for the chart's columns without scrolling sideways, where the screen has it.
    resize(sizeWithin(QSize(940, 680), availableArea(this)));
    showOutcome();
}

bool RatioHelper::prepare(const QString& machineName, const MachineConstants& constants,
                          bool canKeep) {
    const bool filledAnew = constants_->showConstants(machineName, constants, canKeep);
    if (filledAnew) {
        rules_->showRules(constants);
    }
    kept_ = constants;
    showOutcome();
    return filledAnew;
}

void RatioHelper::addPage(QWidget* page, const QString& title) {
    pages_->addTab(page, title);
}

void RatioHelper::addCommand(QPushButton* command) {
    buttons_->addButton(command, QDialogButtonBox::ActionRole);
}

FormulaOutcome RatioHelper::outcome() const {
    const auto* page = qobject_cast<const FormulaPage*>(pages_->currentWidget());
    if (page == nullptr) {
        return {std::nullopt, tr("这一页不计算速比。").toStdString()};
    }
    ConstantsReading reading = constants_->reading();
    if (!reading.problem.empty()) {
        return {std::nullopt, reading.problem};
    }
    if (threadPositions()) {
        reading.constants.gearboxRatio.reset();
    }
    return workOutRatio(page->formula(), page->texts(), reading.constants, windowLanguage());
}

RatioHelper::JobConstants RatioHelper::jobConstants() const {
    const ConstantsReading reading = constants_->reading();
    if (!reading.problem.empty()) {
        return {kept_, false, QString::fromStdString(reading.problem)};
    }
    MachineConstants merged = kept_;
    merged.leadscrew = reading.constants.leadscrew;
    merged.gearboxRatio = reading.constants.gearboxRatio;
    merged.indexConstant = reading.constants.indexConstant;
    merged.differentialConstant = reading.constants.differentialConstant;
    merged.headRatio = reading.constants.headRatio;
    const GeometryReading geometry = constants_->geometryReading(merged);
    if (!geometry.problem.isEmpty()) {
        return {kept_, false, geometry.problem};
    }
    const TrainRulesReading rules = rules_->reading(geometry.constants);
    const bool gearboxTyped = constantText(reading.constants, ConstantKey::GearboxRatio) !=
                              constantText(kept_, ConstantKey::GearboxRatio);
    return {rules.constants, gearboxTyped, rules.problem};
}

std::optional<std::vector<GearboxPosition>> RatioHelper::threadPositions() const {
    const auto* page = qobject_cast<const FormulaPage*>(pages_->currentWidget());
    if (page == nullptr || page->formula() != Formula::Thread) {
        return std::nullopt;
    }
    // A gearbox ratio typed for this job fixes the gearbox instead.
    const JobConstants job = jobConstants();
    if (!job.problem.isEmpty() || job.gearboxTyped) {
        return std::nullopt;
    }
    return job.constants.gearboxPositions;
}

void RatioHelper::showOutcome() {
    const auto* page = qobject_cast<const FormulaPage*>(pages_->currentWidget());
    ok_->setEnabled(page != nullptr);
    result_->setVisible(page != nullptr);
    if (page == nullptr) {
        return;
    }
    const FormulaOutcome worked = outcome();
    if (worked.ratio) {
        const QString note = worked.ratio->fraction() ? tr("（精确分数）") : tr("（近似值）");
        // The sign is said in words on a line of its own: 确定 hands on the size |i|.
        const std::string direction = turnDirectionText(
            *worked.ratio, formulaEntry(page->formula()).signedRatio, windowLanguage());
        const QString byPositions =
            threadPositions() ? tr("\n不含进给箱速比：选配时进给箱各手柄位置一起选配") : QString();
        result_->setText(tr("速比 i = ") + QString::fromStdString(ratioResultText(*worked.ratio)) +
                         note + byPositions +
                         (direction.empty()
                              ? QString()
                              : QLatin1Char('\n') + QString::fromStdString(direction)));
        setColour(result_, QPalette::WindowText, QColor(0, 96, 0));
    } else {
        result_->setText(QString::fromStdString(worked.problem));
        setColour(result_, QPalette::WindowText, QColor(192, 0, 0));
    }
}

void RatioHelper::accept() {
    const FormulaOutcome worked = outcome();
    if (!worked.ratio) {
        prompter_.inform(QString::fromStdString(worked.problem));
        return;
    }
    // The train to mount is the one for |i|; the line beside the ratio said what the sign means.
    if (const auto positions = threadPositions()) {
        Q_EMIT positionsChosen(worked.ratio->magnitude(), *positions);
    } else {
        Q_EMIT ratioChosen(worked.ratio->magnitude());
    }
    QDialog::accept();
}

void RatioHelper::askToKeep() {
    const JobConstants job = jobConstants();
    if (!job.problem.isEmpty()) {
        prompter_.inform(job.problem);
        return;
    }
    Q_EMIT keepConstants(job.constants);
}

} // namespace gearsel
