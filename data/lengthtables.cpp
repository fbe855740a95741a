#include "lengthtables.h"

#include "sizefields.h"

#include <algorithm>

namespace quill::lengths {

namespace {

constexpr int keyOf(int millimetres)
{
    for (std::size_t i = 0; i < kLengthItems.size(); ++i) {
        int value = 0;
        for (char c : kLengthItems[i])
            if (c != ' ')
                value = value * 10 + (c - '0');
        if (value == millimetres)
            return static_cast<int>(i);
    }
    throw "not a length item"; // a compile-time error in the tables below
}

// The keys from a to z inclusive, in key order (so 30–40 includes 35).
constexpr std::uint64_t span(int a, int z)
{
    std::uint64_t mask = 0;
    for (int i = keyOf(a); i <= keyOf(z); ++i)
        mask |= std::uint64_t(1) << i;
    return mask;
}
constexpr std::uint64_t only(int a)
{
    return span(a, a);
}

constexpr std::array<SizeParameters, 22> kSizes { {
    { "M3", 50, 18, span(5, 20), span(25, 30) },
    { "M4", 70, 20, span(5, 25), span(30, 40) },
    { "M5", 80, 22, only(5) | span(8, 25), span(30, 50) },
    { "M6", 100, 24, span(10, 30), span(35, 60) },
    { "M8", 125, 28, span(12, 35), span(40, 80) },
    { "M10", 150, 32, span(16, 40), span(45, 100) },
    { "M12", 175, 36, span(20, 45), span(50, 120) },
    { "M14", 200, 40, span(25, 55), span(60, 140) },
    { "M16", 200, 44, span(25, 55), span(60, 160) },
    { "M18", 250, 48, span(30, 60), span(65, 180) },
    { "M20", 250, 52, span(30, 65), span(70, 200) },
    { "M22", 250, 56, only(30) | span(40, 70), span(80, 200) },
    { "M24", 300, 60, only(30) | span(40, 80), span(90, 200) },
    { "M27", 300, 66, span(45, 80), span(90, 300) },
    { "M30", 350, 72, span(45, 90), span(100, 300) },
    { "M33", 350, 78, only(45) | span(55, 90), span(100, 300) },
    { "M36", 400, 84, span(55, 110), span(120, 300) },
    { "M39", 400, 90, span(65, 90) | only(110), span(120, 300) },
    { "M42", 450, 96, span(65, 110), span(120, 300) },
    { "M45", 450, 102, span(80, 120), span(130, 300) },
    { "M48", 500, 108, span(80, 130), span(140, 300) },
    { "M52", 500, 116, span(90, 140), span(150, 300) },
} };

// One table per designation, in the order of kDesignations.
static_assert(
    [] {
        for (std::size_t i = 0; i < kSizes.size(); ++i)
            if (kSizes[i].designation != kDesignations[i])
                return false;
        return kSizes.size() == kDesignations.size();
    }(),
    "the length tables follow kDesignations");

// 5·P is then a whole number of quarter millimetres.
static_assert(std::all_of(kSizes.begin(), kSizes.end(),
    [](const SizeParameters& s) { return s.pitchHundredths % 5 == 0 && (s.threaded & s.dimensioned) == 0; }));

} // namespace

const std::array<SizeParameters, 22>& sizes()
{
    return kSizes;
}

const SizeParameters* findSize(std::string_view designation)
{
    const auto it = std::find_if(
        kSizes.begin(), kSizes.end(), [&](const SizeParameters& s) { return s.designation == designation; });
    return it == kSizes.end() ? nullptr : &*it;
}

int nominalLength(int key)
{
    int value = 0;
    for (char c : kLengthItems.at(static_cast<std::size_t>(key)))
        if (c != ' ')
            value = value * 10 + (c - '0');
    return value;
}

int keyIndex(std::string_view lengthText)
{
    const auto it = std::find(kLengthItems.begin(), kLengthItems.end(), lengthText);
    return it == kLengthItems.end() ? -1 : static_cast<int>(it - kLengthItems.begin());
}

RowKind rowKind(const SizeParameters& size, int key)
{
    const std::uint64_t bit = std::uint64_t(1) << key;
    if (size.threaded & bit)
        return RowKind::Threaded;
    if (size.dimensioned & bit)
        return RowKind::Dimensioned;
    return RowKind::NoEntry;
}

std::string formatQuarters(int quarters)
{
    static constexpr std::array<std::string_view, 4> kFractions { "", ".25", ".5", ".75" };
    const bool negative = quarters < 0;
    const int magnitude = negative ? -quarters : quarters;
    std::string text = std::to_string(magnitude / 4);
    text += kFractions[static_cast<std::size_t>(magnitude % 4)];
    return negative ? '-' + text : text;
}

LengthRow row(const SizeParameters& size, int key)
{
    const std::string none(kNotApplicable);
    const int l = nominalLength(key);
    switch (rowKind(size, key)) {
    case RowKind::Threaded:
        return { none, none, std::to_string(l) };
    case RowKind::Dimensioned: {
        const int lgQuarters = (l - size.threadLength) * 4;
        const int fivePitchQuarters = size.pitchHundredths / 5;
        return { formatQuarters(lgQuarters - fivePitchQuarters), formatQuarters(lgQuarters),
            std::to_string(size.threadLength) };
    }
    case RowKind::NoEntry:
        break;
    }
    return { none, none, none };
}

std::optional<LengthRow> lookup(const SizeParameters& size, std::string_view lengthText)
{
    const int key = keyIndex(lengthText);
    if (key < 0)
        return std::nullopt;
    return row(size, key);
}

} // namespace quill::lengths
