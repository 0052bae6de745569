// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/gear_list_text.h"

#include "engine/search_request.h"
#include "tools/cli/strict_number.h"

namespace gearsel::cli {

std::vector<std::int16_t> parseGearList(std::string_view text) {
    std::vector<std::int16_t> gears;
    if (text.find_first_not_of(" \t") == std::string_view::npos) {
        return gears;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = text.substr(start, comma - start);
        if (trimmed(item).empty()) {
            throw UsageError{"the gear list '" + std::string(text) +
                             "' has an empty item: tooth counts are separated by single commas"};
        }
        gears.push_back(
            static_cast<std::int16_t>(parseInt(item, "tooth count", kMinTeeth, kMaxTeeth)));
        if (gears.size() > static_cast<std::size_t>(kMaxGearCount)) {
            throw UsageError{"a gear list holds at most " + std::to_string(kMaxGearCount) +
                             " gears"};
        }
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    return gears;
}

std::string gearListText(const std::vector<std::int16_t>& gears) {
    std::string text;
    for (std::size_t i = 0; i < gears.size(); ++i) {
        if (i > 0) {
            text.push_back(',');
        }
        text += std::to_string(gears[i]);
    }
    return text;
}

} // namespace gearsel::cli
