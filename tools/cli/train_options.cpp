// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/train_options.h"

#include "base/printable_text.h"
#include "present/train_constant_text.h"
#include "tools/cli/strict_number.h"

#include <algorithm>

namespace gearsel::cli {

namespace {

std::string description(TrainConstantKey key, TrainOptionUse use) {
    switch (key) {
    case TrainConstantKey::Module:
        return "Module of the change gears in mm, e.g. 1.5 (or --dp)";
    case TrainConstantKey::DiametralPitch:
        return "Diametral pitch of the change gears (instead of --module), e.g. 24";
    case TrainConstantKey::Centre:
        return "Fixed distance in mm from the shaft of the first gear to that of the last";
    case TrainConstantKey::Stud:
        return "Distances in mm from the last gear's shaft at which the quadrant's slot holds "
               "the stud, RMIN-RMAX, e.g. 45-95";
    case TrainConstantKey::MaxDiameter:
        return "The largest outside diameter m(z + 2) in mm that fits under the cover";
    case TrainConstantKey::Pairs:
        return "Pairs of a train: 2 (one- and two-pair trains, the default) or 3";
    case TrainConstantKey::FirstGear:
        return "The first driver is fixed to this tooth count";
    case TrainConstantKey::LastGear:
        return "The last driven gear is fixed to this tooth count";
    case TrainConstantKey::UseOnce:
        return use == TrainOptionUse::Search
                   ? "Each gear of the set at most once in a train, copies counted"
                   : "yes or no: each gear of the set at most once in a train, copies counted";
    case TrainConstantKey::GearboxPositions:
        break;
    }
    return "Ratios of the quick-change gearbox's positions, searched together in 'select "
           "thread' and 'chart --threads': NAME=RATIO,..., e.g. A1=1/2,A2=1,B1=5/4";
}

} // namespace

bool TrainOptions::anyGiven() const {
    return useOnce || std::any_of(texts.begin(), texts.end(),
                                  [](const auto& text) { return text.has_value(); });
}

std::string trainOption(TrainConstantKey key) {
    std::string name = constantName(key);
    std::replace(name.begin(), name.end(), '_', '-');
    return "--" + name;
}

void addTrainOptions(CLI::App* cmd, TrainOptions& options, TrainOptionUse use) {
    CLI::Option* module = nullptr;
    for (const TrainConstantKey key : kTrainConstantKeys) {
        if (key == TrainConstantKey::UseOnce && use == TrainOptionUse::Search) {
            cmd->add_flag(trainOption(key), options.useOnce, description(key, use));
            continue;
        }
        std::optional<std::string>& target = options.text(key);
        CLI::Option* option = cmd->add_option_function<std::string>(
            trainOption(key), [&target](const std::string& text) { target = text; },
            description(key, use));
        if (key == TrainConstantKey::Module) {
            module = option;
        } else if (key == TrainConstantKey::DiametralPitch) {
            option->excludes(module);
        }
    }
    if (use == TrainOptionUse::Search) {
        cmd->add_flag("--fit-only", options.fitOnly,
                      "List only trains that can be mounted on the machine (needs --module or "
                      "--dp and --centre, given or kept for the machine)");
    }
}

MachineConstants givenTrainConstants(const TrainOptions& options) {
    MachineConstants constants;
    for (const TrainConstantKey key : kTrainConstantKeys) {
        const auto& text = options.texts[static_cast<std::size_t>(key)];
        if (!text) {
            continue;
        }
        if (const auto problem = setTrainConstantText(constants, key, *text)) {
            throw UsageError{trainOption(key) + " '" + printableText(*text) +
                             "': " + trainConstantProblemText(*problem, Language::English)};
        }
    }
    if (options.useOnce) {
        constants.useOnce = true;
    }
    return constants;
}

} // namespace gearsel::cli
