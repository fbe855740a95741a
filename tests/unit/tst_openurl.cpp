#include "openurl.h"
#include "testmain.h"
#include "urlstandin.h"

// Which addresses reach the default handler. Handlers registered for every scheme in
// play stand in for it, so an address let through by mistake is caught too.
class TestOpenUrl : public QObject {
    Q_OBJECT

private slots:
    void init() { m_opened.clear(); }
    void addresses_data();
    void addresses();

private:
    QList<QUrl> m_opened;
    UrlHandlerStandIn m_handler { &m_opened };
};

void TestOpenUrl::addresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("handedOn");

    QTest::newRow("https") << QStringLiteral("https://www.quillmark.example/") << true;
    QTest::newRow("http with path and query") << QStringLiteral("http://www.quillmark.example/a/b?c=d#e") << true;
    QTest::newRow("scheme in capitals") << QStringLiteral("HTTPS://www.quillmark.example/") << true;
    QTest::newRow("file url") << QStringLiteral("file:///etc/passwd") << false;
    QTest::newRow("bare path") << QStringLiteral("/usr/bin/xterm") << false;
    QTest::newRow("no scheme") << QStringLiteral("www.quillmark.example") << false;
    QTest::newRow("mailto") << QStringLiteral("mailto:info@quillmark.example") << false;
    QTest::newRow("ftp") << QStringLiteral("ftp://ftp.quillmark.example/") << false;
    QTest::newRow("javascript") << QStringLiteral("javascript:alert(1)") << false;
    QTest::newRow("smb share") << QStringLiteral("smb://server/share") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("blank in host") << QStringLiteral("https://www.quill mark.example/") << false;
}

void TestOpenUrl::addresses()
{
    QFETCH(QString, address);
    QFETCH(bool, handedOn);

    QCOMPARE(openWebAddress(address), handedOn);
    if (handedOn)
        QCOMPARE(m_opened, QList<QUrl> { QUrl(address) });
    else
        QVERIFY2(m_opened.isEmpty(), qPrintable(m_opened.value(0).toString()));
}

ROSTARI_TEST_MAIN(TestOpenUrl)
#include "tst_openurl.moc"
