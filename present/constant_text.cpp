// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/constant_text.h"

namespace gearsel {

std::string constantLabel(ConstantKey key, Language language) {
    switch (key) {
    case ConstantKey::Leadscrew:
        return inLanguage(language, "丝杠螺距", "Leadscrew pitch");
    case ConstantKey::GearboxRatio:
        return inLanguage(language, "进给箱速比", "Feed gearbox ratio");
    case ConstantKey::IndexConstant:
        return inLanguage(language, "分度常数 K", "Index constant K");
    case ConstantKey::DifferentialConstant:
        return inLanguage(language, "差动常数 C", "Differential constant C");
    case ConstantKey::HeadRatio:
        break;
    }
    return inLanguage(language, "分度头定数 N", "Dividing head ratio N");
}

std::string constantsSummary(const MachineConstants& constants, Language language) {
    const std::string separator = inLanguage(language, "，", ", ");
    std::string line;
    for (const ConstantKey key : kConstantKeys) {
        if (const auto text = constantText(constants, key)) {
            line += (line.empty() ? "" : separator) +
                    captionInSentence(constantLabel(key, language)) + " " + *text;
        }
    }
    return line;
}

} // namespace gearsel
