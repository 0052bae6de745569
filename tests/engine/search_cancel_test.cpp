// SPDX-License-Identifier: GPL-3.0-or-later
// Stopping a three-pair search on request: a stopped search lists nothing and says it was
// stopped, wherever it stops; one that is never stopped gives its whole list.

#include "differential_cases.h"
#include "engine/gearbox_positions.h"
#include "engine/selection.h"

#include <atomic>
#include <gtest/gtest.h>

namespace gearsel {
namespace {

// Asks the search to stop from its `stopAt`-th question on (counted from 1); counts them.
class StopAtQuestion : public SearchCancel {
public:
    explicit StopAtQuestion(int stopAt) : stopAt_(stopAt) {}
    bool requested() const noexcept override { return ++asked_ >= stopAt_; }
    int asked() const { return asked_; }

private:
    int stopAt_;
    mutable std::atomic<int> asked_{0};
};

std::vector<std::int16_t> toothRange(int from, int to, int step = 1) {
    std::vector<std::int16_t> gears;
    for (int teeth = from; teeth <= to; teeth += step) {
        gears.push_back(static_cast<std::int16_t>(teeth));
    }
    return gears;
}

struct CancelCase {
    const char* name;
    std::vector<std::int16_t> gears;
    int count;
    EngineKind engine;
};

// A set the search pairs products on (too many arrangements to walk), one it walks, and the
// reference on a small set.
std::vector<CancelCase> cancelCases() {
    return {{"PairsProducts", toothRange(20, 100, 3), 40, EngineKind::Production},
            {"WalksArrangements", toothRange(20, 60, 5), 40, EngineKind::Production},
            {"Reference", toothRange(20, 45, 5), 20, EngineKind::Reference}};
}

SearchRequest requestFor(const CancelCase& c) {
    SearchRequest request;
    request.gears = c.gears;
    request.requiredRatio = 0.0417;
    request.resultCount = c.count;
    return request;
}

TEST(SearchCancelTest, CancelledBeforeTheStartListsNothing) {
    for (const CancelCase& c : cancelCases()) {
        SCOPED_TRACE(c.name);
        SearchCancel cancel;
        cancel.cancel();
        const ThreePairSelection stopped =
            runThreePairSelection(requestFor(c), std::nullopt, c.engine, &cancel);
        EXPECT_TRUE(stopped.cancelled);
        EXPECT_TRUE(stopped.slots.empty());
        // The same search not asked to stop lists its whole list.
        SearchCancel untouched;
        const ThreePairSelection whole =
            runThreePairSelection(requestFor(c), std::nullopt, c.engine, &untouched);
        EXPECT_FALSE(whole.cancelled);
        EXPECT_EQ(whole.slots.size(), static_cast<std::size_t>(c.count));
    }
}

// Stopped at every question it asks in turn: the search either lists nothing and says so, or,
// stopped after its last question, gives exactly the list it gives unasked, never a part of it.
TEST(SearchCancelTest, StoppedAtAnyStepListsNothingOrTheWholeList) {
    for (const CancelCase& c : cancelCases()) {
        SCOPED_TRACE(c.name);
        const SearchRequest request = requestFor(c);
        const std::vector<ThreePairSlot> whole =
            runThreePairSelection(request, std::nullopt, c.engine).slots;
        ASSERT_EQ(whole.size(), static_cast<std::size_t>(c.count));
        StopAtQuestion never(INT32_MAX);
        ASSERT_FALSE(runThreePairSelection(request, std::nullopt, c.engine, &never).cancelled);
        const int questions = never.asked();
        // The search asks more than once along the way, not only at its start and end.
        EXPECT_GT(questions, 2);
        // Under the sanitizers every search is slow: every few questions, and the last two.
        const int step = kSanitized ? 1 + questions / 12 : 1;
        for (int stopAt = 1; stopAt <= questions + 1;
             stopAt = stopAt + step <= questions ? stopAt + step : stopAt + 1) {
            StopAtQuestion cancel(stopAt);
            const ThreePairSelection run =
                runThreePairSelection(request, std::nullopt, c.engine, &cancel);
            if (stopAt <= questions) {
                EXPECT_TRUE(run.cancelled) << "stopped at question " << stopAt;
                EXPECT_TRUE(run.slots.empty()) << "stopped at question " << stopAt;
            } else {
                EXPECT_FALSE(run.cancelled);
                EXPECT_EQ(run.slots, whole);
            }
        }
    }
}

TEST(SearchCancelTest, GearboxPositionsStopWithTheirSearch) {
    SearchRequest request;
    request.gears = toothRange(20, 40, 5);
    request.resultCount = 10;
    const std::vector<GearboxPosition> positions = {{"A", Quantity::whole(1)},
                                                    {"B", Quantity::whole(2)}};
    const Quantity ratio(Fraction(1, 25));
    StopAtQuestion never(INT32_MAX);
    const auto whole =
        searchPositionsThreePairs(request, ratio, positions, EngineKind::Production, &never);
    EXPECT_FALSE(whole.cancelled);
    EXPECT_EQ(whole.rows.size(), 10U);
    // Stopped in either position's search, the first position's rows are not listed either.
    for (int stopAt = 1; stopAt <= never.asked(); ++stopAt) {
        StopAtQuestion cancel(stopAt);
        const auto stopped =
            searchPositionsThreePairs(request, ratio, positions, EngineKind::Production, &cancel);
        EXPECT_TRUE(stopped.cancelled) << "stopped at question " << stopAt;
        EXPECT_TRUE(stopped.rows.empty()) << "stopped at question " << stopAt;
    }
}

} // namespace
} // namespace gearsel
