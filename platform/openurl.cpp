#include "openurl.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

bool openWebAddress(const QString& address)
{
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return false;
    return QDesktopServices::openUrl(url);
}
