// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which gears a train may take at each of its places: the tooth counts of the gear list as
// often as they occur, a fixed first driver and a fixed last driven gear (mounted beside the
// list when it does not hold them), and whether each gear of the list is used at most once.

#include "base/tooth_limits.h"
#include "engine/search_request.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

namespace gearsel {

class GearStock {
public:
    // The places of a train: its first driver, its last driven gear (z2 of a single pair,
    // z4 of two pairs, z6 of three) and every gear between them.
    enum class Place { First, Middle, Last };

    // `sortedGears` ascending, tooth counts kMinTeeth..kMaxTeeth; the request's own gear list
    // is not read, its fixed gears and its use-once rule are.
    GearStock(std::span<const std::int16_t> sortedGears, const SearchRequest& request);

    // The gears an enumeration walks, ascending: the list and the fixed gears it does not hold.
    const std::vector<std::int16_t>& walked() const { return walked_; }
    // Whether the walked gear at `index` may stand at `place`: a mounted fixed gear only at
    // its own place, and at a fixed place only the fixed tooth count.
    bool fitsAt(std::size_t index, Place place) const {
        return (places_[index] & (1U << static_cast<unsigned>(place))) != 0;
    }

    // False when every gear of the list may stand anywhere, as often as the list holds its
    // tooth count: no fixed gear, no use-once rule.
    bool restricts() const { return restricts_; }

    // How many gears of `teeth` may stand at `place` once the gears `earlier` stand before it
    // in the train: how often an enumeration over the walked gears meets that train there.
    int copiesAt(Place place, int teeth, std::initializer_list<int> earlier = {}) const {
        if ((place == Place::First && firstDriver_ && teeth != *firstDriver_) ||
            (place == Place::Last && lastDriven_ && teeth != *lastDriven_)) {
            return 0;
        }
        int copies = held(teeth) + mounted(place, teeth);
        if (useOnce_) {
            // An earlier gear of the same count took one of the list's copies, unless it was a
            // mounted first driver, which the list does not hold.
            for (const int z : earlier) {
                copies -= z == teeth && held(z) > 0 ? 1 : 0;
            }
        }
        return copies > 0 ? copies : 0;
    }
    // Whether the stock holds the train z1/z2 (a single pair) or (z1/z2) x (z3/z4).
    bool admitsSinglePair(int z1, int z2) const;
    bool admitsTwoPair(int z1, int z2, int z3, int z4) const {
        return copiesAt(Place::First, z1) > 0 && copiesAt(Place::Middle, z2, {z1}) > 0 &&
               copiesAt(Place::Middle, z3, {z1, z2}) > 0 &&
               copiesAt(Place::Last, z4, {z1, z2, z3}) > 0;
    }

    // For three-pair trains, whose drivers and driven gears are taken as groups: how often
    // `teeth` may occur among the three drivers, among the three driven gears, and in the
    // whole train. Placing the fixed gears is left to the arrangement.
    int driverLimit(int teeth) const;
    int drivenLimit(int teeth) const;
    int trainLimit(int teeth) const;

    const std::optional<int>& firstDriver() const { return firstDriver_; }
    const std::optional<int>& lastDriven() const { return lastDriven_; }
    bool useOnce() const { return useOnce_; }

private:
    int held(int teeth) const { return held_[static_cast<std::size_t>(teeth)]; }
    // 1 where a fixed gear of `teeth` is mounted at `place` beside the list, else 0.
    int mounted(Place place, int teeth) const {
        return (place == Place::First && teeth == mountedFirst_) ||
                       (place == Place::Last && teeth == mountedLast_)
                   ? 1
                   : 0;
    }

    std::vector<std::int16_t> walked_;
    std::vector<std::uint8_t> places_; // beside walked_: one bit for each place it may take
    std::array<int, kMaxTeeth + 1> held_{};
    std::optional<int> firstDriver_;
    std::optional<int> lastDriven_;
    int mountedFirst_ = 0; // the tooth count of a mounted first driver, or 0
    int mountedLast_ = 0;
    bool useOnce_ = false;
    bool restricts_ = false;
};

} // namespace gearsel
