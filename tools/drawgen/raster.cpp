#include "raster.h"

#include <QPainter>
#include <QPen>

#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace drawgen {

namespace {

QPointF centreOf(QPoint p)
{
    return QPointF(p) + QPointF(0.5, 0.5);
}

} // namespace

Raster::Raster(QImage& image, int scale)
    : image_(image)
    , scale_(scale)
{
    if (image.format() != QImage::Format_RGB32 || scale < 1)
        throw std::invalid_argument("raster needs an RGB32 image and a positive scale");
}

void Raster::line(QPoint a, QPoint b, QRgb colour)
{
    if (a == b) {
        for (int dy = 0; dy < scale_; ++dy)
            for (int dx = 0; dx < scale_; ++dx)
                set(a * scale_ + QPoint(dx, dy), colour);
        return;
    }
    if (scale_ == 1 && a.x() != b.x() && a.y() != b.y()) {
        slantedLine(a, b, colour);
        return;
    }
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (scale_ == 1) {
        // A cosmetic pen steps through the pixel centres and includes both ends.
        QPen pen { QColor(colour) };
        pen.setCosmetic(true);
        pen.setWidth(0);
        painter.setPen(pen);
    } else {
        // Square caps reach half a pixel past both centres: whole blocks at the ends.
        painter.scale(scale_, scale_);
        QPen pen(QColor(colour), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        painter.setPen(pen);
    }
    painter.drawLine(centreOf(a), centreOf(b));
}

// Qt's cosmetic lines that fall to the left land one row low where they pass exactly through pixel centres,
// so slanted 1x lines are stepped here: one pixel per step along the longer axis, the nearest to the line.
void Raster::slantedLine(QPoint a, QPoint b, QRgb colour)
{
    // Always from the left end, so a line comes out the same whichever way round it is given.
    if (b.x() < a.x())
        std::swap(a, b);
    const QPoint d = b - a;
    const bool xMajor = std::abs(d.x()) >= std::abs(d.y());
    const int steps = xMajor ? std::abs(d.x()) : std::abs(d.y());
    const int minor = xMajor ? d.y() : d.x();
    for (int i = 0; i <= steps; ++i) {
        const int across = (2 * i * std::abs(minor) + steps) / (2 * steps) * (minor < 0 ? -1 : 1);
        const int along = xMajor ? i : (d.y() > 0 ? i : -i);
        set(a + (xMajor ? QPoint(along, across) : QPoint(across, along)), colour);
    }
}

void Raster::polyline(const Polyline& points, QRgb colour)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        line(points[i - 1], points[i], colour);
}

void Raster::fillPolygon(const QPolygonF& corners, QRgb colour)
{
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(scale_, scale_);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(colour));
    painter.drawPolygon(corners);
}

void Raster::set(QPoint device, QRgb colour)
{
    if (image_.rect().contains(device))
        image_.setPixel(device, colour);
}

} // namespace drawgen
