// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/gear_stock.h"

#include <algorithm>
#include <utility>

namespace gearsel {

GearStock::GearStock(std::span<const std::int16_t> sortedGears, const SearchRequest& request)
    : firstDriver_(request.firstDriver), lastDriven_(request.lastDriven), useOnce_(request.useOnce),
      restricts_(request.firstDriver || request.lastDriven || request.useOnce) {
    for (const std::int16_t teeth : sortedGears) {
        ++held_[static_cast<std::size_t>(teeth)];
    }
    if (firstDriver_ && held(*firstDriver_) == 0) {
        mountedFirst_ = *firstDriver_;
    }
    if (lastDriven_ && held(*lastDriven_) == 0) {
        mountedLast_ = *lastDriven_;
    }
    // The mounted gears go in their places among the list's, so the walk stays ascending.
    using Gear = std::pair<std::int16_t, std::optional<Place>>; // a mounted gear's only place
    std::vector<Gear> gears;
    gears.reserve(sortedGears.size() + 2);
    for (const std::int16_t teeth : sortedGears) {
        gears.emplace_back(teeth, std::nullopt);
    }
    if (mountedFirst_ != 0) {
        gears.emplace_back(static_cast<std::int16_t>(mountedFirst_), Place::First);
    }
    if (mountedLast_ != 0) {
        gears.emplace_back(static_cast<std::int16_t>(mountedLast_), Place::Last);
    }
    std::stable_sort(gears.begin(), gears.end(),
                     [](const Gear& x, const Gear& y) { return x.first < y.first; });
    const auto bit = [](Place place) { return 1U << static_cast<unsigned>(place); };
    for (const auto& [teeth, only] : gears) {
        walked_.push_back(teeth);
        unsigned places = 0;
        for (const Place place : {Place::First, Place::Middle, Place::Last}) {
            if (only ? place == *only : copiesAt(place, teeth) > 0) {
                places |= bit(place);
            }
        }
        places_.push_back(static_cast<std::uint8_t>(places));
    }
}

int GearStock::mounted(Place place, int teeth) const {
    return (place == Place::First && teeth == mountedFirst_) ||
                   (place == Place::Last && teeth == mountedLast_)
               ? 1
               : 0;
}

int GearStock::copiesAt(Place place, int teeth, std::initializer_list<int> earlier) const {
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
    return std::max(copies, 0);
}

bool GearStock::admitsSinglePair(int z1, int z2) const {
    return copiesAt(Place::First, z1) > 0 && copiesAt(Place::Last, z2, {z1}) > 0;
}

bool GearStock::admitsTwoPair(int z1, int z2, int z3, int z4) const {
    return copiesAt(Place::First, z1) > 0 && copiesAt(Place::Middle, z2, {z1}) > 0 &&
           copiesAt(Place::Middle, z3, {z1, z2}) > 0 && copiesAt(Place::Last, z4, {z1, z2, z3}) > 0;
}

int GearStock::driverLimit(int teeth) const {
    const int own = teeth == mountedFirst_ ? 1 : 0;
    return useOnce_ ? held(teeth) + own : held(teeth) > 0 ? 3 : own;
}

int GearStock::drivenLimit(int teeth) const {
    const int own = teeth == mountedLast_ ? 1 : 0;
    return useOnce_ ? held(teeth) + own : held(teeth) > 0 ? 3 : own;
}

int GearStock::trainLimit(int teeth) const {
    const int own = (teeth == mountedFirst_ ? 1 : 0) + (teeth == mountedLast_ ? 1 : 0);
    return useOnce_ ? held(teeth) + own : held(teeth) > 0 ? 6 : own;
}

} // namespace gearsel
