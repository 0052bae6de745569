// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/constants_box.h"

#include "present/constant_text.h"

#include "ui/widget_helpers.h"
#include "ui/window_language.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace gearsel {

ConstantsBox::ConstantsBox(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("ConstantsBox"));
    auto* grid = new QGridLayout(this);
    for (std::size_t i = 0; i < kConstantKeys.size(); ++i) {
        const ConstantKey key = kConstantKeys[i];
        auto* field = new QLineEdit(this);
        field->setObjectName(QString::fromLatin1(constantName(key)));
        const QString hint = QString::fromStdString(constantHint(key, windowLanguage()));
        field->setPlaceholderText(hint);
        field->setToolTip(hint);
        connect(field, &QLineEdit::textEdited, this, &ConstantsBox::edited);
        auto* label = new QLabel(
            QString::fromStdString(constantLabel(key, windowLanguage())) + tr("："), this);
        label->setBuddy(field);
        // Two pairs of label and field per line.
        const int row = static_cast<int>(i / 2);
        const int col = static_cast<int>(i % 2) * 2;
        grid->addWidget(label, row, col);
        grid->addWidget(field, row, col + 1);
        fields_[i] = field;
    }
    // The geometry below them, on the same columns; the command beside its last field.
    const int geometryRow = static_cast<int>((kConstantKeys.size() + 1) / 2);
    geometry_ = new GeometryFields(this, grid, geometryRow);
    keep_ = new QPushButton(tr("保存为本机常数"), this);
    keep_->setObjectName(QStringLiteral("keepConstants"));
    keep_->setAutoDefault(false);
    keep_->setToolTip(tr("记住这些常数，下次选这台机床时自动填入"));
    grid->addWidget(keep_, geometryRow + static_cast<int>(GeometryFields::kKeys.size() / 2), 2, 1,
                    2, Qt::AlignRight);
    connect(keep_, &QPushButton::clicked, this, &ConstantsBox::keepRequested);
}

ConstantsBox::ConstantTexts ConstantsBox::textsOf(const MachineConstants& constants) {
    ConstantTexts texts;
    for (std::size_t i = 0; i < kConstantKeys.size(); ++i) {
        texts.first[i] = constantText(constants, kConstantKeys[i]);
    }
    texts.second = GeometryFields::textsOf(constants);
    return texts;
}

bool ConstantsBox::showConstants(const QString& machineName, const MachineConstants& constants,
                                 bool canKeep) {
    const ConstantTexts kept = textsOf(constants);
    const ConstantsReading typed = reading();
    const GeometryReading typedGeometry = geometry_->reading(typed.constants);
    const bool typedAsKept = typed.problem.empty() && typedGeometry.problem.isEmpty() &&
                             kept == textsOf(typedGeometry.constants);
    const bool asLeft = shownMachine_ == machineName && (kept == shownTexts_ || typedAsKept);
    shownMachine_ = machineName;
    shownTexts_ = kept;
    if (asLeft) {
        return false;
    }
    setTitle(canKeep ? tr("机床常数（%1）").arg(machineName) : tr("机床常数"));
    for (std::size_t i = 0; i < kConstantKeys.size(); ++i) {
        const auto& text = kept.first[i];
        fields_[i]->setText(text ? QString::fromStdString(*text) : QString());
    }
    geometry_->showTexts(kept.second);
    keep_->setEnabled(canKeep);
    return true;
}

ConstantsReading ConstantsBox::reading() const {
    std::array<std::string, kConstantKeys.size()> texts;
    for (std::size_t i = 0; i < kConstantKeys.size(); ++i) {
        texts[i] = utf8(fields_[i]->text());
    }
    return readConstantTexts(texts, windowLanguage());
}

GeometryReading ConstantsBox::geometryReading(const MachineConstants& kept) const {
    return geometry_->reading(kept);
}

} // namespace gearsel
