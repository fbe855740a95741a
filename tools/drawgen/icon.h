#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace drawgen {

struct IconFiles {
    QImage png; // 32 x 32 ARGB, alpha 0 or 255
    QByteArray ico;
};

// Reads the icon's pixel-art source (XPM, colours of the 16-colour palette and "None") into its files.
IconFiles iconFromXpm(const QString& path);

} // namespace drawgen
