// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search fields of the main face and their silent corrections: the required ratio, the
// number of listed trains and the assembly condition, with the two option boxes. Any change
// that makes the shown result stale asks the window to clear it.

#include "engine/quantity.h"
#include "engine/ratio_range.h"

#include <QObject>
#include <functional>
#include <optional>

namespace gearsel {

class MainFace;

class InputFields : public QObject {
    Q_OBJECT
public:
    // `range` gives the reachable ratio range of the current gear list for the repeat option
    // as it stands (nothing when there are no gears).
    InputFields(MainFace& face, std::function<std::optional<RatioRange>()> range,
                QObject* parent = nullptr);

    // The required ratio as last validated (or as a search last read it).
    double requiredRatio() const { return requiredRatio_; }
    void setRequiredRatio(double ratio) { requiredRatio_ = ratio; }
    // The count field's value as a whole number (halves to even), 0 for none or less, as the
    // printed table takes it before the field has corrected it.
    int countFieldValue() const;

    // Puts a ratio worked out elsewhere (the ratio helper) into the ratio field: the field shows
    // it as a typed value would be shown, and the searches use its full precision and its
    // fraction until the user types into the field again. A ratio outside the reachable range
    // is corrected as a typed one is, and then only the corrected value counts.
    void setWorkedOutRatio(const Quantity& ratio);
    // The value a search is to use: the worked-out ratio while it stands, otherwise the
    // field's text read as a number.
    double searchRatio() const;
    // The required ratio's exact fraction: the worked-out ratio's, or that of the short
    // decimal in the field; nothing when it has none.
    std::optional<Fraction> requiredFraction() const;

    // Validates the ratio field as its focus loss does when it was changed: clears the
    // shown result, corrects the value into the reachable range and rewrites the text.
    void validateRatio();

Q_SIGNALS:
    // The shown result no longer matches the inputs.
    void resultsStale();
    // The repeat option changed: the reachable range must be shown again.
    void rangeOptionChanged();

private:
    void connectRatioField();
    void connectCountField();
    void connectZnField();
    void connectOptions();

    MainFace& face_;
    std::function<std::optional<RatioRange>()> range_;
    bool inputsChanged_ = false;
    double requiredRatio_ = 0.0;
    std::optional<Quantity> workedOut_;
};

} // namespace gearsel
