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

bool GearStock::admitsSinglePair(int z1, int z2) const {
    return copiesAt(Place::First, z1) > 0 && copiesAt(Place::Last, z2, {z1}) > 0;
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
