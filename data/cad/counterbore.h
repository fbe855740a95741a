#pragma once

#include "dimensions.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <string_view>

namespace quill {
class SizeRecords;
}

namespace quill::cad {

// The counterbores the size records hold: two without washers, four with them. Each is drawn
// from three of the record's values.
enum class CounterboreCase { HeadSunk, HeadStanding, SpringWasher, PlainWasherNormal, PlainWasherSmall, BothWashers };

struct CounterboreKind {
    CounterboreCase id;
    std::string_view fileTag; // ASCII, for file names
    std::string_view title; // how the user picks it
    DimensionId diameter; // the dimensions of the record it is drawn from, with the hole's
    DimensionId depth;
};

// The six, in the order of the tab pages: the two sections of page 2, the four quadrants of page 3.
const std::array<CounterboreKind, 6>& counterboreKinds();

// The clearance hole's diameter, the same for all six.
inline constexpr DimensionId kHoleDiameter = DimensionId::HoleDiameter;

// A counterbore with its clearance hole, in millimetres.
struct Counterbore {
    double diameter = 0;
    double depth = 0;
    double holeDiameter = 0;
};

// The current record's counterbore of a kind; nullopt when the record leaves one of its values
// blank or they make no hole (the counterbore narrower than the hole, a depth of zero).
std::optional<Counterbore> counterboreOf(const SizeRecords& records, const CounterboreKind& kind);

// The counterbore at 1:1 in millimetres as DXF: a section (the axis at x 0, the surface at y 0)
// and, above it on the same axis, the top view; centre lines on the layer CENTER, outlines on
// OUTLINE.
QByteArray counterboreDxf(const Counterbore& hole);

} // namespace quill::cad
