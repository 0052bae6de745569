// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The constants of how a machine takes its change gears as command-line options (--module,
// --dp, --centre, --stud, --max-diameter, --pairs, --first, --last, --use-once,
// --gearbox-positions), each unknown until given and read strictly when the command runs; and
// --fit-only, which the search commands take.

#include "engine/train_constants.h"

#include <CLI/CLI.hpp>
#include <array>
#include <optional>
#include <string>

namespace gearsel::cli {

// Who takes the options: a search, for one run (--use-once a flag, and --fit-only), or
// "machines constants", to keep them (--use-once yes|no).
enum class TrainOptionUse { Search, Keep };

struct TrainOptions {
    // The texts as typed, in the order of kTrainConstantKeys.
    std::array<std::optional<std::string>, kTrainConstantKeys.size()> texts;
    bool useOnce = false; // --use-once as a search's flag
    bool fitOnly = false; // --fit-only

    std::optional<std::string>& text(TrainConstantKey key) {
        return texts[static_cast<std::size_t>(key)];
    }
    // Whether any constant is given (--fit-only is none).
    bool anyGiven() const;
};

// The option of `key`: "--module", "--dp", "--centre", "--stud", "--max-diameter", "--pairs",
// "--first", "--last", "--use-once", "--gearbox-positions".
std::string trainOption(TrainConstantKey key);

// Adds the options to `cmd`; parsing fills `options`.
void addTrainOptions(CLI::App* cmd, TrainOptions& options, TrainOptionUse use);

// The constants given, read strictly; throws UsageError naming the option and the text for one
// that is no such value. Those left out stay unknown.
MachineConstants givenTrainConstants(const TrainOptions& options);

} // namespace gearsel::cli
