// What a screen reader hears: each value with its dimension, the navigation buttons and the
// length list by name; and the toolkit's own buttons in Japanese.

#include "fixtures.h"
#include "programsetup.h"
#include "testmain.h"
#include "windowtest.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

QString accessible(QObject* object, QAccessible::Text what)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(what) : QStringLiteral("<no interface>");
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(m_dir->path()));
    }

    void valuesAreNamedByTextAndDescribedByDimension_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("head diameter") << QStringLiteral("Label6") << QStringLiteral("5.5")
                                       << QStringLiteral("頭部径 dk");
        QTest::newRow("designation") << QStringLiteral("Label1") << QStringLiteral("M3")
                                     << QStringLiteral("ねじの呼び");
        QTest::newRow("pitch") << QStringLiteral("Label2_1") << QStringLiteral("0.5") << QStringLiteral("ピッチ p");
        QTest::newRow("thread length") << QStringLiteral("Label15") << QStringLiteral("5")
                                       << QStringLiteral("ねじ部長さ b");
        QTest::newRow("sunk depth") << QStringLiteral("Label20") << QStringLiteral("3.3")
                                    << QStringLiteral("座ぐり深さ（頭部を沈める） H''");
        QTest::newRow("both washers") << QStringLiteral("Label31") << QString()
                                      << QStringLiteral("座ぐり径（ばね座金・平座金兼用） D2");
    }
    void valuesAreNamedByTextAndDescribedByDimension()
    {
        QFETCH(QString, label);
        QFETCH(QString, name);
        QFETCH(QString, description);
        fixtures::write(m_dir->path(), fixtures::sizeTable());
        auto form = startWindow();
        QLabel* widget = form->findChild<QLabel*>(label);
        QVERIFY(widget);
        QCOMPARE(accessible(widget, QAccessible::Name), name);
        QCOMPARE(accessible(widget, QAccessible::Description), description);
    }

    void everyValueLabelIsDescribed()
    {
        Form1 form;
        int described = 0;
        for (QLabel* label : form.findChildren<QLabel*>()) {
            if (!label->autoFillBackground() || !label->objectName().startsWith(QLatin1String("Label")))
                continue; // captions and panels
            QVERIFY2(!accessible(label, QAccessible::Description).isEmpty(), qPrintable(label->objectName()));
            ++described;
        }
        QCOMPARE(described, 39); // 36 bound labels and the three lengths
    }

    void controlsAreNamed_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << QStringLiteral("Data1_MoveFirst") << QStringLiteral("先頭のレコード");
        QTest::newRow("previous") << QStringLiteral("Data1_MovePrevious") << QStringLiteral("前のレコード");
        QTest::newRow("next") << QStringLiteral("Data1_MoveNext") << QStringLiteral("次のレコード");
        QTest::newRow("last") << QStringLiteral("Data1_MoveLast") << QStringLiteral("最後のレコード");
        QTest::newRow("length list") << QStringLiteral("Combo1") << QStringLiteral("呼び長さ l");
    }
    void controlsAreNamed()
    {
        QFETCH(QString, object);
        QFETCH(QString, name);
        Form1 form;
        QWidget* widget = form.findChild<QWidget*>(object);
        QVERIFY(widget);
        QCOMPARE(accessible(widget, QAccessible::Name), name);
    }

    void toolkitButtonsReadInJapanese()
    {
        QVERIFY(installQtJapanese(*QCoreApplication::instance()));
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

ROSTARI_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
