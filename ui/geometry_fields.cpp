// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/geometry_fields.h"

#include "present/train_constant_text.h"
#include "ui/widget_helpers.h"
#include "ui/window_language.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace gearsel {

namespace {

QString labelOf(TrainConstantKey key) {
    return QString::fromStdString(trainConstantLabel(key, windowLanguage()));
}

} // namespace

GeometryFields::GeometryFields(QWidget* box, QGridLayout* grid, int firstRow) : QObject(box) {
    // What each field takes, in the field while it is empty, and what it means, as its tooltip.
    const std::array<std::pair<QString, QString>, kKeys.size()> hints = {{
        {tr("如 1.5，与径节只填一个"), tr("挂轮的模数（mm）；与径节 DP 只填一个")},
        {tr("如 24，与模数只填一个"), tr("挂轮的径节：分度圆直径每英寸的齿数；与模数只填一个")},
        {tr("如 120（mm）"), tr("第一个主动轮的轴到最后一个从动轮的轴的固定距离（mm）")},
        {tr("如 45-95（mm），空为不限"),
         tr("挂轮架槽能放中间轴的位置：到最后一个从动轮的轴的最小和最大距离（mm）")},
        {tr("如 200（mm），空为不限"), tr("罩壳下放得下的最大齿轮外径 m(z + 2)（mm）")},
    }};
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        const TrainConstantKey key = kKeys[i];
        auto* field = new QLineEdit(box);
        field->setObjectName(QString::fromLatin1(constantName(key)));
        field->setPlaceholderText(hints[i].first);
        field->setToolTip(hints[i].second);
        field->setAccessibleName(labelOf(key));
        field->setAccessibleDescription(hints[i].second);
        auto* label = new QLabel(labelOf(key) + tr("："), box);
        label->setBuddy(field);
        const int row = firstRow + static_cast<int>(i / 2);
        const int col = static_cast<int>(i % 2) * 2;
        grid->addWidget(label, row, col);
        grid->addWidget(field, row, col + 1);
        fields_[i] = field;
    }
}

GeometryFields::Texts GeometryFields::textsOf(const MachineConstants& constants) {
    Texts texts;
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        texts[i] = constantText(constants, kKeys[i]);
    }
    return texts;
}

void GeometryFields::showTexts(const Texts& texts) {
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        fields_[i]->setText(texts[i] ? QString::fromStdString(*texts[i]) : QString());
    }
}

GeometryReading GeometryFields::reading(const MachineConstants& kept) const {
    GeometryReading reading{kept, {}};
    MachineConstants& constants = reading.constants;
    constants.toothSize.reset();
    constants.centre.reset();
    constants.stud.reset();
    constants.maxDiameter.reset();
    // One tooth size: the command line, too, takes a module or a diametral pitch, not both.
    if (!fields_[0]->text().trimmed().isEmpty() && !fields_[1]->text().trimmed().isEmpty()) {
        reading.problem =
            tr("“%1”和“%2”只能填一个：径节 DP = 25.4 / 模数 m。")
                .arg(labelOf(TrainConstantKey::Module), labelOf(TrainConstantKey::DiametralPitch));
        reading.constants = kept;
        return reading;
    }
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        const QString text = fields_[i]->text().trimmed();
        if (text.isEmpty()) {
            continue;
        }
        if (const auto problem = setTrainConstantText(constants, kKeys[i], utf8(text))) {
            reading.problem = tr("机床常数“%1”的值“%2”不能使用：%3。")
                                  .arg(labelOf(kKeys[i]), text,
                                       QString::fromStdString(
                                           trainConstantProblemText(*problem, windowLanguage())));
            reading.constants = kept;
            return reading;
        }
    }
    return reading;
}

} // namespace gearsel
