// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/lock_wait_watch.h"

#include <cerrno>
#include <thread>

namespace gearsel {

namespace {

// The steps a wait goes in: short enough that it is told close to kTellAfter.
constexpr std::chrono::milliseconds kStep{100};

} // namespace

int LockWaitWatch::lockFile(const std::string& path, std::chrono::milliseconds timeout, int& fd) {
    // First without waiting: most changes find the lock free and tell nothing.
    int error = inner_.lockFile(path, std::chrono::milliseconds(0), fd);
    if (error != EWOULDBLOCK || timeout <= std::chrono::milliseconds(0)) {
        return error;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const Clock::time_point deadline = start + timeout;
    if (feedback_.waiting) {
        feedback_.waiting();
    }
    bool told = false;
    for (Clock::time_point now = start; error == EWOULDBLOCK && now < deadline;
         now = Clock::now()) {
        if (!told && now - start >= kTellAfter) {
            told = true;
            if (feedback_.telling) {
                feedback_.telling(path);
            }
        }
        const auto step = std::min<Clock::duration>(kStep, deadline - now);
        const Clock::time_point stepEnd = now + step;
        error =
            inner_.lockFile(path, std::chrono::duration_cast<std::chrono::milliseconds>(step), fd);
        // A step that gave up early still takes its time, so that the wait lasts as asked.
        if (error == EWOULDBLOCK && Clock::now() < stepEnd) {
            std::this_thread::sleep_until(stepEnd);
        }
    }
    if (feedback_.done) {
        feedback_.done();
    }
    return error;
}

} // namespace gearsel
