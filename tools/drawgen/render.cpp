#include "render.h"

#include "body.h"
#include "curve.h"
#include "dashes.h"
#include "hatch.h"
#include "palette.h"
#include "raster.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace drawgen {

namespace {

// Dashes along an axis-aligned line.
void drawRuns(Raster& raster, QPoint from, QPoint to, const std::vector<Run>& runs)
{
    const bool horizontal = from.y() == to.y();
    if (!horizontal && from.x() != to.x())
        throw std::invalid_argument("dashed lines must be horizontal or vertical");
    for (const Run& run : runs) {
        if (horizontal)
            raster.line(QPoint(run.first, from.y()), QPoint(run.last, from.y()), ink);
        else
            raster.line(QPoint(from.x(), run.first), QPoint(from.x(), run.last), ink);
    }
}

int along(QPoint p, bool horizontal)
{
    return horizontal ? p.x() : p.y();
}

void drawCentreLine(Raster& raster, const CentreLine& line)
{
    const bool horizontal = line.from.y() == line.to.y();
    std::optional<int> crossing;
    if (line.crossing)
        crossing = along(*line.crossing, horizontal);
    drawRuns(
        raster, line.from, line.to, centreLineRuns(along(line.from, horizontal), along(line.to, horizontal), crossing));
}

void drawHiddenLine(Raster& raster, const HiddenLine& line)
{
    const bool horizontal = line.from.y() == line.to.y();
    drawRuns(raster, line.from, line.to, hiddenRuns(along(line.from, horizontal), along(line.to, horizontal)));
}

// The arc takes up the dash pattern where its straight edges leave off: it opens and closes with a gap, so
// that the last dash of each edge keeps its length, and its dashes stretch or shrink a little to fit.
void drawHiddenArc(Raster& raster, const HiddenArc& arc)
{
    if (arc.from.x() != arc.to.x() || arc.apexX == arc.from.x())
        throw std::invalid_argument("hidden arcs need a vertical chord and an apex off it");
    const QPointF a = QPointF(arc.from) + QPointF(0.5, 0.5);
    const QPointF b = QPointF(arc.to) + QPointF(0.5, 0.5);
    const double midY = (a.y() + b.y()) / 2;
    const double half = std::abs(b.y() - a.y()) / 2;
    const double sag = arc.apexX + 0.5 - a.x();
    const double radius = (half * half + sag * sag) / (2 * std::abs(sag));
    const QPointF centre(arc.apexX + 0.5 - std::copysign(radius, sag), midY);
    // Through increasing angles (clockwise on screen, y down) from one end over the apex to the other.
    double from = std::atan2(a.y() - centre.y(), a.x() - centre.x());
    double to = std::atan2(b.y() - centre.y(), b.x() - centre.x());
    if (sag < 0)
        std::swap(from, to);
    const double span = std::fmod(to - from + 4 * std::numbers::pi, 2 * std::numbers::pi);
    to = from + span;
    const double length = span * radius;
    int dashes = 1;
    auto dashFor = [&](int n) { return (length - hiddenGap * (n + 1)) / n; };
    while (
        dashFor(dashes + 1) > 0 && std::abs(dashFor(dashes + 1) - hiddenDash) < std::abs(dashFor(dashes) - hiddenDash))
        ++dashes;
    const double period = dashFor(dashes) + hiddenGap;
    for (const CurvePixel& p : arcPixels(centre, radius, from, to, raster.scale())) {
        const double swept = std::fmod(p.angle - from + 2 * std::numbers::pi, 2 * std::numbers::pi);
        const double position = swept * radius;
        if (position < length - hiddenGap && std::fmod(position, period) >= hiddenGap)
            raster.set(p.device, ink);
    }
}

// A filled triangle about 14 pixels long and 5 wide whose point covers the tip pixel.
void drawArrow(Raster& raster, const Arrow& arrow)
{
    const QPointF tip = QPointF(arrow.tip) + QPointF(0.5, 0.5);
    QPointF back = QPointF(arrow.tail - arrow.tip);
    const double len = std::hypot(back.x(), back.y());
    if (len == 0)
        throw std::invalid_argument("arrow without a direction");
    back /= len;
    const QPointF across(-back.y(), back.x());
    // The point sits a little beyond the tip centre and the base a half pixel behind the 14th pixel,
    // so that no pixel centre falls on an edge.
    const QPointF point = tip - back * 0.3;
    const QPointF base = tip + back * 13.5;
    QPolygonF triangle;
    triangle << point << base + across * 2.5 << base - across * 2.5;
    raster.fillPolygon(triangle, ink);
}

QImage toIndexed(const QImage& rgb, int scale)
{
    QImage out(rgb.size(), QImage::Format_Indexed8);
    QList<QRgb> table(drawingColours.begin(), drawingColours.end());
    out.setColorTable(table);
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* dst = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const qsizetype index = table.indexOf(src[x] | 0xff000000);
            if (index < 0)
                throw std::logic_error("a colour outside the drawing palette");
            dst[x] = uchar(index);
        }
    }
    // 96 dpi at 1x; the 2x image keeps its logical size.
    const int dotsPerMeter = int(std::lround(96 * scale / 0.0254));
    out.setDotsPerMeterX(dotsPerMeter);
    out.setDotsPerMeterY(dotsPerMeter);
    return out;
}

} // namespace

QImage render(const Drawing& drawing, int scale)
{
    QImage canvas(drawing.size * scale, QImage::Format_RGB32);
    canvas.fill(background);
    Raster raster(canvas, scale);
    // Hatching first: bodies and outlines then cover it where they lie on the plates.
    for (const Plate& plate : drawing.plates)
        hatch(canvas, scale, plate);
    for (const Body& body : drawing.bodies)
        drawBody(raster, body);
    for (const Polyline& line : drawing.lines)
        raster.polyline(line, ink);
    for (const HiddenLine& line : drawing.hidden)
        drawHiddenLine(raster, line);
    for (const HiddenArc& arc : drawing.hiddenArcs)
        drawHiddenArc(raster, arc);
    for (const CentreLine& line : drawing.centreLines)
        drawCentreLine(raster, line);
    for (const Dimension& dimension : drawing.dimensions) {
        for (const Polyline& line : dimension.lines)
            raster.polyline(line, ink);
        for (const Arrow& arrow : dimension.arrows)
            drawArrow(raster, arrow);
    }
    return toIndexed(canvas, scale);
}

} // namespace drawgen
