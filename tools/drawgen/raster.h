#pragma once

#include "drawing.h"

#include <QImage>
#include <QPolygonF>

namespace drawgen {

// Paints on an RGB32 image in 1x pixel coordinates. At scale s every 1x pixel is an s-by-s block and every
// line is s device pixels wide, so axis-aligned lines land on exactly the blocks of their 1x pixels.
class Raster {
public:
    Raster(QImage& image, int scale);

    int scale() const { return scale_; }
    QImage& image() { return image_; }

    void line(QPoint a, QPoint b, QRgb colour);
    void polyline(const Polyline& points, QRgb colour);
    // Corners in continuous coordinates (pixel x covers x to x + 1); covers the pixels whose centres lie inside.
    void fillPolygon(const QPolygonF& corners, QRgb colour);
    void set(QPoint device, QRgb colour);

private:
    void slantedLine(QPoint a, QPoint b, QRgb colour);

    QImage& image_;
    int scale_;
};

} // namespace drawgen
