// Start-up position and the close box storing it, with the real program under a real window manager.
// Escape and Quit, which end without storing, are rows of tst_input_desktop.

#include "desktoptools.h"
#include "files.h"
#include "testmain.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

class TestStartupDesktop : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_config = std::make_unique<QTemporaryDir>();
        m_work = std::make_unique<QTemporaryDir>();
        // With the bundled database the window starts without a message in front of it.
        QVERIFY(QFile::copy(QStringLiteral(ROSTARI_BUILD_DIR "/share/rostari-bolt/quilldat.mdb"),
            m_work->filePath(QStringLiteral("quilldat.mdb"))));
    }

    void firstStartOpensAtTheDesignPositionAndCloseStores()
    {
        desktop::Viewer viewer(m_config->path(), m_work->path());
        QVERIFY(!viewer.waitForWindow().isEmpty());
        viewer.dismissMessage();
        QCOMPARE(viewer.framePosition(), QPoint(0, 0));
        viewer.moveTo(300, 200);
        const QPoint moved = viewer.framePosition();
        QVERIFY(moved != QPoint(0, 0));
        viewer.closeBox();
        QVERIFY(viewer.waitForExit());
        QCOMPARE(viewer.exitCode(), 0);
        QCOMPARE(stored(QStringLiteral("X1")), QString::number(moved.x() * 15));
        QCOMPARE(stored(QStringLiteral("Y1")), QString::number(moved.y() * 15));
        QVERIFY(storeText().contains(QStringLiteral("X1=%1\n").arg(moved.x() * 15).toUtf8()));
    }

    void storedPositionIsRestored()
    {
        store("2400", "1200");
        desktop::Viewer viewer(m_config->path(), m_work->path());
        QVERIFY(!viewer.waitForWindow().isEmpty());
        viewer.dismissMessage();
        QCOMPARE(viewer.framePosition(), QPoint(160, 80));
        viewer.closeBox();
        QVERIFY(viewer.waitForExit());
        QCOMPARE(stored(QStringLiteral("X1")), QStringLiteral("2400"));
        QCOMPARE(stored(QStringLiteral("Y1")), QStringLiteral("1200"));
    }

    void brokenValuesOpenAtTheDesignPosition_data()
    {
        QTest::addColumn<QByteArray>("x1");
        QTest::newRow("letters") << QByteArray("abc");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("nan") << QByteArray("nan");
        QTest::newRow("beyond single") << QByteArray("1e39");
    }
    void brokenValuesOpenAtTheDesignPosition()
    {
        QFETCH(QByteArray, x1);
        store(x1, x1);
        desktop::Viewer viewer(m_config->path(), m_work->path());
        QVERIFY(!viewer.waitForWindow().isEmpty());
        viewer.dismissMessage();
        QCOMPARE(viewer.framePosition(), QPoint(0, 0));
        viewer.closeBox();
        QVERIFY(viewer.waitForExit());
        const QString errors = viewer.errorOutput();
        QVERIFY2(errors.contains(QStringLiteral("X1")) && errors.contains(QStringLiteral("Y1")), qPrintable(errors));
        // The next close replaces the broken values.
        QCOMPARE(stored(QStringLiteral("X1")), QStringLiteral("0"));
    }

    void anUnwritableStoreDoesNotStopTheClose()
    {
        QVERIFY(QDir(m_config->path()).mkpath(QStringLiteral("Quillmark.conf")));
        desktop::Viewer viewer(m_config->path(), m_work->path());
        QVERIFY(!viewer.waitForWindow().isEmpty());
        viewer.dismissMessage();
        viewer.closeBox();
        QVERIFY(viewer.waitForExit());
        QCOMPARE(viewer.exitCode(), 0);
        QVERIFY(viewer.errorOutput().contains(QStringLiteral("保存できません")));
    }

private:
    QString storeFile() const { return m_config->filePath(QStringLiteral("Quillmark.conf")); }
    void store(const QByteArray& x1, const QByteArray& y1)
    {
        QFile file(storeFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Form1_StrtUp]\nX1=" + x1 + "\nY1=" + y1 + "\n");
    }
    QByteArray storeText() const { return testfiles::readFile(storeFile()); }
    QString stored(const QString& key) const
    {
        QSettings settings(storeFile(), QSettings::IniFormat);
        return settings.value(QStringLiteral("Form1_StrtUp/") + key).toString();
    }

    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_work;
};

ROSTARI_DESKTOP_TEST_MAIN(TestStartupDesktop)
#include "tst_startup_desktop.moc"
