// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A quick-change gearbox's lever positions searched together with the change gears: in each
// position the change gears must make the required ratio divided by the gearbox's, and the
// rows of all positions are ranked by relative error.

#include "engine/gearbox_position.h"
#include "engine/quantity.h"
#include "engine/result_list.h"
#include "engine/search_request.h"
#include "engine/selection.h"
#include "engine/three_pair_train.h"

#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace gearsel {

// Why a list of positions cannot be searched. Each surface words it in its own language.
struct PositionProblem {
    enum class Kind {
        NoPositions,      // the list is empty
        NoName,           // a position without a name
        SameName,         // a name given twice (`index` is the second)
        RatioNotPositive, // a ratio that is not a finite number above 0
    };
    Kind kind;
    std::size_t index = 0; // the position at fault
    std::string name = {}; // its name; empty for NoPositions and NoName
};

// Why the positions cannot be searched, or nothing when they can.
std::optional<PositionProblem> findPositionProblem(std::span<const GearboxPosition> positions);

// What the joint searches throw for positions that findPositionProblem() refuses. The surfaces
// word the problem (present/search_problem_text.h); what() only names the exception for a log.
class PositionsRefused : public std::invalid_argument {
public:
    explicit PositionsRefused(const PositionProblem& problem)
        : std::invalid_argument("gearbox positions refused"), problem_(problem) {}
    const PositionProblem& problem() const noexcept { return problem_; }

private:
    PositionProblem problem_;
};

// One row of a joint search: a train for one position.
template <class Slot> struct PositionRow {
    std::size_t position; // index into the positions
    Slot slot;            // the train, its ratio and its absolute error in that position
    double relError;      // absolute error / |the position's required ratio|
};

template <class Slot> struct PositionResults {
    std::vector<Quantity> required;      // each position's ratio for the change gears
    std::vector<PositionRow<Slot>> rows; // at most request.resultCount, best first
    bool cancelled = false;              // stopped on request: `rows` is then empty
};

// The joint list: each position's own list for the ratio `ratio` / its gearbox ratio (the
// request's ratio is not read), and of all their rows the request.resultCount of smallest
// relative error; equal relative errors keep the order of the positions, then of their
// lists. One-pair and two-pair trains as runSelection() lists them, or three-pair trains as
// runThreePairSelection() does. Throws PositionsRefused, or SearchRefused for a request that
// cannot be searched in some position.
PositionResults<ResultSlot> searchPositions(const SearchRequest& request, const Quantity& ratio,
                                            std::span<const GearboxPosition> positions,
                                            EngineKind engine = EngineKind::Production);
// The three-pair search stops where `cancel` asks it to, and then lists nothing.
PositionResults<ThreePairSlot> searchPositionsThreePairs(const SearchRequest& request,
                                                         const Quantity& ratio,
                                                         std::span<const GearboxPosition> positions,
                                                         EngineKind engine = EngineKind::Production,
                                                         const SearchCancel* cancel = nullptr);

} // namespace gearsel
