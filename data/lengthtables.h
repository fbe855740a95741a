#pragma once

#include "sizefields.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The fixed length tables per thread size: for a nominal length, the shank length ls,
// the grip length lg and the thread length b, or "---" where they do not apply.
namespace quill::lengths {

// The length items of the length list, in order; the tables compare against exactly these texts.
inline constexpr std::array<std::string_view, 33> kLengthItems { "   5", "   6", "   8", "  10", "  12", "  16", "  20",
    "  25", "  30", "  35", "  40", "  45", "  50", "  55", "  60", "  65", "  70", "  80", "  90", " 100", " 110",
    " 120", " 130", " 140", " 150", " 160", " 180", " 200", " 220", " 240", " 260", " 280", " 300" };

inline constexpr std::string_view kNotApplicable = "---";

enum class RowKind { NoEntry, Threaded, Dimensioned };

struct SizeParameters {
    std::string_view designation;
    int pitchHundredths; // P in 1/100 mm
    int threadLength; // b in mm
    std::uint64_t threaded; // bit i: key i is threaded to the head
    std::uint64_t dimensioned; // bit i: key i has ls, lg and b
};

struct LengthRow {
    std::string shank; // Label13
    std::string grip; // Label14
    std::string thread; // Label15
    friend bool operator==(const LengthRow&, const LengthRow&) = default;
};

// The 22 sizes, smallest first ("M3" … "M52"), in the order of kDesignations (sizefields.h).
const std::array<SizeParameters, 22>& sizes();
// The size of a designation (exact, case-sensitive text), or nullptr.
const SizeParameters* findSize(std::string_view designation);

// The nominal length of key i in mm.
int nominalLength(int keyIndex);
// The key index of an exact length text ("  25"), or -1; blanks count, nothing is trimmed.
int keyIndex(std::string_view lengthText);

RowKind rowKind(const SizeParameters& size, int keyIndex);
LengthRow row(const SizeParameters& size, int keyIndex);
// The row for a length text, or nullopt when the text is no key.
std::optional<LengthRow> lookup(const SizeParameters& size, std::string_view lengthText);

// Shortest decimal text of a value given in quarter millimetres ("4.5", "10.75", "234").
std::string formatQuarters(int quarters);

} // namespace quill::lengths
