// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/gear_box_layout.h"

#include "engine/number_text.h"
#include "engine/search_request.h"

#include <algorithm>
#include <cmath>

namespace gearsel {

std::vector<BoxPlace> layOutBoxes(int count, int width, int height, int firstTop) {
    count = std::clamp(count, 0, kGearBoxCount);
    const int cols = count > 150 ? 12 : 10;
    const int colW = static_cast<int>(roundHalfEven(static_cast<double>(width) / (cols + 1)));
    const int half = static_cast<int>(roundHalfEven(colW / 2.0));
    // Whole rows of boxes: the room left for five more rows sets the row height.
    const int fullRows = count / cols;
    const double rowH = static_cast<double>(height) / (fullRows + 5);
    std::vector<BoxPlace> places;
    places.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int row = i / cols;
        places.push_back(BoxPlace{(i % cols) * colW + half,
                                  static_cast<int>(std::lround(row * rowH + firstTop))});
    }
    return places;
}

GearListView gearBoxView(const std::vector<std::int16_t>& sortedGears) {
    GearListView view;
    if (sortedGears.empty()) {
        view.lo = kRangeStartMin;
        view.hi = kRangeEndMin;
    } else {
        view.lo = std::max(kRangeStartMin, sortedGears.front() - 5);
        view.hi = std::min(kRangeEndMax, sortedGears.back() + 5);
    }
    const std::size_t n = sortedGears.size();
    std::size_t k = 0;
    for (int t = view.lo; t <= view.hi; ++t) {
        if (k < n && sortedGears[k] <= t) {
            view.boxes.push_back(BoxState{true, std::to_string(sortedGears[k])});
            ++k;
        } else {
            view.boxes.push_back(BoxState{false, std::to_string(t)});
        }
    }
    for (; k < n; ++k) {
        if (static_cast<int>(view.boxes.size()) >= kGearBoxCount) {
            view.unshown = static_cast<int>(n - k);
            break;
        }
        view.boxes.push_back(BoxState{true, std::to_string(sortedGears[k])});
        ++view.extraBoxes;
    }
    return view;
}

std::string gearCellText(const std::string& caption) {
    const std::string text = formatFixed(readNumber(caption), 0) + " ";
    return readWholeNumber(text, 0, kMinTeeth) < kMinTeeth ? std::to_string(kMinTeeth) : text;
}

std::int16_t gearFromCell(const std::string& cell) {
    return static_cast<std::int16_t>(readWholeNumber(cell, kMinTeeth, kMaxTeeth));
}

std::vector<std::int16_t> gearsFromCaptions(const std::vector<std::string>& captions) {
    std::vector<std::int16_t> gears;
    gears.reserve(captions.size());
    for (const std::string& caption : captions) {
        gears.push_back(gearFromCell(gearCellText(caption)));
    }
    std::sort(gears.begin(), gears.end());
    return gears;
}

} // namespace gearsel
