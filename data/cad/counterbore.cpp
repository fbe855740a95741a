#include "counterbore.h"

#include "dimensiontext.h"
#include "dxfwriter.h"
#include "sizerecords.h"

#include <algorithm>
#include <cmath>

namespace quill::cad {

namespace {

std::optional<double> number(const SizeRecords& records, DimensionId id)
{
    bool ok = false;
    const double value = records.value(fieldName(dimension(id))).toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

using D = DimensionId;
constexpr std::array<CounterboreKind, 6> kKinds { {
    { CounterboreCase::HeadSunk, "sunk", "座金なし・頭部を沈める", D::CounterboreDiameter, D::CounterboreDepthSunk },
    { CounterboreCase::HeadStanding, "standing", "座金なし・頭部が出る", D::CounterboreDiameter,
        D::CounterboreDepthRaised },
    { CounterboreCase::SpringWasher, "spring", "ばね座金", D::SpringWasherCounterbore, D::SpringWasherDepth },
    { CounterboreCase::PlainWasherNormal, "plain-normal", "平座金（並丸）", D::PlainWasherCounterbore,
        D::PlainWasherDepth },
    { CounterboreCase::PlainWasherSmall, "plain-small", "平座金（小形丸）", D::SmallWasherCounterbore,
        D::SmallWasherDepth },
    { CounterboreCase::BothWashers, "spring-plain", "ばね座金・平座金兼用", D::CombinedWashersCounterbore,
        D::CombinedWashersDepth },
} };

enum Layers { Outline, CentreLines };

// Centre lines run this far past the outline: a share of the counterbore, at least 2 mm.
double overshoot(const Counterbore& hole)
{
    return std::max(2.0, hole.diameter * 0.15);
}

// The centre line's dash pattern (CENTER, 20 mm long) scaled down on short lines, so that each
// shows at least two long dashes.
double patternScale(double length)
{
    return std::clamp(length / 40.0, 0.1, 1.0);
}

void centreLine(DxfDrawing& drawing, Point from, Point to)
{
    drawing.addLine(CentreLines, from, to, patternScale(std::hypot(to.x - from.x, to.y - from.y)));
}

} // namespace

const std::array<CounterboreKind, 6>& counterboreKinds()
{
    return kKinds;
}

std::optional<Counterbore> counterboreOf(const SizeRecords& records, const CounterboreKind& kind)
{
    const auto diameter = number(records, kind.diameter);
    const auto depth = number(records, kind.depth);
    const auto hole = number(records, kHoleDiameter);
    if (!diameter || !depth || !hole || !(*hole > 0) || !(*diameter > *hole) || !(*depth > 0))
        return std::nullopt;
    return Counterbore { *diameter, *depth, *hole };
}

QByteArray counterboreDxf(const Counterbore& hole)
{
    DxfDrawing drawing({
        { "OUTLINE", 7, kContinuous, 50 },
        { "CENTER", 1, kCentre, 25 },
    });
    const double r = hole.diameter / 2;
    const double rh = hole.holeDiameter / 2;
    const double h = hole.depth;
    const double e = overshoot(hole);

    // Section, cut through the axis: the plate's surface beside the counterbore, its wall and floor,
    // and the clearance hole, shown one hole diameter deep and open below (it goes on through
    // whatever plate it is drawn into).
    const double margin = r;
    const double holeEnd = -h - hole.holeDiameter;
    for (const double side : { -1.0, 1.0 }) {
        drawing.addLine(Outline, { side * (r + margin), 0 }, { side * r, 0 });
        drawing.addLine(Outline, { side * r, 0 }, { side * r, -h });
        drawing.addLine(Outline, { side * r, -h }, { side * rh, -h });
        drawing.addLine(Outline, { side * rh, -h }, { side * rh, holeEnd });
    }
    centreLine(drawing, { 0, e }, { 0, holeEnd - e });

    // Top view, above the section on the same axis: the counterbore and, inside it, the hole.
    const double gap = std::max(e, hole.diameter * 0.3);
    const Point centre { 0, e + gap + e + r };
    drawing.addCircle(Outline, centre, r);
    drawing.addCircle(Outline, centre, rh);
    centreLine(drawing, { -r - e, centre.y }, { r + e, centre.y });
    centreLine(drawing, { 0, centre.y - r - e }, { 0, centre.y + r + e });
    return drawing.text();
}

} // namespace quill::cad
