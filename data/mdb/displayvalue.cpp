#include "displayvalue.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace quill::display {

namespace {

template <typename Float> std::string shortestFixed(Float value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0)
        return "0"; // also for -0
    // Fixed notation of the shortest round-trip digits; a double needs at most ~330 characters.
    std::array<char, 512> buffer {};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return {};
    return std::string(buffer.data(), result.ptr);
}

} // namespace

std::string fromDouble(double value)
{
    return shortestFixed(value);
}

std::string fromSingle(float value)
{
    return shortestFixed(value);
}

std::string fromInteger(std::int64_t value)
{
    return std::to_string(value);
}

std::string fromScaled(bool negative, std::string_view digits, int scale)
{
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    if (digits.empty())
        digits = "0";
    if (scale < 0)
        scale = 0;
    std::string whole;
    std::string fraction;
    if (static_cast<int>(digits.size()) > scale) {
        whole = digits.substr(0, digits.size() - scale);
        fraction = digits.substr(digits.size() - scale);
    } else {
        whole = "0";
        fraction = std::string(scale - digits.size(), '0') + std::string(digits);
    }
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    std::string text = fraction.empty() ? whole : whole + '.' + fraction;
    if (negative && text != "0")
        text.insert(text.begin(), '-');
    return text;
}

std::string fromJetDecimal(const unsigned char* bytes, int scale)
{
    // Magnitude as four 32-bit words, least significant first.
    std::array<std::uint32_t, 4> words {};
    for (int w = 0; w < 4; ++w) {
        const unsigned char* p = bytes + 1 + std::ptrdiff_t(4) * (3 - w);
        words[w]
            = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    }
    std::string digits;
    for (;;) {
        bool zero = true;
        std::uint64_t remainder = 0;
        for (int w = 3; w >= 0; --w) {
            const std::uint64_t part = remainder << 32 | words[w];
            words[w] = static_cast<std::uint32_t>(part / 10);
            remainder = part % 10;
            zero = zero && words[w] == 0;
        }
        digits.insert(digits.begin(), static_cast<char>('0' + remainder));
        if (zero)
            break;
    }
    return fromScaled((bytes[0] & 0x80) != 0, digits, scale);
}

std::string fromCurrency(std::int64_t tenThousandths)
{
    const bool negative = tenThousandths < 0;
    // Two's complement magnitude stays exact for INT64_MIN.
    const std::uint64_t magnitude
        = negative ? ~static_cast<std::uint64_t>(tenThousandths) + 1 : static_cast<std::uint64_t>(tenThousandths);
    return fromScaled(negative, std::to_string(magnitude), 4);
}

} // namespace quill::display
