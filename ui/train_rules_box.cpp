// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/train_rules_box.h"

#include "engine/train_constants.h"
#include "present/train_constant_text.h"
#include "ui/widget_helpers.h"
#include "ui/window_language.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace gearsel {

namespace {

QString labelOf(TrainConstantKey key) {
    return QString::fromStdString(trainConstantLabel(key, windowLanguage()));
}

} // namespace

TrainRulesBox::TrainRulesBox(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("TrainRulesBox"));
    setTitle(tr("挂轮规则"));
    auto* grid = new QGridLayout(this);
    const auto addField = [&](QWidget* field, TrainConstantKey key, const QString& hint, int row,
                              int col) {
        field->setObjectName(QString::fromLatin1(constantName(key)));
        field->setToolTip(hint);
        auto* label = new QLabel(labelOf(key) + tr("："), this);
        label->setBuddy(field);
        grid->addWidget(label, row, col);
        grid->addWidget(field, row, col + 1);
    };
    pairs_ = new QCheckBox(tr("三对挂轮"), this);
    pairs_->setObjectName(QString::fromLatin1(constantName(TrainConstantKey::Pairs)));
    pairs_->setToolTip(
        tr("这台机床装三对挂轮：主界面的“选配”同时在三对挂轮选配页（Ctrl+3）列出三对挂轮"));
    grid->addWidget(pairs_, 0, 0, 1, 2);
    useOnce_ = new QCheckBox(labelOf(TrainConstantKey::UseOnce), this);
    useOnce_->setObjectName(QString::fromLatin1(constantName(TrainConstantKey::UseOnce)));
    useOnce_->setToolTip(
        tr("勾选：齿轮组中的每个齿轮在一组挂轮中至多用一次（同齿数的几个齿轮各算一个）"));
    grid->addWidget(useOnce_, 0, 2, 1, 2);
    first_ = new QLineEdit(this);
    first_->setPlaceholderText(tr("如 24，空为不固定"));
    addField(first_, TrainConstantKey::FirstGear, tr("主轴一侧的第一个主动轮固定为这个齿数"), 1, 0);
    last_ = new QLineEdit(this);
    last_->setPlaceholderText(tr("如 127，空为不固定"));
    addField(last_, TrainConstantKey::LastGear, tr("丝杠一侧的最后一个从动轮固定为这个齿数"), 1, 2);
    positions_ = new QLineEdit(this);
    positions_->setPlaceholderText(tr("如 A1=1/2,A2=1,B1=5/4，空为没有"));
    addField(positions_, TrainConstantKey::GearboxPositions,
             tr("进给箱各手柄位置的速比；车螺纹时各位置一起选配，每行注明位置"), 2, 0);
    connect(positions_, &QLineEdit::textEdited, this, &TrainRulesBox::edited);
    grid->removeWidget(positions_);
    grid->addWidget(positions_, 2, 1, 1, 3);
}

void TrainRulesBox::showRules(const MachineConstants& constants) {
    const auto text = [&](TrainConstantKey key) {
        const std::optional<std::string> kept = constantText(constants, key);
        return kept ? QString::fromStdString(*kept) : QString();
    };
    pairs_->setChecked(trainPairs(constants) == 3);
    first_->setText(text(TrainConstantKey::FirstGear));
    last_->setText(text(TrainConstantKey::LastGear));
    useOnce_->setChecked(constants.useOnce.value_or(false));
    positions_->setText(text(TrainConstantKey::GearboxPositions));
}

TrainRulesReading TrainRulesBox::reading(const MachineConstants& kept) const {
    TrainRulesReading reading{kept, {}};
    MachineConstants& constants = reading.constants;
    // Two pairs and gears used freely are what an unknown rule means; a rule kept as such
    // stays as it was kept.
    constants.pairs = pairs_->isChecked() ? std::optional(3)
                      : kept.pairs        ? std::optional(2)
                                          : std::nullopt;
    constants.useOnce = useOnce_->isChecked() ? std::optional(true)
                        : kept.useOnce        ? std::optional(false)
                                              : std::nullopt;
    const std::pair<TrainConstantKey, const QLineEdit*> fields[] = {
        {TrainConstantKey::FirstGear, first_},
        {TrainConstantKey::LastGear, last_},
        {TrainConstantKey::GearboxPositions, positions_}};
    for (const auto& [key, field] : fields) {
        const std::string text = utf8(field->text().trimmed());
        if (text.empty()) {
            clearConstant(constants, key);
            continue;
        }
        if (const auto problem = setTrainConstantText(constants, key, text)) {
            reading.problem =
                tr("挂轮规则“%1”的值“%2”不能使用：%3。")
                    .arg(QString::fromStdString(trainConstantLabel(key, windowLanguage())),
                         field->text().trimmed(),
                         QString::fromStdString(
                             trainConstantProblemText(*problem, windowLanguage())));
            reading.constants = kept;
            return reading;
        }
    }
    return reading;
}

} // namespace gearsel
