#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// The one table of the dimensions the window shows: for each, the database field it comes from,
// its symbol, its Japanese name, and its place in the copied text. Labels, tooltips, screen-reader
// texts, the copy and the database schema (sizefields.h) all read these rows; no other file names
// a dimension. Plain C++ (no Qt), so that the reader process and quilldb can use it too; the
// Qt strings of a row are in dimensiontext.h, the values of the size shown in shownsize.h.
//
//   dimension(DimensionId::HeadDiameter).symbol        "dk"
//   dimensionByField("ｄｋ")->name                      the head diameter's name
//   describe(dimension(DimensionId::Pitch))            its name, a blank, "p"
//   for (const Dimension& d : copiedDimensions()) …    the 30 copied lines, in order
namespace quill {

// One per row of kDimensions, in the same order.
enum class DimensionId {
    Designation, // M
    Pitch, // p
    SocketAcrossFlats, // s
    SocketAcrossCorners, // e
    HeadDiameter, // dk
    HeadCorner, // v
    SocketDepth, // t
    SocketWall, // w
    FilletDiameter, // da
    ShankDiameter, // ds
    HeadHeight, // k
    CounterboreDiameter, // D
    CounterboreDepthSunk, // H''
    CounterboreDepthRaised, // H'
    HoleDiameter, // d'
    SpringWasherCounterbore, // D1
    SpringWasherDepth, // h1
    SpringWasherThickness, // t1
    PlainWasherCounterbore, // D2
    PlainWasherDepth, // h2
    PlainWasherThickness, // t2
    CombinedWashersDepth, // h3
    CombinedWashersThickness, // t3
    SmallWasherCounterbore, // D3
    SmallWasherDepth, // h4
    SmallWasherThickness, // t4
    NominalLength, // l
    ShankLength, // ls
    GripLength, // lg
    ThreadLength, // b
    CombinedWashersCounterbore, // D2 again, for spring and plain washer together
};

struct Dimension {
    DimensionId id;
    std::string_view field; // the size table's field, full-width; empty for the four lengths
    std::string_view symbol; // half-width, as on the drawings
    std::string_view name; // in Japanese
    // Whether the copied text has a line for it; those that have come first, in copy order.
    bool copied = true;
    // Whether its description ends with a blank and the symbol; the designation's is its name alone.
    bool symbolInDescription = true;
};

// In copy order: the designation, the pitch, the 24 other fields in the size table's column
// order, the nominal length and its three lengths; then the rows that are not copied.
inline constexpr std::array<Dimension, 31> kDimensions { {
    { DimensionId::Designation, "ネジの呼び", "M", "ねじの呼び", true, false },
    { DimensionId::Pitch, "ネジのピッチ", "p", "ピッチ" },
    { DimensionId::SocketAcrossFlats, "ｓ", "s", "六角穴の二面幅" },
    { DimensionId::SocketAcrossCorners, "ｅ", "e", "六角穴の対角距離" },
    { DimensionId::HeadDiameter, "ｄｋ", "dk", "頭部径" },
    { DimensionId::HeadCorner, "ｖ", "v", "頭部上面の角" },
    { DimensionId::SocketDepth, "ｔ", "t", "六角穴の深さ" },
    { DimensionId::SocketWall, "ｗ", "w", "六角穴の底から座面までの肉厚" },
    { DimensionId::FilletDiameter, "ｄａ", "da", "首下の丸み部の径" },
    { DimensionId::ShankDiameter, "ｄｓ", "ds", "円筒部の径" },
    { DimensionId::HeadHeight, "ｋ", "k", "頭部の高さ" },
    { DimensionId::CounterboreDiameter, "Ｄ", "D", "座ぐり径" },
    { DimensionId::CounterboreDepthSunk, "Ｈ''", "H''", "座ぐり深さ（頭部を沈める）" },
    { DimensionId::CounterboreDepthRaised, "Ｈ'", "H'", "座ぐり深さ（頭部が出る）" },
    { DimensionId::HoleDiameter, "ｄ'", "d'", "ボルト穴径" },
    { DimensionId::SpringWasherCounterbore, "Ｄ１", "D1", "座ぐり径（ばね座金）" },
    { DimensionId::SpringWasherDepth, "ｈ１", "h1", "座ぐり深さ（ばね座金）" },
    { DimensionId::SpringWasherThickness, "ｔ１", "t1", "座金の厚さ（ばね座金）" },
    { DimensionId::PlainWasherCounterbore, "Ｄ２", "D2", "座ぐり径（平座金 並丸）" },
    { DimensionId::PlainWasherDepth, "ｈ２", "h2", "座ぐり深さ（平座金 並丸）" },
    { DimensionId::PlainWasherThickness, "ｔ２", "t2", "座金の厚さ（平座金 並丸）" },
    { DimensionId::CombinedWashersDepth, "ｈ３", "h3", "座ぐり深さ（ばね座金・平座金兼用）" },
    { DimensionId::CombinedWashersThickness, "ｔ３", "t3", "座金の厚さ（ばね座金・平座金兼用）" },
    { DimensionId::SmallWasherCounterbore, "Ｄ３", "D3", "座ぐり径（平座金 小形丸）" },
    { DimensionId::SmallWasherDepth, "ｈ４", "h4", "座ぐり深さ（平座金 小形丸）" },
    { DimensionId::SmallWasherThickness, "ｔ４", "t4", "座金の厚さ（平座金 小形丸）" },
    { DimensionId::NominalLength, {}, "l", "呼び長さ" },
    { DimensionId::ShankLength, {}, "ls", "円筒部の長さ" },
    { DimensionId::GripLength, {}, "lg", "グリップ長さ" },
    { DimensionId::ThreadLength, {}, "b", "ねじ部長さ" },
    // The table has no fourth diameter: this washer case shows Ｄ２ under a name of its own.
    { DimensionId::CombinedWashersCounterbore, "Ｄ２", "D2", "座ぐり径（ばね座金・平座金兼用）", false },
} };

namespace detail {
constexpr std::size_t copiedCount()
{
    std::size_t count = 0;
    while (count < kDimensions.size() && kDimensions[count].copied)
        ++count;
    return count;
}
constexpr bool rowsFollowTheirIds()
{
    for (std::size_t i = 0; i < kDimensions.size(); ++i)
        if (static_cast<std::size_t>(kDimensions[i].id) != i || (kDimensions[i].copied && i >= copiedCount()))
            return false;
    return true;
}
} // namespace detail
static_assert(detail::rowsFollowTheirIds(), "rows in DimensionId order, the copied ones first");
static_assert(detail::copiedCount() == 30, "the copied text has 30 lines");

constexpr const Dimension& dimension(DimensionId id)
{
    return kDimensions[static_cast<std::size_t>(id)];
}

// The 30 copied rows, in copy order.
constexpr std::span<const Dimension> copiedDimensions()
{
    return std::span<const Dimension>(kDimensions).first(detail::copiedCount());
}

// The first row with that field or symbol (for Ｄ２ and D2 the copied one), or nullptr.
constexpr const Dimension* dimensionByField(std::string_view field)
{
    for (const Dimension& row : kDimensions)
        if (!field.empty() && row.field == field)
            return &row;
    return nullptr;
}
constexpr const Dimension* dimensionBySymbol(std::string_view symbol)
{
    for (const Dimension& row : kDimensions)
        if (row.symbol == symbol)
            return &row;
    return nullptr;
}

// What a label of this dimension says to tooltips and screen readers: the name, then a blank and
// the symbol where symbolInDescription says so.
inline std::string describe(const Dimension& row)
{
    std::string text(row.name);
    if (row.symbolInDescription)
        (text += ' ') += row.symbol;
    return text;
}

} // namespace quill
