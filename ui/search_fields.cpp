// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/search_fields.h"

#include "engine/decimal_fraction.h"
#include "engine/number_text.h"
#include "present/input_rules.h"
#include "ui/line_field.h"
#include "ui/ui_style.h"
#include "ui/widget_helpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <memory>

namespace gearsel {

SearchFields::SearchFields(const TwipsScale& scale, QWidget* face, RangeSource range,
                           QObject* parent)
    : QObject(parent), range_(std::move(range)) {
    createControls(scale, face);
    connectRatioField();
    connectCountField();
    connectZnField();
    connectOptions();
    offerHelperInContextMenu();
}

void SearchFields::createControls(const TwipsScale& scale, QWidget* face) {
    const auto field = [&](const char* name, QRect place, const QString& text) {
        auto* f = new LineField(face);
        f->setObjectName(QString::fromLatin1(name));
        f->setGeometry(place);
        f->setAlignment(Qt::AlignCenter);
        f->setFont(style::song(scale.points(10.5)));
        f->setText(text);
        setColour(f, QPalette::Base, style::kFieldBack);
        return f;
    };
    const auto option = [&](const char* name, QRect place, const QString& text,
                            const QString& toolTip) {
        auto* box = new QCheckBox(text, face);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(place);
        box->setToolTip(toolTip);
        box->setChecked(true);
        // A check box fills its background with the Button role unless told otherwise.
        box->setBackgroundRole(QPalette::Window);
        box->setAutoFillBackground(true);
        setColour(box, QPalette::Window, style::kPanelBack);
        return box;
    };

    // Each field is named by its caption.
    const QString shaft = tr("传动轴的粗细相当于一个多少齿数的齿轮");
    zn_ = field("Tzptj", scale.rect(3210, 1778, 495, 315), QStringLiteral("15"));
    zn_->setToolTip(shaft);
    makeCaption(face, "Label3", QPoint(scale.x(2265), scale.y(1845)), tr("装配条件："), shaft)
        ->setBuddy(zn_);
    count_ = field("Tns", scale.rect(5070, 1770, 465, 315), QStringLiteral("5"));
    makeCaption(face, "Label6", QPoint(scale.x(4020), scale.y(1845)), tr("列表组数："),
                tr("请在右边方框中输入要求的选配结果列表组数"))
        ->setBuddy(count_);
    ratio_ = field("TSb", scale.rect(5055, 1358, 1095, 315), QStringLiteral("1.23456"));
    // Its caption is a command of its own (the ratio helper), so the field is named here.
    ratio_->setAccessibleName(tr("要求速比"));
    repeats_ = option("Chk", scale.rect(6435, 1358, 1635, 315), tr("允许重复选择："),
                      tr("是否允许重复选择相同齿数的齿轮"));
    singlePairs_ = option("CheckZ12", scale.rect(6435, 1778, 1635, 315), tr("包括单对选配："),
                          tr("是否包括单对选配的齿轮组合"));
}

SearchRequest SearchFields::searchRequest(std::vector<std::int16_t> gears) {
    SearchRequest request = searchOptions(std::move(gears));
    request.resultCount = listedTrainsFromText(utf8(count_->text()));
    if (searchRatio() == 0.0) {
        // A ratio of 0 cannot be searched: correct the field first, as leaving it would.
        validateRatio();
    }
    request.requiredRatio = searchRatio();
    return request;
}

SearchRequest SearchFields::searchOptions(std::vector<std::int16_t> gears) const {
    SearchRequest request;
    request.zn = znWhileTyping(utf8(zn_->text()));
    request.gears = std::move(gears);
    request.includeSinglePairs = singlePairs_->isChecked();
    request.allowRepeats = repeats_->isChecked();
    return request;
}

bool SearchFields::allowRepeats() const {
    return repeats_->isChecked();
}

int SearchFields::countFieldValue() const {
    return readWholeNumber(utf8(count_->text()), 0, kMaxListedTrains);
}

int SearchFields::listedTrains() const {
    return listedTrainsFromText(utf8(count_->text()));
}

QString SearchFields::ratioText() const {
    return ratio_->text();
}

void SearchFields::setWorkedOutRatio(const Quantity& ratio) {
    Q_EMIT resultsStale();
    const RatioCorrection corrected = correctRequiredRatio(ratio.value(), range_(allowRepeats()));
    ratio_->setText(QString::fromStdString(corrected.text));
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

double SearchFields::searchRatio() const {
    return workedOut_ ? workedOut_->value() : readNumber(utf8(ratio_->text()));
}

std::optional<Fraction> SearchFields::requiredFraction() const {
    if (workedOut_) {
        return workedOut_->fraction();
    }
    // Only a plain decimal counts: it is what the search reads from the field.
    return decimalFraction(utf8(ratio_->text().trimmed()));
}

void SearchFields::validateRatio() {
    inputsChanged_ = false;
    workedOut_.reset();
    Q_EMIT resultsStale();
    const RatioCorrection corrected =
        correctRequiredRatio(utf8(ratio_->text()), range_(allowRepeats()));
    requiredRatio_ = corrected.value;
    ratio_->setText(QString::fromStdString(corrected.text));
    // Writing the text counts as a change even when it reads the same.
    inputsChanged_ = true;
}

void SearchFields::showZn(int zn) {
    zn_->setText(QString::number(zn));
}

void SearchFields::showStartingRatio(const QString& text) {
    ratio_->setText(text);
}

void SearchFields::focusRatio() {
    ratio_->setFocus(Qt::OtherFocusReason);
}

void SearchFields::connectRatioField() {
    connect(ratio_, &QLineEdit::textChanged, this, [this] { inputsChanged_ = true; });
    // Typing replaces a worked-out ratio; the program's own rewrites of the text do not.
    connect(ratio_, &QLineEdit::textEdited, this, [this] { workedOut_.reset(); });
    connect(ratio_, &LineField::enterPressed, this, [this] { count_->setFocus(); });
    connect(ratio_, &LineField::focusLost, this, [this] {
        if (inputsChanged_) {
            validateRatio();
        }
    });
}

void SearchFields::connectCountField() {
    connect(count_, &QLineEdit::textChanged, this, [this] { inputsChanged_ = true; });
    connect(count_, &LineField::enterPressed, this, &SearchFields::countConfirmed);
    connect(count_, &LineField::focusLost, this, [this] {
        // A count below 1, without a number or beyond the limit shows the bound it uses.
        if (auto text = correctedListedTrainsText(utf8(count_->text()))) {
            count_->setText(QString::fromStdString(*text));
        }
        if (inputsChanged_) {
            inputsChanged_ = false;
            Q_EMIT resultsStale();
        }
    });
}

void SearchFields::connectZnField() {
    connect(zn_, &QLineEdit::textChanged, this, [this] { inputsChanged_ = true; });
    connect(zn_, &LineField::enterPressed, this, [this] { count_->setFocus(); });
    connect(zn_, &LineField::focusLost, this, [this] {
        const ZnCorrection corrected = clampZn(utf8(zn_->text()));
        if (corrected.text) {
            zn_->setText(QString::fromStdString(*corrected.text));
        }
        if (inputsChanged_) {
            inputsChanged_ = false;
            Q_EMIT resultsStale();
        }
    });
}

void SearchFields::connectOptions() {
    connect(repeats_, &QCheckBox::toggled, this, [this] {
        Q_EMIT resultsStale();
        Q_EMIT rangeOptionChanged();
    });
    connect(singlePairs_, &QCheckBox::toggled, this, &SearchFields::resultsStale);
}

void SearchFields::offerHelperInContextMenu() {
    ratio_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ratio_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        // The field's own commands (undo, copy, paste ...) stay, with the helper below them.
        std::unique_ptr<QMenu> menu(ratio_->createStandardContextMenu());
        menu->setObjectName(QStringLiteral("ratioMenu"));
        menu->addSeparator();
        QAction* helper = menu->addAction(tr("速比计算…"));
        helper->setObjectName(QStringLiteral("openRatioHelper"));
        // Opened once the menu has closed, so that the helper gets the focus.
        connect(helper, &QAction::triggered, this,
                [this] { QTimer::singleShot(0, this, &SearchFields::ratioHelperRequested); });
        menu->exec(ratio_->mapToGlobal(at));
    });
}

} // namespace gearsel
