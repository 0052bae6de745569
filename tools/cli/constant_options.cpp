// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/constant_options.h"

#include "tools/cli/refused_value.h"

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

std::string constantMeaning(ConstantKey key) {
    switch (key) {
    case ConstantKey::Leadscrew:
        return "the leadscrew pitch (6mm or 4tpi)";
    case ConstantKey::GearboxRatio:
        return "the ratio of the feed gearbox";
    case ConstantKey::IndexConstant:
        return "the index constant K";
    case ConstantKey::DifferentialConstant:
        return "the differential constant C";
    case ConstantKey::HeadRatio:
        break;
    }
    return "the worm ratio N";
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
            readOrRefuse({}, [&] { setConstantText(constants, key, *text); });
        }
    }
    return constants;
}

} // namespace gearsel::cli
