#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <variant>
#include <vector>

// A drawing as plain coordinates: pixels of the 1x grid, x to the right, y down, ranges inclusive.
namespace drawgen {

// A corner of a closed outline; round > 0 rounds it with that radius (both edges axis-aligned).
struct Vertex {
    int x;
    int y;
    int round = 0;
};
using Polygon = std::vector<Vertex>;

// A circle given by its pixel extents: leftmost column, topmost row and diameter in pixels.
struct Circle {
    QPoint topLeft;
    int diameter;
};
using Shape = std::variant<Polygon, Circle>;

// A solid in body grey: its closed outlines, and a pixel inside the grey part where the fill starts.
struct Body {
    std::vector<Shape> outline;
    QPoint seed;
};

using Polyline = std::vector<QPoint>;

// A sectioned plate: 45-degree hatching over area less the cutouts, spacing along a row in half pixels.
struct Plate {
    QRect area;
    std::vector<QRect> cutouts;
    int spacingHalves;
    bool rising;
};

// Long and short dashes; where crossing is set, a short dash is centred on it.
struct CentreLine {
    QPoint from;
    QPoint to;
    std::optional<QPoint> crossing;
};

// A hidden edge, axis-aligned, starting with a dash at from.
struct HiddenLine {
    QPoint from;
    QPoint to;
};

// A hidden circular arc from one end of a vertical chord to the other, bulging out to apexX.
struct HiddenArc {
    QPoint from;
    QPoint to;
    int apexX;
};

// A filled arrowhead with its point at tip, its body towards tail.
struct Arrow {
    QPoint tip;
    QPoint tail;
};

struct Dimension {
    const char* name;
    std::vector<Polyline> lines;
    std::vector<Arrow> arrows;
};

struct Drawing {
    QSize size;
    std::vector<Plate> plates;
    std::vector<Body> bodies;
    std::vector<Polyline> lines;
    std::vector<HiddenLine> hidden;
    std::vector<HiddenArc> hiddenArcs;
    std::vector<CentreLine> centreLines;
    std::vector<Dimension> dimensions;
};

Drawing screwDrawing();
Drawing counterboreDrawing();
Drawing washerDrawing();

} // namespace drawgen
