#pragma once

#include <QProxyStyle>

// The platform's style, except that the menu bar's overflow arrow is read from Qt's own images as the
// PNG files they are. Asked by file name alone, Qt's image reader loads every image-format plugin to
// ask it about the file (and libjpeg with one of them), which costs more at start than anything
// else the menu bar does; the arrow is the only image the windows load that way.
class ProgramStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(
        StandardPixmap icon, const QStyleOption* option = nullptr, const QWidget* widget = nullptr) const override;
};
