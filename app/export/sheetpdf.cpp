#include "sheetpdf.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace sheet {

namespace {

constexpr int kResolution = 1200;

} // namespace

QString fileNameSafe(const QString& designation)
{
    // Whatever the database calls the size, it must not make a path of the name.
    QString safe = designation;
    for (QChar& c : safe)
        if (QStringView(u"\\/:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = QLatin1Char('_');
    return safe;
}

QString documentName(const QString& designation)
{
    return fileNameSafe(designation) + QStringLiteral("_六角穴付ボルト");
}

QByteArray pdf(const Content& content)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        writer.setTitle(documentName(content.designation));
        writer.setCreator(content.program + QLatin1Char(' ') + content.version);
        QPainter painter(&writer);
        paint(painter, kResolution / 25.4, content);
    }
    return buffer.data();
}

} // namespace sheet
