// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Heap use of the benchmark program, counted by its own operator new and delete.

#include <cstddef>

namespace gearsel {

// Bytes the program holds on the heap now.
std::size_t heapInUse();

// Starts a new peak measurement from the bytes held now.
void resetHeapPeak();

// The most bytes held since the last resetHeapPeak().
std::size_t heapPeak();

} // namespace gearsel
