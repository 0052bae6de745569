// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/gear_box_layout.h"

#include <gtest/gtest.h>

namespace gearsel {
namespace {

TEST(BoxLayoutTest, TenColumnsUpToOneHundredFiftyBoxesTwelveAbove) {
    // 15..150: 136 boxes, 14 rows; the row height leaves room for five more rows.
    const auto places = layOutBoxes(136, 8100, 5400, 765);
    ASSERT_EQ(places.size(), 136U);
    EXPECT_EQ(places[0].left, 368); // 8100 / 11 = 736.4 -> 736, half 368
    EXPECT_EQ(places[9].left, 9 * 736 + 368);
    EXPECT_EQ(places[10].left, 368);
    EXPECT_EQ(places[10].top, 765 + 300); // 5400 / (13 + 5)
    EXPECT_EQ(places[135].top, 765 + 13 * 300);
    EXPECT_EQ(layOutBoxes(150, 8100, 5400, 0)[10].left, 368);

    const auto wide = layOutBoxes(151, 8100, 5400, 0);
    EXPECT_EQ(wide[0].left, 312);  // 8100 / 13 = 623.1 -> 623, half 311.5 -> 312
    EXPECT_EQ(wide[12].left, 312); // row break after 12 boxes
    EXPECT_EQ(layOutBoxes(191, 8100, 5400, 0)[12].top, 270); // 5400 / (15 + 5)
    EXPECT_EQ(layOutBoxes(500, 8100, 5400, 0).size(), static_cast<std::size_t>(kGearBoxCount));
}

std::vector<std::string> tickedCaptions(const GearListView& view) {
    std::vector<std::string> out;
    for (const auto& box : view.boxes) {
        if (box.ticked) {
            out.push_back(box.caption);
        }
    }
    return out;
}

TEST(GearListViewTest, RangeFollowsTheGears) {
    const auto view = gearBoxView({20, 25, 30, 40});
    EXPECT_EQ(view.lo, 15);
    EXPECT_EQ(view.hi, 45);
    EXPECT_EQ(view.boxes.size(), 31U);
    EXPECT_TRUE(view.boxes[5].ticked);  // 20
    EXPECT_TRUE(view.boxes[25].ticked); // 40
    EXPECT_EQ(view.boxes[6].caption, "21");
    EXPECT_EQ(tickedCaptions(view), (std::vector<std::string>{"20", "25", "30", "40"}));
    // 5 below the smallest, at least 10; 5 above the largest, at most 200.
    EXPECT_EQ(gearBoxView({12, 60}).lo, 10);
    EXPECT_EQ(gearBoxView({12, 60}).hi, 65);
    EXPECT_EQ(gearBoxView({20, 180, 196}).hi, 200);
}

TEST(GearListViewTest, RepeatedCountsTakeTheNextFreeBoxAndOverflowAfterTheRange) {
    const auto view = gearBoxView({20, 30, 30});
    EXPECT_EQ(view.hi, 35);
    EXPECT_TRUE(view.boxes[15].ticked && view.boxes[16].ticked); // positions of 30 and 31
    EXPECT_EQ(view.boxes[16].caption, "30");
    EXPECT_EQ(tickedCaptions(view), (std::vector<std::string>{"20", "30", "30"}));

    const auto pushed = gearBoxView({20, 20, 21});
    EXPECT_TRUE(pushed.boxes[5].ticked && pushed.boxes[6].ticked && pushed.boxes[7].ticked);
    EXPECT_EQ(pushed.boxes[7].caption, "21");
    // 250 lies above the highest range end, and the last of the 200s is pushed past it.
    const auto beyond = gearBoxView({20, 198, 200, 200, 250});
    EXPECT_EQ(beyond.hi, 200);
    EXPECT_EQ(beyond.extraBoxes, 2);
    EXPECT_EQ(beyond.unshown, 0);
    EXPECT_EQ(tickedCaptions(beyond), (std::vector<std::string>{"20", "198", "200", "200", "250"}));
    // More gears than boxes: the view says how many it cannot show.
    const auto crowded = gearBoxView(std::vector<std::int16_t>(300, 20));
    EXPECT_EQ(static_cast<int>(crowded.boxes.size()), kGearBoxCount);
    EXPECT_EQ(crowded.unshown, 300 - static_cast<int>(tickedCaptions(crowded).size()));
    EXPECT_GT(crowded.unshown, 0);
}

TEST(GearCaptionTest, CaptionsBecomeGearsAsTheGridShowsAndReadsThem) {
    // The cell text rounds halves away from zero and shows 10 for less; reading it back
    // then keeps 10..255.
    EXPECT_EQ(gearCellText("20.5"), "21 ");
    EXPECT_EQ(gearCellText("abc"), "10");
    EXPECT_EQ(gearCellText("9.4"), "10");
    EXPECT_EQ(gearCellText("300"), "300 ");
    EXPECT_EQ(gearFromCell("9 "), 10);
    EXPECT_EQ(gearFromCell("300 "), 255);
    EXPECT_EQ(gearsFromCaptions({"40", "20.5", "9", "abc", "300", "20"}),
              (std::vector<std::int16_t>{10, 10, 20, 21, 40, 255}));
}

} // namespace
} // namespace gearsel
