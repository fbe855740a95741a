#include "formtop.h"
#include "testmain.h"

#include <QWidget>

// FormTop without an X server (the offscreen platform): the toolkit's stays-on-top hint.
class TestFormTop : public QObject {
    Q_OBJECT

private slots:
    void modes_data();
    void modes();
};

void TestFormTop::modes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("startAbove");
    QTest::addColumn<bool>("startHidden");
    QTest::addColumn<bool>("acts");
    QTest::addColumn<bool>("endAbove");

    QTest::newRow("1 on ordinary") << 1 << false << false << true << true;
    QTest::newRow("1 on keep-above") << 1 << true << false << true << true;
    QTest::newRow("0 on keep-above") << 0 << true << false << true << false;
    QTest::newRow("0 on ordinary") << 0 << false << false << true << false;
    QTest::newRow("1 on hidden") << 1 << false << true << true << true;
    QTest::newRow("0 on hidden keep-above") << 0 << true << true << true << false;
    for (const int mode : { 2, -1, 32767, -32768 }) {
        QTest::addRow("%d on ordinary", mode) << mode << false << false << false << false;
        QTest::addRow("%d on keep-above", mode) << mode << true << false << false << true;
        QTest::addRow("%d on hidden", mode) << mode << false << true << false << false;
    }
}

void TestFormTop::modes()
{
    QFETCH(int, mode);
    QFETCH(bool, startAbove);
    QFETCH(bool, startHidden);
    QFETCH(bool, acts);
    QFETCH(bool, endAbove);

    QWidget form;
    form.setWindowFlag(Qt::WindowStaysOnTopHint, startAbove);
    form.setFixedSize(320, 240);
    form.move(120, 90);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    if (startHidden)
        form.hide();
    const QRect place = form.geometry();

    const std::int32_t result = FormTop(form, static_cast<std::int16_t>(mode));

    QCOMPARE(result != 0, acts);
    QCOMPARE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint), endAbove);
    QCOMPARE(form.isVisible(), acts || !startHidden);
    QCOMPARE(form.geometry(), place);
    if (form.isVisible()) {
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.geometry(), place);
    }
}

ROSTARI_TEST_MAIN(TestFormTop)
#include "tst_formtop.moc"
