// Writes the three drawings (1x and 2x) and the window icon:
//   drawgen <output folder> <icon .xpm>
// giving <output>/drawings/picture{1,2,3}{,@2x}.bmp, <output>/rostari-bolt.png and <output>/rostari-bolt.ico.
#include "bmp.h"
#include "drawing.h"
#include "icon.h"
#include "render.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

void savePng(const QImage& image, const QString& path)
{
    QImageWriter writer(path, "png");
    if (!writer.write(image))
        throw std::runtime_error("cannot write " + path.toStdString() + ": " + writer.errorString().toStdString());
}

void saveBytes(const QByteArray& bytes, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: drawgen <output folder> <icon .xpm>\n");
        return 2;
    }
    try {
        const QDir out(QString::fromLocal8Bit(argv[1]));
        if (!out.mkpath(QStringLiteral("drawings")))
            throw std::runtime_error("cannot create the output folder");
        struct Named {
            const char* name;
            drawgen::Drawing drawing;
        };
        const Named drawings[] = {
            { "picture1", drawgen::screwDrawing() },
            { "picture2", drawgen::counterboreDrawing() },
            { "picture3", drawgen::washerDrawing() },
        };
        for (const Named& d : drawings) {
            const QString base = out.filePath(QStringLiteral("drawings/") + QLatin1String(d.name));
            saveBytes(drawgen::writeBmp(drawgen::render(d.drawing, 1)), base + QStringLiteral(".bmp"));
            saveBytes(drawgen::writeBmp(drawgen::render(d.drawing, 2)), base + QStringLiteral("@2x.bmp"));
        }
        const drawgen::IconFiles icon = drawgen::iconFromXpm(QString::fromLocal8Bit(argv[2]));
        savePng(icon.png, out.filePath(QStringLiteral("rostari-bolt.png")));
        saveBytes(icon.ico, out.filePath(QStringLiteral("rostari-bolt.ico")));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "drawgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
