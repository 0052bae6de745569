// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/problem_text.h"

#include "base/printable_text.h"
#include "present/chart_problem_text.h"
#include "present/search_problem_text.h"
#include "present/store_problem_text.h"
#include "present/value_problem_text.h"
#include "store/store_error.h"

#include <new>

namespace gearsel {

std::string exceptionText(const std::exception& error, Language language) {
    if (const auto* store = dynamic_cast<const StoreError*>(&error)) {
        return storeProblemText(store->problem(), language);
    }
    if (const auto* value = dynamic_cast<const ValueRefused*>(&error)) {
        return valueProblemText(value->problem(), language);
    }
    if (const auto* search = dynamic_cast<const SearchRefused*>(&error)) {
        return searchProblemText(search->problem(), language);
    }
    if (const auto* chart = dynamic_cast<const ChartRefused*>(&error)) {
        return chartProblemText(chart->problem(), language);
    }
    if (const auto* positions = dynamic_cast<const PositionsRefused*>(&error)) {
        return positionProblemText(positions->problem(), language);
    }
    if (const auto* geometry = dynamic_cast<const GeometryRefused*>(&error)) {
        return geometryProblemText(geometry->problem(), language);
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return inLanguage(language, "内存不足", "out of memory");
    }
    return inLanguage(language, "程序内部出错",
                      printableText(std::string("internal error: ") + error.what()));
}

} // namespace gearsel
