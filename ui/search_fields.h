// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search fields of the main face and their silent corrections: the required ratio, the
// number of listed trains and the assembly condition Zn, with the two option boxes and the
// captions that name them. Any change that makes the shown result stale says so.

#include "engine/quantity.h"
#include "engine/ratio_range.h"
#include "engine/search_request.h"
#include "ui/twips_scale.h"

#include <QObject>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QWidget;

namespace gearsel {

class LineField;

class SearchFields : public QObject {
    Q_OBJECT
public:
    // The reachable ratio range of the current gear list with or without repeated tooth
    // counts; nothing when there are no gears.
    using RangeSource = std::function<std::optional<RatioRange>(bool allowRepeats)>;

    // Creates the fields on the main panel `face`.
    SearchFields(const TwipsScale& scale, QWidget* face, RangeSource range,
                 QObject* parent = nullptr);

    // The search the fields ask for on `gears`; a ratio field that reads as 0 is corrected
    // first, as leaving it would, so that the grid and the field agree.
    SearchRequest searchRequest(std::vector<std::int16_t> gears);
    // The fields' options for `gears` (Zn, single pairs, repeats) as they stand, for work that
    // brings its own ratios: nothing is read from the ratio field and nothing is corrected.
    SearchRequest searchOptions(std::vector<std::int16_t> gears) const;
    bool allowRepeats() const;

    // The required ratio as last validated (or as a search last read it).
    double requiredRatio() const { return requiredRatio_; }
    void setRequiredRatio(double ratio) { requiredRatio_ = ratio; }
    // The required ratio's exact fraction: the worked-out ratio's, or that of the short
    // decimal in the field; nothing when it has none.
    std::optional<Fraction> requiredFraction() const;
    // The ratio worked out elsewhere while it stands in the field; nothing once the user typed.
    const std::optional<Quantity>& workedOutRatio() const { return workedOut_; }
    // The ratio field's text, as the printout shows it.
    QString ratioText() const;
    // The count field's value as a whole number (halves to even), 0 for none or less, as the
    // printed table takes it before the field has corrected it.
    int countFieldValue() const;
    // The number of trains the empty grid shows rows for.
    int listedTrains() const;

public Q_SLOTS:
    // Puts a ratio worked out elsewhere (the ratio helper) into the ratio field: the field
    // shows it as a typed value would be shown, and the searches use its full precision and
    // its fraction until the user types into the field again. A ratio outside the reachable
    // range is corrected as a typed one is, and then only the corrected value counts.
    void setWorkedOutRatio(const Quantity& ratio);
    // Validates the ratio field as its focus loss does when it was changed: clears the
    // shown result, corrects the value into the reachable range and rewrites the text.
    void validateRatio();
    // Shows the Zn of a machine just loaded.
    void showZn(int zn);
    // Shows the starting ratio drawn at load.
    void showStartingRatio(const QString& text);
    // Puts the focus into the ratio field, its text selected.
    void focusRatio();

Q_SIGNALS:
    // The shown result no longer matches the inputs.
    void resultsStale();
    // The repeat option changed: the reachable range must be shown again.
    void rangeOptionChanged();
    // Enter in the count field: the list is wanted.
    void countConfirmed();
    // The ratio field's context menu asked for the ratio helper.
    void ratioHelperRequested();

private:
    void createControls(const TwipsScale& scale, QWidget* face);
    void connectRatioField();
    void connectCountField();
    void connectZnField();
    void connectOptions();
    void offerHelperInContextMenu();
    // The value a search is to use: the worked-out ratio while it stands, otherwise the
    // field's text read as a number.
    double searchRatio() const;

    RangeSource range_;
    LineField* ratio_ = nullptr;       // TSb
    LineField* zn_ = nullptr;          // Tzptj
    LineField* count_ = nullptr;       // Tns
    QCheckBox* repeats_ = nullptr;     // Chk
    QCheckBox* singlePairs_ = nullptr; // CheckZ12
    bool inputsChanged_ = false;
    double requiredRatio_ = 0.0;
    std::optional<Quantity> workedOut_;
};

} // namespace gearsel
