#pragma once

#include <QByteArray>
#include <QImage>

namespace drawgen {

// A Windows bitmap of an 8-bit indexed image, its rows run-length encoded (RLE8): the drawings are
// long runs of few colours, so the file is small and decodes with little work.
QByteArray writeBmp(const QImage& image);

} // namespace drawgen
