// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every command does last: make sure that what it printed reached standard output.

namespace gearsel::cli {

// Flushes standard output and returns `status` when everything printed to it was written;
// otherwise (a full disk, /dev/full, a closed file) says so in one line on standard error and
// returns 2, so that a failed write is never reported as success.
int checkedExit(int status);

} // namespace gearsel::cli
