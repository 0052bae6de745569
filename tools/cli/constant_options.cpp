// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/constant_options.h"

#include "tools/cli/strict_number.h"

#include <stdexcept>

namespace gearsel::cli {

bool ConstantOptions::anyGiven() const {
    for (const auto& text : texts) {
        if (text) {
            return true;
        }
    }
    return false;
}

std::string constantOption(ConstantKey key) {
    return std::string("--") + constantName(key);
}

void addConstantOption(CLI::App* cmd, ConstantOptions& options, ConstantKey key,
                       const std::string& description) {
    std::optional<std::string>& target = options.text(key);
    cmd->add_option_function<std::string>(
        constantOption(key), [&target](const std::string& text) { target = text; }, description);
}

void addConstantOptions(CLI::App* cmd, ConstantOptions& options) {
    addConstantOption(cmd, options, ConstantKey::Leadscrew,
                      "Pitch of the lathe's leadscrew: 6mm or 4tpi");
    addConstantOption(cmd, options, ConstantKey::GearboxRatio,
                      "Ratio of the feed gearbox between the train and the leadscrew");
    addConstantOption(cmd, options, ConstantKey::IndexConstant,
                      "Index constant K of a hobbing machine");
    addConstantOption(cmd, options, ConstantKey::DifferentialConstant,
                      "Differential constant C of a hobbing machine");
    addConstantOption(cmd, options, ConstantKey::HeadRatio,
                      "Worm ratio N of a dividing head, e.g. 40");
}

MachineConstants givenConstants(const ConstantOptions& options) {
    MachineConstants constants;
    for (const ConstantKey key : kConstantKeys) {
        if (const auto& text = options.texts[static_cast<std::size_t>(key)]) {
            try {
                setConstantText(constants, key, *text);
            } catch (const std::invalid_argument& e) {
                throw UsageError{e.what()};
            }
        }
    }
    return constants;
}

} // namespace gearsel::cli
