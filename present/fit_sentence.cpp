// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/fit_sentence.h"

#include "present/fit_text.h"

namespace gearsel {

std::string fitProblemWords(FitProblem problem, Language language) {
    if (language == Language::Chinese) {
        return fitProblemLabel(problem);
    }
    switch (problem) {
    case FitProblem::Reach:
        return "the centre distances cannot meet";
    case FitProblem::Slot:
        return "the stud lies outside the quadrant's slot";
    case FitProblem::Diameter:
        return "a gear is wider than the cover";
    case FitProblem::NoIdler:
        break;
    }
    return "no gear of the set serves as an idler";
}

std::string fitSentence(const TrainFit& fit, Language language) {
    const std::string idler = fit.idler ? std::to_string(*fit.idler) : std::string();
    if (fit.fits) {
        if (!fit.idler) {
            return inLanguage(language, "装得上", "Fits the machine");
        }
        return inLanguage(language, "装得上：需加惰轮 " + idler + "，输出反向",
                          "Fits the machine with idler " + idler + ", which reverses the output");
    }
    std::string problems;
    for (const FitProblem problem : kFitProblems) {
        if (fit.problems.has(problem)) {
            if (!problems.empty()) {
                problems += inLanguage(language, "、", "; ");
            }
            problems += fitProblemWords(problem, language);
        }
    }
    if (fit.idler) {
        return inLanguage(language, "装不上（惰轮 " + idler + "）：" + problems,
                          "Does not fit (idler " + idler + "): " + problems);
    }
    return inLanguage(language, "装不上：" + problems, "Does not fit: " + problems);
}

} // namespace gearsel
