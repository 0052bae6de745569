// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One formula of the ratio helper as a page: the formula with its symbols, and a field for
// each of the job's own inputs.

#include "present/formula_form.h"

#include <QWidget>
#include <string>
#include <vector>

class QLineEdit;

namespace gearsel {

class FormulaPage : public QWidget {
    Q_OBJECT
public:
    explicit FormulaPage(Formula formula, QWidget* parent = nullptr);

    Formula formula() const { return formula_; }
    // The fields' texts in the order the form lists them.
    std::vector<std::string> texts() const;

Q_SIGNALS:
    void edited();

private:
    Formula formula_;
    std::vector<QLineEdit*> fields_;
};

} // namespace gearsel
