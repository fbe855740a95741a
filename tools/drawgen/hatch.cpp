#include "hatch.h"

#include "palette.h"

#include <cmath>

namespace drawgen {

namespace {

bool inside(const Plate& plate, QPoint p)
{
    if (!plate.area.contains(p))
        return false;
    for (const QRect& cut : plate.cutouts)
        if (cut.contains(p))
            return false;
    return true;
}

// Whether a hatch line passes through the 1x pixels whose coordinate sum (rising) or difference (falling) is k:
// lines every spacingHalves / 2 pixels along a row, so a spacing of 9.5 alternates gaps of 10 and 9.
bool onLine(long k, int spacingHalves)
{
    long m = (2 * k) % spacingHalves;
    if (m < 0)
        m += spacingHalves;
    return m < 2;
}

} // namespace

void hatch(QImage& image, int scale, const Plate& plate)
{
    const QRect device(plate.area.topLeft() * scale, plate.area.size() * scale);
    // Distance from a pixel centre to a 45-degree line, measured across k, within half a 1x pixel.
    const double reach = 0.5 * std::sqrt(2.0);
    for (int y = device.top(); y <= device.bottom(); ++y) {
        for (int x = device.left(); x <= device.right(); ++x) {
            if (!inside(plate, QPoint(x / scale, y / scale)))
                continue;
            double cx = (x + 0.5) / scale;
            double cy = (y + 0.5) / scale;
            // A 1x pixel whose centre has sum (or difference) c belongs to line k = c - 1 (rising) or c (falling).
            double c = plate.rising ? cx + cy - 1 : cx - cy;
            bool hit = false;
            for (long k = long(std::floor(c - reach)); k <= long(std::ceil(c + reach)) && !hit; ++k)
                hit = std::abs(c - double(k)) <= reach + 1e-9 && onLine(k, plate.spacingHalves);
            if (hit && image.rect().contains(x, y))
                image.setPixel(x, y, ink);
        }
    }
}

} // namespace drawgen
