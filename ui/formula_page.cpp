// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/formula_page.h"

#include "ui/widget_helpers.h"
#include "ui/window_language.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace gearsel {

FormulaPage::FormulaPage(Formula formula, QWidget* parent) : QWidget(parent), formula_(formula) {
    const FormulaForm form = formulaForm(formula, windowLanguage());
    auto* layout = new QFormLayout(this);
    auto* equation = new QLabel(QString::fromStdString(form.equation), this);
    equation->setObjectName(QStringLiteral("equation"));
    equation->setWordWrap(true);
    layout->addRow(equation);
    for (std::size_t i = 0; i < form.fields.size(); ++i) {
        const FormField& spec = form.fields[i];
        auto* field = new QLineEdit(QString::fromStdString(spec.startText), this);
        field->setObjectName(QStringLiteral("field%1").arg(i));
        field->setPlaceholderText(QString::fromStdString(spec.hint));
        field->setToolTip(QString::fromStdString(spec.hint));
        connect(field, &QLineEdit::textChanged, this, &FormulaPage::edited);
        layout->addRow(QString::fromStdString(spec.label), field);
        fields_.push_back(field);
    }
}

std::vector<std::string> FormulaPage::texts() const {
    std::vector<std::string> texts;
    texts.reserve(fields_.size());
    for (const QLineEdit* field : fields_) {
        texts.push_back(utf8(field->text()));
    }
    return texts;
}

} // namespace gearsel
