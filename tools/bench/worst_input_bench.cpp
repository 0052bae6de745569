// SPDX-License-Identifier: GPL-3.0-or-later
// Hunts for the input on which the production search is slowest next to the reference
// enumeration: it draws many small searches of varied shape (few gears with copies, ratios hit
// exactly by many trains, lists far longer than the set can fill, every option), times both
// engines in this process, and reports the inputs with the highest ratio of fast to reference
// CPU time, each measured again more carefully. The production search should never be slower:
// a ratio above 1 names an input to look into. Small sets only, where the reference is quick.
//
//   gearsel-worst-input-bench [CASES [SEED]]     default 3000 cases, seed 1

#include "engine/fast_search.h"
#include "engine/reference_search.h"
#include "engine/selection.h"
#include "tests/engine/differential_cases.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace gearsel {
namespace {

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// CPU seconds per search of one engine: the best of `rounds` rounds, each repeating the search
// until it has run for at least `roundSeconds`.
double secondsPerSearch(const std::vector<std::int16_t>& sorted, const SearchRequest& request,
                        EngineKind engine, int rounds, double roundSeconds) {
    double best = 1e300;
    for (int round = 0; round < rounds; ++round) {
        int runs = 0;
        const double start = threadSeconds();
        double elapsed = 0.0;
        do {
            const ResultList list = engine == EngineKind::Production
                                        ? searchFast(sorted, request)
                                        : enumerateReference(sorted, request);
            // Keeps the search from being optimized away.
            if (list.slots.size() != static_cast<std::size_t>(request.resultCount)) {
                std::abort();
            }
            ++runs;
            elapsed = threadSeconds() - start;
        } while (elapsed < roundSeconds);
        best = std::min(best, elapsed / runs);
    }
    return best;
}

struct Timing {
    SearchRequest request;
    double fast = 0.0;
    double reference = 0.0;
    double ratio() const { return fast / reference; }
};

Timing timeBoth(const SearchRequest& request, int rounds, double roundSeconds) {
    std::vector<std::int16_t> sorted = request.gears;
    sortGears(sorted);
    Timing timing{request};
    // Turn about, so that a slow spell of the machine falls on both.
    timing.fast = 1e300;
    timing.reference = 1e300;
    for (int round = 0; round < rounds; ++round) {
        timing.fast =
            std::min(timing.fast,
                     secondsPerSearch(sorted, request, EngineKind::Production, 1, roundSeconds));
        timing.reference =
            std::min(timing.reference,
                     secondsPerSearch(sorted, request, EngineKind::Reference, 1, roundSeconds));
    }
    return timing;
}

// Random small searches of the shapes where the fast search has the least room to gain: so few
// trains that the reference walks them all at once, lists longer than the trains there are,
// many trains at one ratio, and every option.
class ShapeMaker : RandomDraws {
public:
    explicit ShapeMaker(std::uint64_t seed) : RandomDraws(seed) {}

    SearchRequest next() {
        SearchRequest r;
        const int distinct = 1 + below(below(4) == 0 ? 24 : 8);
        std::vector<std::int16_t> counts;
        const int step = any(std::vector{1, 5, 10});
        const int low = 10 + below(100);
        for (int i = 0; i < distinct; ++i) {
            counts.push_back(static_cast<std::int16_t>(
                std::min(255, below(2) == 0 ? low + step * below(20) : 10 + below(246))));
        }
        r.gears = counts;
        for (int extra = below(3) == 0 ? below(12) : 0; extra > 0; --extra) {
            r.gears.push_back(any(counts));
        }
        const auto gear = [&] { return static_cast<double>(any(r.gears)); };
        const double pair = gear() / gear();
        const int kind = below(5);
        r.requiredRatio = kind == 0   ? 1.0
                          : kind == 1 ? pair
                          : kind == 2 ? (gear() * pair) / gear()
                          : kind == 3 ? std::pow(10.0, uniform(-2.0, 2.0))
                                      : uniform(0.2, 5.0);
        r.resultCount = any(std::vector{1, 5, 24, 99, 256, 999, 4000, 12000, kMaxResultCount});
        r.zn = below(6) == 0 ? -20 + below(20) : 5 + below(36);
        r.includeSinglePairs = below(2) == 0;
        r.allowRepeats = below(2) == 0;
        r.useOnce = below(5) == 0;
        if (below(6) == 0) {
            r.firstDriver = any(r.gears);
        }
        if (below(6) == 0) {
            r.lastDriven = below(2) == 0 ? any(r.gears) : 10 + below(246);
        }
        return r;
    }
};

std::string describe(const SearchRequest& r) {
    std::string text = "--gears ";
    for (std::size_t i = 0; i < r.gears.size(); ++i) {
        text += (i > 0 ? "," : "") + std::to_string(r.gears[i]);
    }
    char rest[160];
    std::snprintf(rest, sizeof rest, " --ratio %.17g --count %d --zn %d", r.requiredRatio,
                  r.resultCount, r.zn);
    text += rest;
    text += r.includeSinglePairs ? "" : " --no-single-pairs";
    text += r.allowRepeats ? "" : " --no-repeats";
    text += r.useOnce ? " (use once)" : "";
    text += r.firstDriver ? " (first driver " + std::to_string(*r.firstDriver) + ")" : "";
    text += r.lastDriven ? " (last driven " + std::to_string(*r.lastDriven) + ")" : "";
    return text;
}

// Small sets with long lists, where the fast search was slower than the reference before it
// learnt to walk every train of a small set.
std::vector<SearchRequest> knownShapes() {
    SearchRequest single{{93}, 1.0, 12000};
    single.includeSinglePairs = false;
    single.allowRepeats = false;
    std::vector<SearchRequest> shapes = {single};
    const std::vector<std::int16_t> gears14 = {20, 25, 30, 35, 40, 45,  50,
                                               55, 60, 70, 80, 90, 100, 120};
    for (const double ratio : {1.23456, 3.14159, 0.0417, 7.77777}) {
        shapes.push_back(SearchRequest{gears14, ratio, 99});
    }
    return shapes;
}

void printTable(const std::vector<Timing>& timings) {
    std::printf("| Fast / reference | Fast | Reference | Input |\n|---:|---:|---:|---|\n");
    for (const Timing& timing : timings) {
        std::printf("| %.2f | %.1f µs | %.1f µs | %s |\n", timing.ratio(), timing.fast * 1e6,
                    timing.reference * 1e6, describe(timing.request).c_str());
    }
}

} // namespace
} // namespace gearsel

int main(int argc, char** argv) {
    using namespace gearsel;
    const int cases = argc > 1 ? std::atoi(argv[1]) : 3000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    ShapeMaker maker(seed);
    // A quick look at every case, then a careful one at those that looked worst.
    constexpr std::size_t kKept = 12;
    std::vector<Timing> worst;
    for (int i = 0; i < cases; ++i) {
        worst.push_back(timeBoth(maker.next(), 1, 2e-4));
        std::sort(worst.begin(), worst.end(),
                  [](const Timing& x, const Timing& y) { return x.ratio() > y.ratio(); });
        if (worst.size() > kKept) {
            worst.pop_back();
        }
    }
    for (Timing& timing : worst) {
        timing = timeBoth(timing.request, 5, 2e-3);
    }
    std::sort(worst.begin(), worst.end(),
              [](const Timing& x, const Timing& y) { return x.ratio() > y.ratio(); });
    std::vector<Timing> known;
    for (const SearchRequest& request : knownShapes()) {
        known.push_back(timeBoth(request, 5, 2e-3));
    }
    std::printf("CPU time per search (best of 5 rounds). The shapes where the fast search once "
                "was slower:\n\n");
    printTable(known);
    std::printf("\n%d random cases, seed %llu; the worst:\n\n", cases,
                static_cast<unsigned long long>(seed));
    printTable(worst);
    return 0;
}
