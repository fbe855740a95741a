#include "curve.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <utility>

namespace drawgen {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;
constexpr double angleSlack = 1e-9;

// Angle measured from `from` into [0, 2 pi).
double sweepTo(double angle, double from)
{
    double s = std::fmod(angle - from, twoPi);
    return s < 0 ? s + twoPi : s;
}

bool inSweep(double angle, double from, double span)
{
    return sweepTo(angle, from) <= span + angleSlack;
}

// One pixel per column where the curve is flatter than 45 degrees and one per row where it is steeper:
// an 8-connected curve without doubled pixels.
std::vector<CurvePixel> thinArc(QPointF c, double r, double from, double span)
{
    std::set<std::pair<int, int>> seen;
    std::vector<CurvePixel> out;
    auto add = [&](int x, int y, double dx, double dy) {
        double a = std::atan2(dy, dx);
        if (inSweep(a, from, span) && seen.insert({ x, y }).second)
            out.push_back({ QPoint(x, y), a });
    };
    int x0 = int(std::floor(c.x() - r)) - 1;
    int x1 = int(std::ceil(c.x() + r)) + 1;
    for (int x = x0; x <= x1; ++x) {
        double dx = x + 0.5 - c.x();
        if (std::abs(dx) > r)
            continue;
        double dy = std::sqrt(r * r - dx * dx);
        if (std::abs(dx) > dy)
            continue;
        add(x, int(std::floor(c.y() + dy)), dx, dy);
        add(x, int(std::floor(c.y() - dy)), dx, -dy);
    }
    int y0 = int(std::floor(c.y() - r)) - 1;
    int y1 = int(std::ceil(c.y() + r)) + 1;
    for (int y = y0; y <= y1; ++y) {
        double dy = y + 0.5 - c.y();
        if (std::abs(dy) > r)
            continue;
        double dx = std::sqrt(r * r - dy * dy);
        if (std::abs(dy) >= dx)
            continue;
        add(int(std::floor(c.x() + dx)), y, dx, dy);
        add(int(std::floor(c.x() - dx)), y, -dx, dy);
    }
    return out;
}

// At higher scales: the device pixels whose centres lie within half a 1x pixel of the circle.
std::vector<CurvePixel> bandArc(QPointF c, double r, double from, double span, int scale)
{
    std::vector<CurvePixel> out;
    int x0 = int(std::floor((c.x() - r - 1) * scale));
    int x1 = int(std::ceil((c.x() + r + 1) * scale));
    int y0 = int(std::floor((c.y() - r - 1) * scale));
    int y1 = int(std::ceil((c.y() + r + 1) * scale));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            double dx = (x + 0.5) / scale - c.x();
            double dy = (y + 0.5) / scale - c.y();
            double d = std::hypot(dx, dy);
            if (d < r - 0.5 || d >= r + 0.5)
                continue;
            double a = std::atan2(dy, dx);
            if (inSweep(a, from, span))
                out.push_back({ QPoint(x, y), a });
        }
    }
    return out;
}

} // namespace

std::vector<CurvePixel> arcPixels(QPointF centre, double radius, double from, double to, int scale)
{
    double span = to - from;
    if (span >= twoPi - angleSlack)
        span = twoPi;
    std::vector<CurvePixel> out
        = scale == 1 ? thinArc(centre, radius, from, span) : bandArc(centre, radius, from, span, scale);
    std::sort(out.begin(), out.end(),
        [from](const CurvePixel& a, const CurvePixel& b) { return sweepTo(a.angle, from) < sweepTo(b.angle, from); });
    return out;
}

} // namespace drawgen
