// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/reference_search.h"

#include "engine/gear_stock.h"
#include "engine/reference_ranking.h"
#include "engine/train_walk.h"

namespace gearsel {

ResultList enumerateReference(std::span<const std::int16_t> sortedGears,
                              const SearchRequest& request) {
    ReferenceRanking ranking(request.resultCount, request.zn, request.allowRepeats);
    walkEveryTrain(GearStock(sortedGears, request), request, ranking);
    return ranking.takeResults();
}

} // namespace gearsel
