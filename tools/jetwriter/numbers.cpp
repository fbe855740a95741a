#include "numbers.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace jet::detail {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Skips a leading '+', which from_chars does not take; '-' stays for it.
std::string_view withoutPlus(std::string_view text)
{
    return !text.empty() && text.front() == '+' ? text.substr(1) : text;
}

bool isDecimal(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == text.size();
}

template <typename T> Parsed<T> parseFloating(std::string_view text)
{
    Parsed<T> result;
    if (!isDecimal(text)) {
        result.error = NumberError::NotANumber;
        return result;
    }
    const std::string_view digits = withoutPlus(text);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), result.value);
    if (ec == std::errc::result_out_of_range || (ec == std::errc() && !std::isfinite(result.value)))
        result.error = NumberError::OutOfRange;
    else if (ec != std::errc() || end != digits.data() + digits.size())
        result.error = NumberError::NotANumber;
    return result;
}

} // namespace

Parsed<double> parseDouble(std::string_view text)
{
    return parseFloating<double>(text);
}

Parsed<float> parseSingle(std::string_view text)
{
    return parseFloating<float>(text);
}

Parsed<std::int32_t> parseInteger(std::string_view text, std::int32_t min, std::int32_t max)
{
    Parsed<std::int32_t> result;
    const std::size_t first = !text.empty() && (text.front() == '+' || text.front() == '-') ? 1 : 0;
    if (first == text.size() || text.find_first_not_of("0123456789", first) != std::string_view::npos) {
        result.error = NumberError::NotANumber;
        return result;
    }
    const std::string_view digits = withoutPlus(text);
    long long value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc::result_out_of_range || (ec == std::errc() && (value < min || value > max))) {
        result.error = NumberError::OutOfRange;
    } else if (ec != std::errc() || end != digits.data() + digits.size()) {
        result.error = NumberError::NotANumber;
    } else {
        result.value = static_cast<std::int32_t>(value);
    }
    return result;
}

} // namespace jet::detail
