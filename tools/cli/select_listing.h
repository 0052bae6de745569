// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What "gearsel-cli select" prints of the trains it lists: one row per train, as the result
// grid shows it (one, two or three pairs, each row under its gearbox position where the
// positions are searched together), with its exact ratio and, where the machine's geometry is
// known, whether it fits; as a text table or as JSON.

#include "engine/fraction.h"
#include "engine/gear_train.h"
#include "engine/ratio_range.h"
#include "engine/three_pair_train.h"
#include "engine/train_fit.h"

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace gearsel::cli {

// The ratio a row's train was searched for: the required one, or in a gearbox position the
// required one divided by the position's.
struct RowTarget {
    double ratio = 0.0;
    std::optional<Fraction> fraction; // its exact value, where it has one
};

class SelectListing {
public:
    // `positions`: each row names its gearbox position; `fitColumn`: the 装配 column, for
    // trains whose fit is known.
    SelectListing(int pairs, bool positions, bool fitColumn);

    // Adds train `number` (from 1); `position` is its position's name, `fit` whether it fits
    // (nothing when that is unknown).
    void add(int number, const ResultSlot& slot, const RowTarget& target,
             const std::optional<TrainFit>& fit, const std::string& position = {});
    void add(int number, const ThreePairSlot& slot, const RowTarget& target,
             const std::string& position = {});

    // Prints the table: a heading row, then one row per train.
    void print(std::ostream& out) const;
    // The rows as a JSON array.
    const nlohmann::ordered_json& json() const { return json_; }

private:
    void addCells(std::vector<std::string> teethAndNumbers, const std::string& position,
                  const std::string& fraction, const std::optional<TrainFit>& fit);

    bool positions_;
    bool fitColumn_;
    std::vector<std::vector<std::string>> rows_;
    nlohmann::ordered_json json_ = nlohmann::ordered_json::array();
};

// The "fit" of a row in JSON: {"fits": .., "stud": [x, y] or null, "idler": z or null,
// "problems": [..]}, or null when whether the train fits is unknown.
nlohmann::ordered_json fitJson(const std::optional<TrainFit>& fit);

} // namespace gearsel::cli
