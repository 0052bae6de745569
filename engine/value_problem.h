// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a value given to the engine cannot be used: a text that is no number or no pitch, or a
// number that a ratio formula or a machine constant refuses. Each surface words it in its own
// language (present/value_problem_text.h).

#include "engine/pitch_notation.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace gearsel {

// What a value stands for in a ratio formula: a job's input or a machine constant.
enum class ValueInput {
    Pitch,                // the thread's pitch
    Starts,               // the thread's starts
    Leadscrew,            // the leadscrew pitch
    GearboxRatio,         // the feed gearbox ratio
    IndexConstant,        // K
    HobStarts,            // the hob's starts
    Teeth,                // the workpiece's tooth count
    DifferentialConstant, // C
    Helix,                // the helix angle in degrees
    NormalModule,         // mn
    HeadRatio,            // the dividing head's worm ratio N
    Divisions,            // z, the divisions wanted
    ApproxDivisions,      // z', the divisions indexed instead
};

struct ValueProblem {
    enum class Kind {
        // A text that is no number (readQuantity); `text` is the text as given.
        NotNumber,              // no number at all
        DecimalComma,           // a decimal with a comma; `suggestion` is it with a full stop
        BeyondRange,            // a number beyond the doubles (above about 1.8e308)
        BelowRange,             // a number too close to 0 to be held (below about 4.9e-324)
        NotFinite,              // inf or nan
        NotFraction,            // a text with a slash that is not p/q of whole numbers
        FractionTooLarge,       // p or q beyond 64 bits
        DenominatorNotPositive, // q of 0 or less
        // A text that is no pitch (readPitch); `text` is the text as given. A pitch whose
        // number is refused gets the number's kind, `text` the number and `within` the pitch.
        PitchWithoutUnit,   // a bare number: mm or tpi?
        PitchNamesThread,   // "M10", a metric thread as a drawing names it; see `thread`
        PitchWithoutNumber, // a unit without a number
        // A value that a formula or a machine constant refuses; `input` names it.
        NotPositive,     // 0 or less
        BelowOne,        // a count below 1, `count`
        HelixOutOfRange, // a helix angle outside 0 to 90 degrees, both excluded
        LeadscrewUnit,   // a leadscrew given as a module or a diametral pitch
        SameDivisions,   // z' = z: simple indexing needs no train
        ConstantMissing, // a constant the formula needs is not known
    };
    Kind kind;
    std::string text = {};                 // the text read, as given
    std::string within = {};               // the pitch text around a refused number
    std::string suggestion = {};           // DecimalComma: the number as it would read
    std::optional<ThreadName> thread = {}; // PitchNamesThread: the thread named
    std::optional<ValueInput> input = {};  // what the value stands for, where known
    long long count = 0;                   // BelowOne: the count given
};

// Thrown for a value that cannot be used. The surfaces word the problem; what() only names the
// exception for a log.
class ValueRefused : public std::invalid_argument {
public:
    explicit ValueRefused(ValueProblem problem)
        : std::invalid_argument("value refused"), problem_(std::move(problem)) {}
    const ValueProblem& problem() const noexcept { return problem_; }
    // The same refusal, saying what the value stands for.
    ValueRefused as(ValueInput input) const {
        ValueProblem named = problem_;
        named.input = input;
        return ValueRefused(std::move(named));
    }

private:
    ValueProblem problem_;
};

} // namespace gearsel
