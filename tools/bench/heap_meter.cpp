// SPDX-License-Identifier: GPL-3.0-or-later
#include "heap_meter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace gearsel {

namespace {

// Counted in usable sizes, so that an unsized delete subtracts exactly what new added.
std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};

void* allocate(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    const std::size_t now = inUse += malloc_usable_size(p);
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return p;
}

void release(void* p) {
    if (p != nullptr) {
        inUse -= malloc_usable_size(p);
        std::free(p);
    }
}

} // namespace

std::size_t heapInUse() {
    return inUse.load();
}

void resetHeapPeak() {
    peak = inUse.load();
}

std::size_t heapPeak() {
    return peak.load();
}

} // namespace gearsel

void* operator new(std::size_t size) {
    return gearsel::allocate(size);
}
void* operator new[](std::size_t size) {
    return gearsel::allocate(size);
}
void operator delete(void* p) noexcept {
    gearsel::release(p);
}
void operator delete[](void* p) noexcept {
    gearsel::release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    gearsel::release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    gearsel::release(p);
}
