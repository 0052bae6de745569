// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the tooth-count boxes of the gear-set editor stand, and how a gear list is shown in
// them: one box per tooth count of a range, filled row by row; ticked boxes are the gears.

#include <cstdint>
#include <string>
#include <vector>

namespace gearsel {

// The editor has a fixed pool of boxes.
inline constexpr int kGearBoxCount = 211;
// Limits of the range fields: the first tooth count 10 to 30, the last 100 to 200.
inline constexpr int kRangeStartMin = 10;
inline constexpr int kRangeStartMax = 30;
inline constexpr int kRangeEndMin = 100;
inline constexpr int kRangeEndMax = 200;

struct BoxPlace {
    int left = 0; // twips inside the panel
    int top = 0;
};

// Positions of the `count` visible boxes for a panel `width` x `height` twips whose first
// row starts at `firstTop`: 12 columns for more than 150 boxes, else 10.
std::vector<BoxPlace> layOutBoxes(int count, int width, int height, int firstTop);

struct BoxState {
    bool ticked = false;
    std::string caption; // the tooth count the box stands for
};

struct GearListView {
    int lo = 0;                  // first tooth count of the range
    int hi = 0;                  // last tooth count of the range
    std::vector<BoxState> boxes; // one per box to show, in box order
    // Gears that no box of the range could take (above the range end, or pushed past it by
    // repeated tooth counts). They are shown in extra ticked boxes after the range, so a
    // save keeps them, as long as the pool has room.
    int extraBoxes = 0;
    // Gears that did not fit even into the pool: the list cannot be edited here.
    int unshown = 0;
};

// The range around an ascending gear list (5 below the smallest, at least 10; 5 above the
// largest, at most 200) and the boxes that show it: each gear ticks the first free box at or
// above its own tooth count, captioned with that count.
GearListView gearBoxView(const std::vector<std::int16_t>& sortedGears);

// What the gear grid shows for a ticked box's caption when the editor saves: its number as a
// whole number followed by one blank ("20.5" shows "21 "); a number below 10, or no number,
// shows the "10" it stands for.
std::string gearCellText(const std::string& caption);

// The tooth count a gear-grid cell stands for: its number as a whole number, moved into
// 10..255 ("0 " and "9 " stand for 10, "300 " for 255).
std::int16_t gearFromCell(const std::string& cell);

// The gear list that saving the editor stores for the ticked boxes' captions: each caption
// as the gear grid shows it and reads it back, in ascending order.
std::vector<std::int16_t> gearsFromCaptions(const std::vector<std::string>& captions);

} // namespace gearsel
