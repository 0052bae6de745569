// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A request to stop a long search, set from any thread and read by the search between its
// steps. A stopped search lists nothing: a list cut short would look complete.

#include <atomic>

namespace gearsel {

class SearchCancel {
public:
    SearchCancel() = default;
    SearchCancel(const SearchCancel&) = delete;
    SearchCancel& operator=(const SearchCancel&) = delete;
    virtual ~SearchCancel() = default;

    // Asks the search to stop; safe from any thread, at any time.
    void cancel() noexcept { requested_.store(true, std::memory_order_relaxed); }
    // Whether the search is to stop. The search asks between its steps, often but not in its
    // innermost loops; a test may answer differently to stop it at a chosen step.
    virtual bool requested() const noexcept { return requested_.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> requested_{false};
};

// Whether `cancel`, where there is one, asks the search to stop.
inline bool cancelRequested(const SearchCancel* cancel) noexcept {
    return cancel != nullptr && cancel->requested();
}

} // namespace gearsel
