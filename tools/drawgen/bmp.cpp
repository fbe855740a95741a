#include "bmp.h"

#include "littleendian.h"

#include <stdexcept>

namespace drawgen {

QByteArray writeBmp(const QImage& image)
{
    if (image.format() != QImage::Format_Indexed8 || image.colorCount() < 1)
        throw std::invalid_argument("bitmaps are written from 8-bit indexed images");
    const int w = image.width();
    const int h = image.height();
    const int colours = image.colorCount();

    // Runs of up to 255 equal pixels; each row ends with an end-of-line mark, the last one with
    // end-of-bitmap. Rows go bottom-up.
    QByteArray pixels;
    for (int y = h - 1; y >= 0; --y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < w;) {
            int run = 1;
            while (x + run < w && run < 255 && row[x + run] == row[x])
                ++run;
            pixels.append(char(run));
            pixels.append(char(row[x]));
            x += run;
        }
        pixels.append('\0');
        pixels.append(char(y == 0 ? 1 : 0));
    }

    const quint32 pixelsAt = 14 + 40 + 4 * quint32(colours);
    QByteArray out;
    out.append("BM", 2);
    put32(out, pixelsAt + quint32(pixels.size()));
    put32(out, 0); // reserved
    put32(out, pixelsAt);

    put32(out, 40);
    put32(out, quint32(w));
    put32(out, quint32(h));
    put16(out, 1);
    put16(out, 8);
    put32(out, 1); // RLE8
    put32(out, quint32(pixels.size()));
    put32(out, 0);
    put32(out, 0);
    put32(out, quint32(colours));
    put32(out, quint32(colours));
    for (QRgb c : image.colorTable()) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
    out.append(pixels);
    return out;
}

} // namespace drawgen
