#include "body.h"

#include "curve.h"
#include "palette.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace drawgen {

namespace {

QPoint unitStep(QPoint from, QPoint to)
{
    QPoint d = to - from;
    if (d.x() != 0 && d.y() != 0)
        throw std::invalid_argument("rounded corners need axis-aligned edges");
    return QPoint(d.x() > 0 ? 1 : d.x() < 0 ? -1 : 0, d.y() > 0 ? 1 : d.y() < 0 ? -1 : 0);
}

void plotArc(Raster& raster, QPointF centre, double radius, double from, double to, QRgb colour)
{
    for (const CurvePixel& p : arcPixels(centre, radius, from, to, raster.scale()))
        raster.set(p.device, colour);
}

void drawPolygon(Raster& raster, const Polygon& polygon, QRgb colour)
{
    const std::size_t n = polygon.size();
    // Each corner as the pixel where its incoming edge ends and where its outgoing edge starts.
    std::vector<QPoint> enter(n);
    std::vector<QPoint> leave(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& v = polygon[i];
        QPoint here(v.x, v.y);
        enter[i] = leave[i] = here;
        if (v.round <= 0)
            continue;
        const Vertex& prev = polygon[(i + n - 1) % n];
        const Vertex& next = polygon[(i + 1) % n];
        QPoint in = unitStep(QPoint(prev.x, prev.y), here);
        QPoint out = unitStep(here, QPoint(next.x, next.y));
        enter[i] = here - in * v.round;
        leave[i] = here + out * v.round;
        QPointF centre = QPointF(here - in * v.round + out * v.round) + QPointF(0.5, 0.5);
        QPointF a = QPointF(enter[i]) + QPointF(0.5, 0.5) - centre;
        QPointF b = QPointF(leave[i]) + QPointF(0.5, 0.5) - centre;
        double from = std::atan2(a.y(), a.x());
        double to = std::atan2(b.y(), b.x());
        // The quarter turn between the two tangent points, whichever way the outline runs.
        double turn = std::remainder(to - from, 2 * std::numbers::pi);
        if (turn < 0)
            std::swap(from, to);
        if (to < from)
            to += 2 * std::numbers::pi;
        plotArc(raster, centre, v.round, from, to, colour);
    }
    for (std::size_t i = 0; i < n; ++i)
        raster.line(leave[i], enter[(i + 1) % n], colour);
}

void drawCircle(Raster& raster, const Circle& circle, QRgb colour)
{
    double r = (circle.diameter - 1) / 2.0;
    QPointF centre = QPointF(circle.topLeft) + QPointF(circle.diameter / 2.0, circle.diameter / 2.0);
    plotArc(raster, centre, r, 0, 2 * std::numbers::pi, colour);
}

void floodFill(QImage& image, QPoint seed, QRgb colour)
{
    const QRgb target = image.pixel(seed);
    std::vector<QPoint> stack { seed };
    while (!stack.empty()) {
        QPoint p = stack.back();
        stack.pop_back();
        if (!image.rect().contains(p) || image.pixel(p) != target)
            continue;
        image.setPixel(p, colour);
        stack.push_back(p + QPoint(1, 0));
        stack.push_back(p - QPoint(1, 0));
        stack.push_back(p + QPoint(0, 1));
        stack.push_back(p - QPoint(0, 1));
    }
}

} // namespace

void drawOutline(Raster& raster, const Shape& shape, QRgb colour)
{
    if (const auto* polygon = std::get_if<Polygon>(&shape))
        drawPolygon(raster, *polygon, colour);
    else
        drawCircle(raster, std::get<Circle>(shape), colour);
}

void drawBody(Raster& raster, const Body& body)
{
    constexpr QRgb open = 0xffffffff;
    constexpr QRgb filled = 0xff00ff00;
    QImage scratch(raster.image().size(), QImage::Format_RGB32);
    scratch.fill(open);
    Raster outline(scratch, raster.scale());
    for (const Shape& shape : body.outline)
        drawOutline(outline, shape, ink);
    const QPoint seed = body.seed * raster.scale();
    if (!scratch.rect().contains(seed) || scratch.pixel(seed) != open)
        throw std::invalid_argument("body seed " + std::to_string(body.seed.x()) + "," + std::to_string(body.seed.y())
            + " is not inside an outline");
    floodFill(scratch, seed, filled);
    // A seed outside every outline would flood the whole image.
    if (scratch.pixel(0, 0) == filled)
        throw std::invalid_argument("body seed " + std::to_string(body.seed.x()) + "," + std::to_string(body.seed.y())
            + " leaks out of its outline");
    QImage& canvas = raster.image();
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (scratch.pixel(x, y) == filled)
                canvas.setPixel(x, y, bodyGrey);
    for (const Shape& shape : body.outline)
        drawOutline(raster, shape, ink);
}

} // namespace drawgen
