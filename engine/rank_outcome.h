// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a ranking did with one candidate train.

namespace gearsel {

enum class RankOutcome {
    Listed,        // inserted at the place its error earns
    Unfit,         // fails the second assembly condition or carries a forbidden repeat
    AlreadyListed, // the identical train is listed at or before its place
    Rearranged,    // another arrangement of its gears is listed at or before its place
    NoPlace,       // every slot is at least as good; the limit drops to the last slot's error
};

} // namespace gearsel
