#include "engine/search_request.h"

#include <cmath>
#include <limits>

namespace gearsel {

std::optional<std::string> findProblem(const SearchRequest& request) {
    if (!std::isfinite(request.requiredRatio)) {
        return "the required ratio must be a finite number";
    }
    if (request.requiredRatio == 0.0) {
        return "the required ratio must not be 0";
    }
    if (request.resultCount < 0 || request.resultCount > kMaxResultCount) {
        return "the result count must be between 0 and " + std::to_string(kMaxResultCount);
    }
    if (request.zn < std::numeric_limits<std::int16_t>::min() ||
        request.zn > std::numeric_limits<std::int16_t>::max()) {
        return "the assembly condition Zn must be a 16-bit whole number";
    }
    if (request.gears.size() > static_cast<std::size_t>(kMaxGearCount)) {
        return "a gear list holds at most " + std::to_string(kMaxGearCount) + " gears";
    }
    for (std::int16_t teeth : request.gears) {
        if (teeth < kMinTeeth || teeth > kMaxTeeth) {
            return "tooth count " + std::to_string(teeth) + " is outside " +
                   std::to_string(kMinTeeth) + " to " + std::to_string(kMaxTeeth);
        }
    }
    return std::nullopt;
}

} // namespace gearsel
