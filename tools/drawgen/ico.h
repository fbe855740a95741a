#pragma once

#include <QByteArray>
#include <QImage>

#include <array>

namespace drawgen {

// A Windows icon file holding one 4-bit image with its AND mask. Every opaque pixel must be one of the 16
// palette colours; pixels with alpha 0 become transparent through the mask.
QByteArray writeIco(const QImage& image, const std::array<QRgb, 16>& palette);

} // namespace drawgen
