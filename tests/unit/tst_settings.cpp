// The position store: what text counts as a position, and the store's own behaviour.

#include "settingsaccess.h"
#include "settingsstore.h"
#include "testmain.h"
#include "windowposition.h"

#include <QObject>
#include <QPoint>
#include <QTest>

#include <limits>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { rawstore::clear(); }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<float>("twips");
        QTest::newRow("whole") << QStringLiteral("1200") << true << 1200.f;
        QTest::newRow("negative") << QStringLiteral("-360") << true << -360.f;
        QTest::newRow("leading blank") << QStringLiteral(" 1200") << true << 1200.f;
        QTest::newRow("trailing blank") << QStringLiteral("1200 ") << true << 1200.f;
        QTest::newRow("fraction") << QStringLiteral("1200.5") << true << 1200.5f;
        QTest::newRow("minus zero") << QStringLiteral("-0") << true << 0.f;
        QTest::newRow("plus sign") << QStringLiteral("+15") << true << 15.f;
        QTest::newRow("exponent") << QStringLiteral("1.5E+07") << true << 15000000.f;
        QTest::newRow("huge but single") << QStringLiteral("99999999999") << true << 99999999999.f;
        QTest::newRow("largest single") << QStringLiteral("3.4e38") << true << 3.4e38f;
        QTest::newRow("beyond single") << QStringLiteral("1e39") << false << 0.f;
        QTest::newRow("letters") << QStringLiteral("abc") << false << 0.f;
        QTest::newRow("empty") << QString() << false << 0.f;
        QTest::newRow("blank") << QStringLiteral("   ") << false << 0.f;
        QTest::newRow("nan") << QStringLiteral("nan") << false << 0.f;
        QTest::newRow("inf") << QStringLiteral("inf") << false << 0.f;
        QTest::newRow("-inf") << QStringLiteral("-inf") << false << 0.f;
        QTest::newRow("number and text") << QStringLiteral("12ab") << false << 0.f;
        QTest::newRow("hex") << QStringLiteral("0x10") << false << 0.f;
        QTest::newRow("comma decimal") << QStringLiteral("1200,5") << false << 0.f;
        QTest::newRow("full-width digits") << QStringLiteral("１２００") << false << 0.f;
        QTest::newRow("one megabyte") << QString(1 << 20, QLatin1Char('1')) << false << 0.f;
        QTest::newRow("replacement characters") << QStringLiteral("\uFFFD\uFFFD") << false << 0.f;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(float, twips);
        const std::optional<float> parsed = parseTwips(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, twips);
    }

    void text_data()
    {
        QTest::addColumn<float>("twips");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 2400.f << QStringLiteral("2400");
        QTest::newRow("negative") << -360.f << QStringLiteral("-360");
        QTest::newRow("zero") << 0.f << QStringLiteral("0");
        QTest::newRow("large") << 15000000.f << QStringLiteral("15000000");
    }
    void text()
    {
        QFETCH(float, twips);
        QFETCH(QString, text);
        QCOMPARE(twipsText(twips), text);
        QCOMPARE(parseTwips(twipsText(twips)), std::optional<float>(twips));
    }

    void storesUnderQuillmark()
    {
        {
            SettingsStore store;
            QCOMPARE(store.GetSetting(QStringLiteral("Form1_StrtUp"), QStringLiteral("X1"), QStringLiteral("15")),
                QStringLiteral("15"));
            QVERIFY(store.SaveSetting(QStringLiteral("Form1_StrtUp"), QStringLiteral("X1"), QStringLiteral("1200")));
            QVERIFY(store.SaveSetting(QStringLiteral("Form1_StrtUp"), QStringLiteral("Y1"), QStringLiteral("-360")));
            QVERIFY(store.flush());
#ifdef Q_OS_WIN
            QVERIFY2(store.location().endsWith(QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program "
                                                              "Settings\\Quillmark")),
                qPrintable(store.location()));
#else
            QCOMPARE(QFileInfo(store.location()).fileName(), QStringLiteral("Quillmark.conf"));
#endif
        }
#ifdef Q_OS_WIN
        // Strings, as Basic's SaveSetting stores them.
        for (const auto& [name, value] : { std::pair { L"X1", L"1200" }, std::pair { L"Y1", L"-360" } }) {
            wchar_t data[32] = {};
            DWORD size = sizeof data;
            QCOMPARE(RegGetValueW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Quillmark\\Form1_StrtUp",
                         name, RRF_RT_REG_SZ, nullptr, data, &size),
                LONG(ERROR_SUCCESS));
            QCOMPARE(QString::fromWCharArray(data), QString::fromWCharArray(value));
        }
#else
        QFile file(rawstore::file());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray ini = file.readAll();
        QVERIFY2(ini.contains("[Form1_StrtUp]\nX1=1200\nY1=-360\n"), ini.constData());
#endif
        SettingsStore again;
        QCOMPARE(
            again.GetSetting(QStringLiteral("Form1_StrtUp"), QStringLiteral("Y1"), QString()), QStringLiteral("-360"));
    }

    void otherKeysSurviveAWrite()
    {
        rawstore::write({ { QStringLiteral("Other/keep"), "yes" }, { QStringLiteral("Form1_StrtUp/X1"), "abc" } });
        {
            SettingsStore store;
            store.SaveSetting(QStringLiteral("Form1_StrtUp"), QStringLiteral("X1"), QStringLiteral("300"));
            QVERIFY(store.flush());
        }
        const auto check = rawstore::open();
        QCOMPARE(check->value(QStringLiteral("Other/keep")).toString(), QStringLiteral("yes"));
        QCOMPARE(check->value(QStringLiteral("Form1_StrtUp/X1")).toString(), QStringLiteral("300"));
    }

    // Form1's corner through the store, without a window: pixels in, twips stored, pixels back;
    // a key without a number keeps the window's own coordinate.
    void windowPosition_data()
    {
        QTest::addColumn<QByteArray>("x1"); // stored before; empty for none
        QTest::addColumn<QPoint>("placed");
        QTest::addColumn<QPoint>("restored");
        QTest::newRow("nothing stored") << QByteArray() << QPoint(3, 4) << QPoint(3, 4);
        QTest::newRow("twips to pixels") << QByteArray("1207") << QPoint(3, 4) << QPoint(80, 4);
        QTest::newRow("beyond any screen") << QByteArray("-1e30") << QPoint(3, 4) << QPoint(-(1 << 24), 4);
        QTest::newRow("no number") << QByteArray("12ab") << QPoint(3, 4) << QPoint(3, 4);
    }
    void windowPosition()
    {
        QFETCH(QByteArray, x1);
        QFETCH(QPoint, placed);
        QFETCH(QPoint, restored);
        if (!x1.isEmpty())
            rawstore::write({ { QStringLiteral("Form1_StrtUp/X1"), x1 } });
        SettingsStore store;
        QCOMPARE(storedPosition(store, placed), restored);
        storePosition(store, QPoint(-7, 80));
        QCOMPARE(rawstore::open()->value(QStringLiteral("Form1_StrtUp/X1")).toString(), QStringLiteral("-105"));
        QCOMPARE(rawstore::open()->value(QStringLiteral("Form1_StrtUp/Y1")).toString(), QStringLiteral("1200"));
        QCOMPARE(storedPosition(SettingsStore(), placed), QPoint(-7, 80));
    }

    void aStoreThatIsAFolderFailsWithoutCrashing()
    {
#ifdef Q_OS_WIN
        QSKIP("on Windows the store is a registry key, which no folder can stand in for");
#endif
        QVERIFY(QDir().mkpath(rawstore::file()));
        SettingsStore store;
        QCOMPARE(store.GetSetting(QStringLiteral("Form1_StrtUp"), QStringLiteral("X1"), QStringLiteral("0")),
            QStringLiteral("0"));
        store.SaveSetting(QStringLiteral("Form1_StrtUp"), QStringLiteral("X1"), QStringLiteral("1200"));
        QString why;
        QVERIFY(!store.flush(&why));
        QVERIFY(!why.isEmpty());
    }
};

ROSTARI_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
