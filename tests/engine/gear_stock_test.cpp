// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed gears, gears used once and trains that fit: how often each place of a train may take a
// tooth count, and the one- and two-pair lists they give, worked out by hand and checked on
// both engines.

#include "engine/gear_stock.h"
#include "engine/selection.h"

#include <gtest/gtest.h>
#include <span>
#include <tuple>

namespace gearsel {
namespace {

using Place = GearStock::Place;

SearchRequest withRules(std::optional<int> first, std::optional<int> last, bool once) {
    SearchRequest request;
    request.firstDriver = first;
    request.lastDriven = last;
    request.useOnce = once;
    return request;
}

TEST(GearStockTest, CopiesAtEachPlace) {
    const std::vector<std::int16_t> gears = {20, 20, 20, 30};
    const struct {
        const char* name;
        SearchRequest rules;
        Place place;
        int teeth;
        std::initializer_list<int> earlier;
        int copies;
    } rows[] = {
        {"every copy, however often used",
         withRules({}, {}, false),
         Place::Middle,
         20,
         {20, 20},
         3},
        {"once: the first of three", withRules({}, {}, true), Place::First, 20, {}, 3},
        {"once: one taken", withRules({}, {}, true), Place::Middle, 20, {20}, 2},
        {"once: all taken", withRules({}, {}, true), Place::Last, 20, {20, 20, 20}, 0},
        {"once: another count", withRules({}, {}, true), Place::Last, 30, {20, 20, 20}, 1},
        {"once: the single 30 taken", withRules({}, {}, true), Place::Last, 30, {30}, 0},
        {"not held", withRules({}, {}, false), Place::Middle, 25, {}, 0},
        {"fixed first held", withRules(20, {}, true), Place::First, 20, {}, 3},
        {"fixed first excludes others", withRules(20, {}, false), Place::First, 30, {}, 0},
        {"fixed first held, used again", withRules(20, {}, true), Place::Middle, 20, {20}, 2},
        {"mounted first", withRules(25, {}, true), Place::First, 25, {}, 1},
        {"mounted first only there", withRules(25, {}, false), Place::Middle, 25, {25}, 0},
        {"mounted first takes no copy", withRules(25, {}, true), Place::Last, 20, {25}, 3},
        {"mounted last", withRules({}, 25, true), Place::Last, 25, {20, 20}, 1},
        {"mounted last only there", withRules({}, 25, false), Place::First, 25, {}, 0},
        {"fixed last excludes others", withRules({}, 30, false), Place::Last, 20, {}, 0},
        {"both mounted: two gears", withRules(25, 25, true), Place::Last, 25, {25, 20, 30}, 1},
    };
    for (const auto& row : rows) {
        const GearStock stock(gears, row.rules);
        EXPECT_EQ(stock.copiesAt(row.place, row.teeth, row.earlier), row.copies) << row.name;
    }
}

TEST(GearStockTest, MountedGearsJoinTheWalkAtTheirOwnPlace) {
    const std::vector<std::int16_t> gears = {20, 30};
    const GearStock stock(gears, withRules(25, 40, false));
    EXPECT_EQ(stock.walked(), (std::vector<std::int16_t>{20, 25, 30, 40}));
    const auto places = [&](std::size_t at) {
        return std::tuple(stock.fitsAt(at, Place::First), stock.fitsAt(at, Place::Middle),
                          stock.fitsAt(at, Place::Last));
    };
    EXPECT_EQ(places(0), std::tuple(false, true, false)); // 20: not the fixed count
    EXPECT_EQ(places(1), std::tuple(true, false, false)); // the mounted 25
    EXPECT_EQ(places(3), std::tuple(false, false, true)); // the mounted 40
    EXPECT_TRUE(stock.restricts());
    EXPECT_FALSE(GearStock(gears, SearchRequest{}).restricts());

    // Three-pair trains take drivers and driven gears as groups of three.
    const GearStock once(std::vector<std::int16_t>{20, 20, 30}, withRules(25, {}, true));
    EXPECT_EQ(once.driverLimit(20), 2);
    EXPECT_EQ(once.driverLimit(25), 1);
    EXPECT_EQ(once.drivenLimit(25), 0);
    EXPECT_EQ(once.trainLimit(20), 2);
    EXPECT_EQ(once.trainLimit(25), 1);
}

// One filled slot as the tests write it: the train and the repeat mark.
using Row = std::tuple<int, int, int, int, bool>;

void expectRows(const SearchRequest& request, const std::vector<Row>& expected) {
    for (const EngineKind engine : {EngineKind::Production, EngineKind::Reference}) {
        const ResultList list = runSelection(request, engine).results;
        std::vector<Row> rows;
        for (const ResultSlot& s : std::span(list.slots).first(list.filledCount())) {
            rows.emplace_back(s.train.z1, s.train.z2, s.train.z3, s.train.z4, s.repeat);
        }
        EXPECT_EQ(rows, expected) << (engine == EngineKind::Production ? "fast" : "reference");
    }
}

TEST(FilteredSelectionTest, UseOnceNeedsACopyForEachPlace) {
    // 30/60 x 30/60 hits 0.25, then 30/30 x 30/60 and 30/60 lie 0.25 away. Used once, a set of
    // one gear each makes single pairs only, and 60/30 lies 1.75 away, beyond every slot's
    // 1.0; two gears of each count make 30/60 x 30/60 again, but no train of three 30s.
    SearchRequest request{{30, 60}, 0.25, 3, 15, true, true};
    expectRows(request, {{30, 60, 30, 60, true}, {30, 30, 30, 60, true}, {30, 60, 0, 0, false}});
    request.useOnce = true;
    expectRows(request, {{30, 60, 0, 0, false}});
    request.gears = {30, 30, 60, 60};
    expectRows(request, {{30, 60, 30, 60, true}, {30, 60, 0, 0, false}, {30, 30, 0, 0, true}});
}

TEST(FilteredSelectionTest, FixedFirstDriver) {
    // With z1 = 40: 40/40 x 20/80 and 40/80 x 40/80 hit 0.25, met in that order (40/80 x
    // 20/40 fails z2 + 15 < z3 + z4); 40/80 x 20/80 = 0.125 follows. Without the fixed gear,
    // 20/40 x 40/80 and the others beginning with 20 come first.
    SearchRequest request{{20, 40, 80}, 0.25, 3, 15, true, true};
    request.firstDriver = 40;
    expectRows(request, {{40, 40, 20, 80, true}, {40, 80, 40, 80, true}, {40, 80, 20, 80, true}});
}

TEST(FilteredSelectionTest, MountedLastGearIsUsedNowhereElse) {
    // A 100 the set lacks ends every train: 20/20 x 20/100, then 20/40 x 40/100 and the single
    // pair 20/100, all 0.2 exactly. 40/40 x 20/100 ties too, but its drivers exchanged are the
    // listed 20/40 x 40/100. 20/40 x 20/100 = 0.1 and 40/20 x 20/100 = 0.4 come next; 100
    // never drives or sits between.
    SearchRequest request{{20, 40}, 0.2, 5, 15, true, true};
    request.lastDriven = 100;
    expectRows(request, {{20, 20, 20, 100, true},
                         {20, 40, 40, 100, true},
                         {20, 100, 0, 0, false},
                         {20, 40, 20, 100, true},
                         {40, 20, 20, 100, true}});
}

TEST(FilteredSelectionTest, FitOnlyListsTheBestTrainsThatFit) {
    // Module 1, centre 45, stud 40..45 from the output shaft: a two-pair train fits when
    // 80 <= z3 + z4 <= 90 (its a2 = (z3 + z4) / 2; every a1 then reaches, as |a1 - a2| <= 50
    // and a1 + a2 >= 50 > 45). A single pair meshes directly at z1 + z2 = 90, else through an
    // idler zi of the set with 80 <= zi + z2 <= 90. For 0.5 the list without the rule starts
    // 20/20 x 20/40 (z3 + z4 = 60), 20/30 x 30/40 (70): neither fits. 20/40 takes the idler 50
    // (40 is its own): 90. 20/40 x 40/40: 80. 20/50 x 50/40: 90. All three are exact.
    SearchRequest request{{20, 30, 40, 50, 60}, 0.5, 3, 15, true, true};
    expectRows(request, {{20, 20, 20, 40, true}, {20, 30, 30, 40, true}, {20, 40, 0, 0, false}});
    request.fitGeometry = MachineGeometry{{ToothSize::Unit::Module, 1.0}, 45.0, {{40.0, 45.0}}, {}};
    expectRows(request, {{20, 40, 0, 0, false}, {20, 40, 40, 40, true}, {20, 50, 50, 40, true}});
    // Without the 50, 20/40 has no idler: 40 is the only count in 40..50 and the pair's own.
    // The exact trains that fit are then 20/40 x 40/40, 30/20 x 20/60 (80) and 30/30 x 30/60
    // (90); 30/60 would mesh directly (90) but comes later.
    request.gears = {20, 30, 40, 60};
    expectRows(request, {{20, 40, 40, 40, true}, {30, 20, 20, 60, true}, {30, 30, 30, 60, true}});
    // A second 40 is an idler for 20/40.
    request.gears = {20, 30, 40, 40, 60};
    expectRows(request, {{20, 40, 0, 0, false}, {20, 40, 40, 40, true}, {30, 20, 20, 60, true}});
}

} // namespace
} // namespace gearsel
