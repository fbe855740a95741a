// At twice the pixel density (QT_SCALE_FACTOR=2) the window keeps its layout in logical
// pixels and the pictures show the drawings made at twice the size.

#include "testmain.h"
#include "windowtest.h"

#include <QScreen>
#include <QTemporaryDir>

class TestHiDpi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(qApp->devicePixelRatio() == 2.0, "run with QT_SCALE_FACTOR=2 (ctest sets it)");
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }

    void picturesShowTheSharpDrawings_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QSize>("size");
        QTest::newRow("page 1") << QStringLiteral("Picture1") << QSize(597, 391);
        QTest::newRow("page 2") << QStringLiteral("Picture2") << QSize(576, 367);
        QTest::newRow("page 3") << QStringLiteral("Picture3") << QSize(570, 365);
    }
    void picturesShowTheSharpDrawings()
    {
        QFETCH(QString, picture);
        QFETCH(QSize, size);
        Form1 form;
        auto* area = form.findChild<QLabel*>(picture);
        QVERIFY(area);
        const QPixmap shown = area->pixmap();
        QCOMPARE(shown.devicePixelRatio(), 2.0);
        QCOMPARE(shown.size(), size * 2);
        QCOMPARE(shown.deviceIndependentSize().toSize(), size);
        QCOMPARE(area->geometry(), QRect(4, 24, 565, 333));
    }

    void layoutKeepsItsLogicalRectangles()
    {
        Form1 form;
        form.Form_Load();
        QCOMPARE(child(&form, "Form1_Client")->size(), QSize(575, 410));
        QCOMPARE(child(&form, "Label6")->geometry(), QRect(2 + 164, 2 + 132, 40, 20));
        QCOMPARE(child(&form, "Combo1")->geometry(), QRect(2 + 380, 2 + 277, 58, 23));
        QCOMPARE(child(&form, "Data1")->geometry(), QRect(372, 360, 193, 25));
        QCOMPARE(child(&form, "Label33")->geometry(), QRect(2 + 496, 2 + 301, 40, 20));
        // Rendered at twice the device pixels.
        const QPixmap grab = child(&form, "Picture1")->grab();
        QCOMPARE(grab.devicePixelRatio(), 2.0);
        QCOMPARE(grab.size(), QSize(565, 333) * 2);
    }

private:
    QTemporaryDir m_dir;
};

ROSTARI_TEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
