// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/walk_ranking.h"

#include <utility>

namespace gearsel {

WalkRanking::WalkRanking(int count, int zn, bool allowRepeats, int scanUpTo)
    : scan_(count, zn, allowRepeats, SlotScan::FilledSlots), count_(count), zn_(zn),
      allowRepeats_(allowRepeats), scanUpTo_(scanUpTo) {}

void WalkRanking::switchOver() {
    ordered_.emplace(count_, zn_, allowRepeats_);
    ordered_->takeOver(std::move(scan_).results());
}

ResultList WalkRanking::results() && {
    return ordered_ ? ordered_->results() : std::move(scan_).results();
}

} // namespace gearsel
