#pragma once

#include <QPoint>
#include <QPointF>

#include <vector>

namespace drawgen {

struct CurvePixel {
    QPoint device;
    double angle; // radians from the +x axis, y down, within the arc's range
};

// The pixels of a circular arc one 1x pixel wide at the given scale. Centre and radius are in continuous 1x
// coordinates (pixel x covers x to x + 1); the arc runs from angle `from` through increasing angles to `to`.
// Drawn by hand rather than by QPainter so that circles come out mirror-symmetric and arcs can be dashed
// by their length.
std::vector<CurvePixel> arcPixels(QPointF centre, double radius, double from, double to, int scale);

} // namespace drawgen
