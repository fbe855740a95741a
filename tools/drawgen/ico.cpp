#include "ico.h"

#include "littleendian.h"

#include <algorithm>
#include <stdexcept>

namespace drawgen {

QByteArray writeIco(const QImage& source, const std::array<QRgb, 16>& palette)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    if (w < 1 || h < 1 || w > 256 || h > 256)
        throw std::invalid_argument("icon size out of range");
    // Rows are padded to four bytes: 4 bits per pixel for the colours, 1 bit per pixel for the mask.
    const int colourStride = ((w * 4 + 31) / 32) * 4;
    const int maskStride = ((w + 31) / 32) * 4;
    const quint32 bitmapSize = 40 + 16 * 4 + quint32((colourStride + maskStride) * h);

    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // icon
    put16(out, 1); // one image
    out.append(char(w == 256 ? 0 : w));
    out.append(char(h == 256 ? 0 : h));
    out.append(char(16)); // colours
    out.append(char(0));
    put16(out, 1); // planes
    put16(out, 4); // bits per pixel
    put32(out, bitmapSize);
    put32(out, 6 + 16);

    // The bitmap header counts colour rows and mask rows together.
    put32(out, 40);
    put32(out, quint32(w));
    put32(out, quint32(2 * h));
    put16(out, 1);
    put16(out, 4);
    put32(out, 0); // uncompressed
    put32(out, quint32((colourStride + maskStride) * h));
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 0);
    for (QRgb c : palette) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }

    QByteArray colours(qsizetype(colourStride) * h, '\0');
    QByteArray mask(qsizetype(maskStride) * h, '\0');
    for (int y = 0; y < h; ++y) {
        const int row = h - 1 - y; // bottom-up
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            int index = 0;
            if (qAlpha(c) == 0) {
                mask[row * maskStride + x / 8] = char(mask[row * maskStride + x / 8] | (0x80 >> (x % 8)));
            } else {
                const auto it = std::find(palette.begin(), palette.end(), c | 0xff000000);
                if (qAlpha(c) != 255 || it == palette.end())
                    throw std::invalid_argument("icon pixel outside the 16-colour palette");
                index = int(it - palette.begin());
            }
            char& byte = colours[row * colourStride + x / 2];
            byte = char(byte | (x % 2 == 0 ? index << 4 : index));
        }
    }
    out.append(colours);
    out.append(mask);
    return out;
}

} // namespace drawgen
