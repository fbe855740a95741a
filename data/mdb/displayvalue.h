#pragma once

#include <cstdint>
#include <string>

// Display texts for stored values: the shortest decimal text that reads back as the
// stored number, "." as separator whatever the locale, no exponent, no trailing zeros.
namespace quill::display {

std::string fromDouble(double value);
std::string fromSingle(float value);
std::string fromInteger(std::int64_t value);
// A scaled integer, as Currency (scale 4) and Decimal store it: 107500 at scale 4 is "10.75".
std::string fromScaled(bool negative, std::string_view magnitudeDigits, int scale);
// Jet's 16-byte Decimal magnitude (four little-endian 32-bit words, most significant first).
std::string fromJetDecimal(const unsigned char* seventeenBytes, int scale);
std::string fromCurrency(std::int64_t tenThousandths);

} // namespace quill::display
