#pragma once

#include <QString>

#include <optional>

namespace quill {

// What is wrong with a number as typed, if anything.
enum class NumberProblem { None, Empty, NotANumber, TwoPoints, Zero, Negative, TooLarge };

struct TypedNumber {
    std::optional<double> value; // set exactly when problem is None
    NumberProblem problem = NumberProblem::None;
};

// A positive decimal as a Japanese IME types it: half- or full-width digits and point
// ("１２．５" is 12.5), blanks around it ignored, at most `maximum`.
TypedNumber readPositive(const QString& text, double maximum);

// A short sentence saying what is wrong; `maximum` is the limit as the user should read it
// ("1000 mm"). Empty for NumberProblem::None.
QString problemText(NumberProblem problem, const QString& maximum);

} // namespace quill
