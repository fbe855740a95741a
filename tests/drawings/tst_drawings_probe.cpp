#include "tst_drawings_probe.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <deque>

namespace probe {

Sheet::Sheet(const QImage& image, int scale)
    : image_(image.convertToFormat(QImage::Format_RGB32))
    , scale_(scale)
{
}

QRgb Sheet::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return background;
    return image_.pixel(x, y) | 0xff000000;
}

bool Sheet::blockAll(QPoint p, QRgb colour) const
{
    for (int dy = 0; dy < scale_; ++dy)
        for (int dx = 0; dx < scale_; ++dx)
            if (at(p.x() * scale_ + dx, p.y() * scale_ + dy) != colour)
                return false;
    return true;
}

bool Sheet::blockAny(QPoint p, QRgb colour) const
{
    for (int dy = 0; dy < scale_; ++dy)
        for (int dx = 0; dx < scale_; ++dx)
            if (at(p.x() * scale_ + dx, p.y() * scale_ + dy) == colour)
                return true;
    return false;
}

double Sheet::inkShare(QPoint p) const
{
    int inked = 0;
    for (int dy = 0; dy < scale_; ++dy)
        for (int dx = 0; dx < scale_; ++dx)
            inked += at(p.x() * scale_ + dx, p.y() * scale_ + dy) == ink;
    return double(inked) / (scale_ * scale_);
}

namespace {

enum class State { Dash, Gap, Crossed, Unknown };

} // namespace

std::vector<Run> runsAlong(const Sheet& sheet, QPoint from, QPoint to)
{
    const int s = sheet.scale();
    const bool horizontal = from.y() == to.y();
    const int lineAt = horizontal ? from.y() : from.x();
    const int a = std::min(horizontal ? from.x() : from.y(), horizontal ? to.x() : to.y()) * s;
    const int b = std::max(horizontal ? from.x() : from.y(), horizontal ? to.x() : to.y()) * s + s - 1;
    auto pixel
        = [&](int along, int across) { return horizontal ? sheet.black(along, across) : sheet.black(across, along); };
    // One state per device position, with one position beyond each end.
    std::vector<State> states;
    for (int p = a - 1; p <= b + 1; ++p) {
        int inked = 0;
        for (int k = 0; k < s; ++k)
            inked += pixel(p, lineAt * s + k);
        const bool beside = pixel(p, lineAt * s - 1) || pixel(p, lineAt * s + s);
        if (inked == 0)
            states.push_back(State::Gap);
        else if (inked == s && !beside)
            states.push_back(State::Dash);
        else
            states.push_back(State::Crossed);
    }
    for (std::size_t i = 0; i < states.size();) {
        if (states[i] != State::Crossed) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < states.size() && states[j] == State::Crossed)
            ++j;
        const State left = i > 0 ? states[i - 1] : State::Unknown;
        const State right = j < states.size() ? states[j] : State::Unknown;
        const State resolved = left == right && left != State::Unknown ? left : State::Unknown;
        std::fill(states.begin() + long(i), states.begin() + long(j), resolved);
        i = j;
    }
    std::vector<Run> runs;
    const std::size_t last = states.size() - 1;
    for (std::size_t i = 1; i < last;) {
        const State st = states[i];
        std::size_t j = i;
        while (j < last && states[j] == st)
            ++j;
        if (st != State::Unknown) {
            const State before = states[i - 1];
            const State after = states[j];
            const bool bounded = before != State::Unknown && after != State::Unknown && before != st && after != st;
            runs.push_back({ st == State::Dash, a - 1 + int(i), a - 1 + int(j) - 1, bounded });
        }
        i = j;
    }
    return runs;
}

ArrowFit fitArrow(const Sheet& sheet, QPoint tip, QPoint tail, double reach)
{
    const int s = sheet.scale();
    QPointF u = QPointF(tail - tip);
    u /= std::hypot(u.x(), u.y());
    const QPointF n(-u.y(), u.x());
    ArrowFit best { -1, QStringLiteral("no filled arrowhead near the tip") };
    double bestFill = 0;
    for (double dy = -reach; dy <= reach; dy += 0.5) {
        for (double dx = -reach; dx <= reach; dx += 0.5) {
            const double dist = std::hypot(dx, dy);
            if (dist > reach)
                continue;
            const QPointF point = QPointF(tip) + QPointF(0.5 + dx, 0.5 + dy);
            // Ink fractions over zones of the ideal 14 x 5 triangle and just around it.
            int inside = 0, insideInk = 0, base = 0, baseInk = 0, nearTip = 0, nearTipInk = 0, sides = 0, sidesInk = 0,
                beyond = 0, beyondInk = 0;
            const int x0 = int(std::floor((point.x() - 19) * s));
            const int x1 = int(std::ceil((point.x() + 19) * s));
            const int y0 = int(std::floor((point.y() - 19) * s));
            const int y1 = int(std::ceil((point.y() + 19) * s));
            for (int y = y0; y <= y1; ++y) {
                for (int x = x0; x <= x1; ++x) {
                    const QPointF q = QPointF((x + 0.5) / s, (y + 0.5) / s) - point;
                    const double along = q.x() * u.x() + q.y() * u.y();
                    const double across = std::abs(q.x() * n.x() + q.y() * n.y());
                    const bool inked = sheet.black(x, y);
                    if (along >= 0.5 && along <= 12.5 && across <= 2.5 * (along + 0.3) / 13.8 - 0.35) {
                        ++inside;
                        insideInk += inked;
                    }
                    const bool offAxis = across >= 1.6 && across <= 2.6;
                    // The base is where the point is placed most sharply: 5 wide at 13, gone at 14.
                    if (along >= 12.6 && along <= 13.4 && across >= 1.3 && across <= 2.0) {
                        ++base;
                        baseInk += inked;
                    }
                    if (along >= 1 && along <= 3.5 && offAxis) {
                        ++nearTip;
                        nearTipInk += inked;
                    }
                    if (along >= 2 && along <= 13 && across >= 3.6 && across <= 4.6) {
                        ++sides;
                        sidesInk += inked;
                    }
                    if (along >= 13.6 && along <= 14.6 && offAxis) {
                        ++beyond;
                        beyondInk += inked;
                    }
                }
            }
            const double fill = double(insideInk) / inside;
            QString why;
            if (fill < 0.95)
                why = QStringLiteral("not filled (%1)").arg(fill);
            else if (double(baseInk) / base < 0.75)
                why = QStringLiteral("no base 5 wide at 13 from the point");
            else if (double(nearTipInk) / nearTip > 0.25)
                why = QStringLiteral("not pointed at the tip");
            else if (double(sidesInk) / sides > 0.25)
                why = QStringLiteral("wider than about 5");
            else if (double(beyondInk) / beyond > 0.25)
                why = QStringLiteral("still wide past 14 from the point");
            if (why.isEmpty() && (best.distance < 0 || fill > bestFill || (fill == bestFill && dist < best.distance))) {
                best = { dist, QString() };
                bestFill = fill;
            } else if (best.distance < 0 && !why.isEmpty() && fill > bestFill) {
                best.why = why;
                bestFill = fill;
            }
        }
    }
    return best;
}

InkAreas inkAreas(const Sheet& sheet)
{
    const int s = sheet.scale();
    const int w = sheet.width();
    const int h = sheet.height();
    auto index = [w](int x, int y) { return std::size_t(y) * std::size_t(w) + std::size_t(x); };
    auto inside = [w, h](QPoint p) { return p.x() >= 0 && p.y() >= 0 && p.x() < w && p.y() < h; };
    // Centres of (2s + 1)-squares of ink.
    std::vector<unsigned char> core(std::size_t(w) * std::size_t(h), 0);
    for (int y = s; y < h - s; ++y) {
        for (int x = s; x < w - s; ++x) {
            bool solid = true;
            for (int dy = -s; dy <= s && solid; ++dy)
                for (int dx = -s; dx <= s && solid; ++dx)
                    solid = sheet.black(x + dx, y + dy);
            core[index(x, y)] = solid;
        }
    }
    InkAreas out;
    out.width = w;
    out.height = h;
    // Separate areas of core pixels, 8-connected.
    std::vector<unsigned char> seen(core.size(), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!core[index(x, y)] || seen[index(x, y)])
                continue;
            ++out.areas;
            std::vector<QPoint> stack { QPoint(x, y) };
            seen[index(x, y)] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint q = p + QPoint(dx, dy);
                        if (inside(q) && core[index(q.x(), q.y())] && !seen[index(q.x(), q.y())]) {
                            seen[index(q.x(), q.y())] = 1;
                            stack.push_back(q);
                        }
                    }
                }
            }
        }
    }
    // An arrowhead reaches from its solid part to its point, about 7 pixels further along the ink.
    const int walk = 8 * s;
    out.mask.assign(core.size(), 0);
    std::vector<int> steps(core.size(), -1);
    std::deque<QPoint> queue;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (core[index(x, y)]) {
                steps[index(x, y)] = 0;
                queue.push_back(QPoint(x, y));
            }
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        out.mask[index(p.x(), p.y())] = 1;
        const int d = steps[index(p.x(), p.y())];
        if (d == walk)
            continue;
        for (QPoint step : { QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1) }) {
            const QPoint q = p + step;
            if (!inside(q) || !sheet.black(q.x(), q.y()) || steps[index(q.x(), q.y())] >= 0)
                continue;
            steps[index(q.x(), q.y())] = d + 1;
            queue.push_back(q);
        }
    }
    return out;
}

std::vector<double> hatchCrossings(const Sheet& sheet, int y, int x0, int x1)
{
    const int s = sheet.scale();
    const int row = y * s;
    std::vector<double> centres;
    for (int x = x0 * s; x <= x1 * s + s - 1;) {
        if (!sheet.black(x, row)) {
            ++x;
            continue;
        }
        int end = x;
        while (end + 1 <= x1 * s + s - 1 && sheet.black(end + 1, row))
            ++end;
        // A crossing cut by either end of the range has no true centre.
        if (x > x0 * s && end < x1 * s + s - 1)
            centres.push_back((x + end) / 2.0);
        x = end + 1;
    }
    return centres;
}

int longestInkRun(const Sheet& sheet, int x, int y0, int y1)
{
    const int s = sheet.scale();
    int best = 0;
    int run = 0;
    for (int y = y0 * s; y <= y1 * s + s - 1; ++y) {
        run = sheet.black(x * s, y) ? run + 1 : 0;
        best = std::max(best, run);
    }
    return (best + s - 1) / s;
}

int inkRows(const Sheet& sheet, int x, int y0, int y1)
{
    int rows = 0;
    for (int y = y0; y <= y1; ++y)
        rows += sheet.blockAny(QPoint(x, y), ink);
    return rows;
}

} // namespace probe
