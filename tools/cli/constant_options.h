// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine constants as command-line options (--leadscrew, --gearbox, --k, --c, --n): each
// unknown until given, read strictly when the command runs.

#include "engine/machine_constants.h"

#include <CLI/CLI.hpp>
#include <array>
#include <optional>
#include <string>

namespace gearsel::cli {

struct ConstantOptions {
    // The texts as typed, in the order of kConstantKeys.
    std::array<std::optional<std::string>, kConstantKeys.size()> texts;

    std::optional<std::string>& text(ConstantKey key) {
        return texts[static_cast<std::size_t>(key)];
    }
    bool anyGiven() const;
};

// The option of `key`: "--leadscrew", "--gearbox", "--k", "--c" or "--n".
std::string constantOption(ConstantKey key);
// What the constant is, as a refusal names what is missing: "the leadscrew pitch (6mm or
// 4tpi)", "the index constant K".
std::string constantMeaning(ConstantKey key);

// Adds the option of `key` to `cmd`; parsing fills `options`.
void addConstantOption(CLI::App* cmd, ConstantOptions& options, ConstantKey key,
                       const std::string& description);

// Adds all five options with their usual descriptions.
void addConstantOptions(CLI::App* cmd, ConstantOptions& options);

// The constants given, read strictly; throws UsageError naming the option for a text that is
// no such value or a value that no formula accepts. Those left out stay unknown.
MachineConstants givenConstants(const ConstantOptions& options);

} // namespace gearsel::cli
