#pragma once

// Stands in for the desktop's default handlers while it lives: every address the program hands
// to QDesktopServices for one of the schemes in play is appended to a list, and nothing opens.

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

class UrlHandlerStandIn : public QObject {
    Q_OBJECT

public:
    // Web addresses, and the schemes an address let through by mistake would use.
    static QStringList schemesInPlay()
    {
        return { QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"), QStringLiteral("mailto"),
            QStringLiteral("ftp"), QStringLiteral("javascript"), QStringLiteral("smb") };
    }

    explicit UrlHandlerStandIn(QList<QUrl>* opened)
        : m_opened(opened)
    {
        for (const QString& scheme : schemesInPlay())
            QDesktopServices::setUrlHandler(scheme, this, "record");
    }
    ~UrlHandlerStandIn() override
    {
        for (const QString& scheme : schemesInPlay())
            QDesktopServices::unsetUrlHandler(scheme);
    }

public slots:
    void record(const QUrl& url) { m_opened->append(url); }

private:
    QList<QUrl>* m_opened;
};
