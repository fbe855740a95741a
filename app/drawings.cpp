#include "drawings.h"

#include "rostari-bolt.xpm"

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <QStyle>

#include <algorithm>
#include <array>

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

// The palette as 32-bit opaque colours, indices beyond it black.
std::array<QRgb, 256> opaqueColours(const QImage& drawing)
{
    std::array<QRgb, 256> colours;
    colours.fill(qRgb(0, 0, 0));
    const QList<QRgb> table = drawing.colorTable();
    for (qsizetype i = 0; i < std::min<qsizetype>(table.size(), 256); ++i)
        colours[std::size_t(i)] = 0xff000000 | table[i];
    return colours;
}

void toOpaque(const uchar* in, QRgb* out, int count, const std::array<QRgb, 256>& colours)
{
    for (int x = 0; x < count; ++x)
        out[x] = colours[in[x]];
}

// A palette drawing as 32-bit pixels, converted on this thread: QImage::convertToFormat splits an
// image this size among worker threads, and waking them costs more than the conversion.
QImage opaque(const QImage& drawing)
{
    const auto colours = opaqueColours(drawing);
    QImage pixels(drawing.size(), QImage::Format_RGB32);
    for (int y = 0; y < drawing.height(); ++y)
        toOpaque(drawing.constScanLine(y), reinterpret_cast<QRgb*>(pixels.scanLine(y)), drawing.width(), colours);
    return pixels;
}

QPixmap drawingFor(const QString& name, qreal devicePixelRatio)
{
    // At ratio 1 the 8-bit palette drawing as it is, painted 1:1 (see paintEvent).
    if (devicePixelRatio == 1.0)
        return QPixmap::fromImage(drawing(name, 1), Qt::NoFormatConversion);

    // Every other ratio gets 32-bit pixels made for exactly that ratio, and no palette image with a
    // ratio other than 1 ever reaches the label: scaling one (QImage::transformed, which QLabel uses
    // whenever the screen's ratio differs from the pixmap's) drops the palette in Qt 6.4, and the
    // paint engine's worker threads then read colours through a null table and crash.
    const int density = devicePixelRatio > 1.0 ? 2 : 1;
    QImage image = opaque(drawing(name, density));
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

void PictureLabel::paintEvent(QPaintEvent* event)
{
    const QImage drawing = pixmap().toImage(); // shares the pixels
    if (drawing.format() != QImage::Format_Indexed8 || !isEnabled()) {
        QLabel::paintEvent(event);
        return;
    }
    // Where QLabel would put the pixmap. The paint engine would convert the whole palette image to
    // 32 bits on every paint, split among worker threads; a few rows at a time need neither a
    // second copy of the drawing nor the threads.
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QRect placed = QStyle::alignedRect(QGuiApplication::layoutDirection(),
        QStyle::visualAlignment(layoutDirection(), alignment()), drawing.size(), area);
    const QRect shown = placed.intersected(area).intersected(event->rect());
    if (shown.isEmpty())
        return;
    constexpr int kRows = 32;
    const auto colours = opaqueColours(drawing);
    QImage rows(shown.width(), kRows, QImage::Format_RGB32);
    for (int top = shown.top(); top <= shown.bottom(); top += kRows) {
        const int count = std::min(kRows, shown.bottom() + 1 - top);
        for (int row = 0; row < count; ++row)
            toOpaque(drawing.constScanLine(top + row - placed.top()) + (shown.left() - placed.left()),
                reinterpret_cast<QRgb*>(rows.scanLine(row)), shown.width(), colours);
        painter.drawImage(QPoint(shown.left(), top), rows, QRect(0, 0, shown.width(), count));
    }
}
