#include "drawings.h"

#include "rostari-bolt.xpm"

#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace {

// drawgen keeps the drawings as 8-bit palette bitmaps, run-length encoded: small, and quick to decode.
QImage drawing(const QString& name, int density)
{
    // Read as the bitmaps they are: asked to find out the format, the reader would load every
    // image-format plugin to ask it about the file.
    QImageReader reader(
        QStringLiteral(":/drawings/") + name + (density == 2 ? QStringLiteral("@2x.bmp") : QStringLiteral(".bmp")),
        "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QPixmap drawingFor(const QString& name, qreal devicePixelRatio)
{
    // At ratio 1 the 8-bit palette drawing as it is, painted 1:1.
    if (devicePixelRatio == 1.0)
        return QPixmap::fromImage(drawing(name, 1), Qt::NoFormatConversion);

    // Every other ratio gets 32-bit pixels made for exactly that ratio, and no palette image with a
    // ratio other than 1 ever reaches the label: scaling one (QImage::transformed, which QLabel uses
    // whenever the screen's ratio differs from the pixmap's) drops the palette in Qt 6.4, and the
    // paint engine's worker threads then read colours through a null table and crash.
    const int density = devicePixelRatio > 1.0 ? 2 : 1;
    QImage image = drawing(name, density).convertToFormat(QImage::Format_RGB32);
    const QSize size = (QSizeF(image.size()) * (devicePixelRatio / density)).toSize();
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(std::move(image));
}

} // namespace

QIcon windowIconImage()
{
    return QIcon(QPixmap::fromImage(QImage(rostari_bolt)));
}

PictureLabel::PictureLabel(const QString& drawing, QWidget* parent)
    : QLabel(parent)
    , m_drawing(drawing)
{
}

void PictureLabel::showEvent(QShowEvent* event)
{
    if (pixmap().isNull())
        setPixmap(drawingFor(m_drawing, devicePixelRatioF()));
    QLabel::showEvent(event);
}
