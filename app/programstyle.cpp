#include "programstyle.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QStyleOption>

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    const Qt::LayoutDirection direction = option ? option->direction
        : widget                                 ? widget->layoutDirection()
                                                 : QGuiApplication::layoutDirection();
    const QString base = QStringLiteral(":/qt-project.org/styles/commonstyle/images/toolbar-ext-h-")
        + (direction == Qt::RightToLeft ? QStringLiteral("rtl-") : QString());
    QIcon result;
    for (const int size : { 8, 16, 32 }) {
        QImageReader reader(base + QString::number(size) + QStringLiteral(".png"), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (image.isNull())
            return QProxyStyle::standardIcon(icon, option, widget);
        result.addPixmap(QPixmap::fromImage(image));
    }
    return result;
}
