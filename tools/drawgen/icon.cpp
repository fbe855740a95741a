#include "icon.h"

#include "ico.h"
#include "palette.h"

#include <QImageReader>

#include <algorithm>
#include <stdexcept>

namespace drawgen {

IconFiles iconFromXpm(const QString& path)
{
    QImageReader reader(path, "xpm");
    QImage source = reader.read();
    if (source.isNull())
        throw std::runtime_error("cannot read " + path.toStdString() + ": " + reader.errorString().toStdString());
    if (source.size() != QSize(32, 32))
        throw std::runtime_error("the icon must be 32 x 32 pixels");
    QImage png = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            const QRgb c = png.pixel(x, y);
            if (qAlpha(c) == 0) {
                png.setPixel(x, y, 0); // one transparent value, whatever the source said
                continue;
            }
            if (qAlpha(c) != 255 || std::find(vgaColours.begin(), vgaColours.end(), c) == vgaColours.end())
                throw std::runtime_error("icon colour outside the 16-colour palette");
        }
    }
    png.setDotsPerMeterX(3780);
    png.setDotsPerMeterY(3780);
    return { png, writeIco(png, vgaColours) };
}

} // namespace drawgen
