// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input_fields.h"

#include "engine/decimal_fraction.h"
#include "engine/number_text.h"
#include "present/input_rules.h"
#include "ui/line_field.h"
#include "ui/main_face.h"
#include "ui/widget_helpers.h"

#include <QCheckBox>
#include <QTableWidget>

namespace gearsel {

InputFields::InputFields(MainFace& face, std::function<std::optional<RatioRange>()> range,
                         QObject* parent)
    : QObject(parent), face_(face), range_(std::move(range)) {
    connectRatioField();
    connectCountField();
    connectZnField();
    connectOptions();
}

int InputFields::countFieldValue() const {
    return readWholeNumber(utf8(face_.fields().Tns->text()), 0, kMaxListedTrains);
}

void InputFields::setWorkedOutRatio(const Quantity& ratio) {
    Q_EMIT resultsStale();
    const RatioCorrection corrected = correctRequiredRatio(ratio.value(), range_());
    face_.fields().TSb->setText(QString::fromStdString(corrected.text));
    // The text now shown is already validated; leaving the field must not round it.
    inputsChanged_ = false;
    if (corrected.value == ratio.value()) {
        workedOut_ = ratio;
        requiredRatio_ = ratio.value();
    } else {
        workedOut_.reset();
        requiredRatio_ = corrected.value;
    }
}

double InputFields::searchRatio() const {
    return workedOut_ ? workedOut_->value() : readNumber(utf8(face_.fields().TSb->text()));
}

std::optional<Fraction> InputFields::requiredFraction() const {
    if (workedOut_) {
        return workedOut_->fraction();
    }
    // Only a plain decimal counts: it is what the search reads from the field.
    return decimalFraction(utf8(face_.fields().TSb->text().trimmed()));
}

void InputFields::validateRatio() {
    inputsChanged_ = false;
    workedOut_.reset();
    Q_EMIT resultsStale();
    const RatioCorrection corrected =
        correctRequiredRatio(utf8(face_.fields().TSb->text()), range_());
    requiredRatio_ = corrected.value;
    face_.fields().TSb->setText(QString::fromStdString(corrected.text));
    // Writing the text counts as a change even when it reads the same.
    inputsChanged_ = true;
}

void InputFields::connectRatioField() {
    LineField* field = face_.fields().TSb;
    connect(field, &QLineEdit::textChanged, this, [this] { inputsChanged_ = true; });
    // Typing replaces a worked-out ratio; the program's own rewrites of the text do not.
    connect(field, &QLineEdit::textEdited, this, [this] { workedOut_.reset(); });
    connect(field, &LineField::enterPressed, this, [this] { face_.fields().Tns->setFocus(); });
    connect(field, &LineField::focusLost, this, [this] {
        if (inputsChanged_) {
            validateRatio();
        }
    });
}

void InputFields::connectCountField() {
    LineField* field = face_.fields().Tns;
    connect(field, &QLineEdit::textChanged, this, [this] { inputsChanged_ = true; });
    connect(field, &LineField::enterPressed, this,
            [this] { face_.resultGrid().widget()->setFocus(); });
    connect(field, &LineField::focusLost, this, [this, field] {
        // A count below 1, without a number or beyond the limit shows the bound it uses.
        if (auto text = correctedListedTrainsText(utf8(field->text()))) {
            field->setText(QString::fromStdString(*text));
        }
        if (inputsChanged_) {
            inputsChanged_ = false;
            Q_EMIT resultsStale();
        }
    });
}

void InputFields::connectZnField() {
    LineField* field = face_.fields().Tzptj;
    connect(field, &QLineEdit::textChanged, this, [this] { inputsChanged_ = true; });
    connect(field, &LineField::enterPressed, this, [this] { face_.fields().Tns->setFocus(); });
    connect(field, &LineField::focusLost, this, [this, field] {
        const ZnCorrection corrected = clampZn(utf8(field->text()));
        if (corrected.text) {
            field->setText(QString::fromStdString(*corrected.text));
        }
        if (inputsChanged_) {
            inputsChanged_ = false;
            Q_EMIT resultsStale();
        }
    });
}

void InputFields::connectOptions() {
    connect(face_.fields().Chk, &QCheckBox::toggled, this, [this] {
        Q_EMIT resultsStale();
        Q_EMIT rangeOptionChanged();
    });
    connect(face_.fields().CheckZ12, &QCheckBox::toggled, this, [this] { Q_EMIT resultsStale(); });
}

} // namespace gearsel
