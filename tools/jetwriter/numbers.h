#pragma once

#include <cstdint>
#include <string_view>

namespace jet::detail {

enum class NumberError { None, NotANumber, OutOfRange };

template <typename T> struct Parsed {
    T value {};
    NumberError error = NumberError::None;
};

// Plain decimal text only: an optional sign, digits with an optional fraction, an
// optional exponent. No blanks, no hexadecimal, no nan or inf.
Parsed<double> parseDouble(std::string_view text);
// Rounded once, straight from the decimal text to binary32.
Parsed<float> parseSingle(std::string_view text);
Parsed<std::int32_t> parseInteger(std::string_view text, std::int32_t min, std::int32_t max);

} // namespace jet::detail
