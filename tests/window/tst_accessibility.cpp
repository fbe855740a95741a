// What a screen reader hears: each value with its dimension and, when the database's source table
// vouches for that very value, where it comes from (the same text is the tooltip); the navigation
// buttons and the length list by name; and the toolkit's own buttons in Japanese.

#include "fixtures.h"
#include "programsetup.h"
#include "sizefields.h"
#include "testmain.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(jet::Format)

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
    void init() { QVERIFY(enterNewFolder(m_dir)); }

    void valuesAreNamedByTextAndDescribedByDimension_data()
    {
        QTest::addColumn<QString>("database"); // sizes (no 出典), sources, or edited (M3 dk changed)
        QTest::addColumn<QString>("length"); // the item chosen in Combo1; empty for the first
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description"); // its first line(s); the whole text when it has no source
        const QString sizes = QStringLiteral("sizes");
        const QString sources = QStringLiteral("sources");
        auto row = [](const char* tag, const QString& database, const char* length, const char* label, const char* name,
                       const char* description) {
            QTest::newRow(tag) << database << QString::fromUtf8(length) << QString::fromUtf8(label)
                               << QString::fromUtf8(name) << QString::fromUtf8(description);
        };
        // A database without 出典 claims nothing.
        row("head diameter", sizes, "", "Label6", "5.5", "頭部径 dk");
        row("designation", sizes, "", "Label1", "M3", "ねじの呼び");
        row("pitch", sizes, "", "Label2_1", "0.5", "ピッチ p");
        row("sunk depth", sizes, "", "Label20", "3.3", "座ぐり深さ（頭部を沈める） H''");
        row("both washers", sizes, "", "Label31", "", "座ぐり径（ばね座金・平座金兼用） D2");
        // With it, each value says where it comes from, a blank why it is blank.
        row("published", sources, "", "Label6", "5.5",
            "頭部径 dk\n公表値：JIS B 1176 (1988) の値。\n出典：KS B 1003-90");
        row("published designation", sources, "", "Label35_1", "M3",
            "ねじの呼び\n公表値：JIS B 1176 (1988) のねじの呼び（メートル並目ねじ）");
        row("published pitch", sources, "", "Label2_1", "0.5",
            "ピッチ p\n公表値：JIS B 0205 メートル並目ねじのピッチ。");
        row("derived", sources, "", "Label22", "7",
            "座ぐり径（ばね座金） D1\n導出値：D1 = ばね座金の外径（最大）5.9 + (D - dk) 1 を 0.5 mm 単位で");
        row("derived depth", sources, "", "Label21", "2.7",
            "座ぐり深さ（頭部が出る） H'\n公表値：JIS B 1176 の参考ざぐり寸法");
        row("blank: no standard", sources, "", "Label31", "",
            "座ぐり径（ばね座金・平座金兼用） D2\n規格なし：このデータが平座金の並丸（JIS B "
            "1256:1978）に使う表は呼び径 6");
        // A value someone changed keeps its dimension and loses its source.
        row("edited value", QStringLiteral("edited"), "", "Label6", "5.6", "頭部径 dk");
        row("other values of the edited record", QStringLiteral("edited"), "", "Label4", "2.5",
            "六角穴の二面幅 s\n公表値：");
        // The lengths follow the standard's rule, or the size is threaded to the head.
        row("thread length, full thread", sizes, "", "Label15", "5",
            "ねじ部長さ b\nJIS B 1176：M3 の呼び長さ 5 は全ねじ（b = l、lg と ls はない）");
        row("grip length by the rule", sizes, "  25", "Label14", "7",
            "グリップ長さ lg\nJIS B 1176 の規則 lg = l − b、ls = lg − 5P による：lg = 25 − 18 = 7");
        row("shank length by the rule", sizes, "  25", "Label13", "4.5",
            "円筒部の長さ ls\nJIS B 1176 の規則 lg = l − b、ls = lg − 5P による：ls = 7 − 5 × 0.5 = 4.5");
        row("length not listed", sizes, " 100", "Label13", "---",
            "円筒部の長さ ls\nJIS B 1176 の表に M3 の呼び長さ 100 はない");
    }
    void valuesAreNamedByTextAndDescribedByDimension()
    {
        QFETCH(QString, database);
        QFETCH(QString, length);
        QFETCH(QString, label);
        QFETCH(QString, name);
        QFETCH(QString, description);
        jet::Table sizes = fixtures::sizeTable();
        if (database == QLatin1String("edited"))
            sizes.rows[0][4] = "5.6"; // M3 ｄｋ
        QCOMPARE(QString::fromStdString(sizes.columns[4].name), QStringLiteral("ｄｋ"));
        if (database == QLatin1String("sizes"))
            fixtures::write(m_dir->path(), sizes);
        else
            fixtures::write(m_dir->path(), { sizes, fixtures::sourceTable() });
        auto form = startWindow();
        if (!length.isEmpty())
            form->findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentText(length);
        QLabel* widget = form->findChild<QLabel*>(label);
        QVERIFY(widget);
        QCOMPARE(accessible(widget, QAccessible::Name), name);
        const QString told = accessible(widget, QAccessible::Description);
        QVERIFY2(told.startsWith(description), qPrintable(told));
        // A value without a source says its dimension and nothing more.
        if (!description.contains(QLatin1Char('\n')))
            QCOMPARE(told, description);
        QCOMPARE(widget->toolTip(), told);
    }

    void everyValueTellsItsSource_data()
    {
        QTest::addColumn<jet::Format>("format");
        QTest::addColumn<bool>("single");
        QTest::newRow("Jet 4 Double") << jet::Format::Jet4 << false;
        QTest::newRow("Jet 4 Single") << jet::Format::Jet4 << true;
        QTest::newRow("Jet 3 code page 932") << jet::Format::Jet3 << false;
    }
    // Every bound label of every record: the value shown is the one its source row vouches for.
    void everyValueTellsItsSource()
    {
        QFETCH(jet::Format, format);
        QFETCH(bool, single);
        fixtures::write(m_dir->path(), { fixtures::sizeTable(single), fixtures::sourceTable(format) }, format);
        auto form = startWindow();
        const QStringList lengths { QStringLiteral("Label13"), QStringLiteral("Label14"), QStringLiteral("Label15") };
        QList<QLabel*> bound;
        for (QLabel* label : form->findChildren<QLabel*>()) {
            const QString name = label->objectName();
            if (label->autoFillBackground() && name.startsWith(QLatin1String("Label")) && !lengths.contains(name))
                bound << label;
        }
        QCOMPARE(bound.size(), 36);
        const QRegularExpression sourced(QStringLiteral("^[^\n]+\n(公表値|導出値|規格なし)："));
        for (int record = 0; record < 22; ++record) {
            for (QLabel* label : std::as_const(bound)) {
                const QString told = accessible(label, QAccessible::Description);
                QVERIFY2(sourced.match(told).hasMatch(),
                    qPrintable(QStringLiteral("%1 %2 \"%3\": %4")
                                   .arg(textOf(form.get(), "Label1"), label->objectName(), label->text(), told)));
                QCOMPARE(told.contains(QStringLiteral("規格なし：")), label->text().isEmpty());
            }
            QTest::mouseClick(child<QAbstractButton>(form.get(), "Data1_MoveNext"), Qt::LeftButton);
        }
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("M52"));
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

    // The navigation buttons' tooltips name the move and its key.
    void controlsAreNamed_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tip");
        QTest::newRow("first") << QStringLiteral("Data1_MoveFirst") << QStringLiteral("先頭のレコード")
                               << QStringLiteral("先頭のレコードへ (Alt+Home)");
        QTest::newRow("previous") << QStringLiteral("Data1_MovePrevious") << QStringLiteral("前のレコード")
                                  << QStringLiteral("前のレコードへ (Alt+←)");
        QTest::newRow("next") << QStringLiteral("Data1_MoveNext") << QStringLiteral("次のレコード")
                              << QStringLiteral("次のレコードへ (Alt+→)");
        QTest::newRow("last") << QStringLiteral("Data1_MoveLast") << QStringLiteral("最後のレコード")
                              << QStringLiteral("最後のレコードへ (Alt+End)");
        QTest::newRow("length list") << QStringLiteral("Combo1") << QStringLiteral("呼び長さ l") << QString();
    }
    void controlsAreNamed()
    {
        QFETCH(QString, object);
        QFETCH(QString, name);
        QFETCH(QString, tip);
        Form1 form;
        QWidget* widget = form.findChild<QWidget*>(object);
        QVERIFY(widget);
        QCOMPARE(accessible(widget, QAccessible::Name), name);
        QCOMPARE(widget->toolTip(), tip);
    }

    // A value shown smaller or as "###" is still named by its whole value, which its tooltip
    // gives first; one that fits keeps the plain description.
    void reducedValuesKeepTheWholeValue_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("tip");
        QTest::newRow("fits") << QStringLiteral("ｄｋ") << QStringLiteral("10.5") << QStringLiteral("Label6")
                              << QStringLiteral("10.5") << QStringLiteral("頭部径 dk");
        QTest::newRow("smaller") << QStringLiteral("ｄｋ") << QStringLiteral("10.125") << QStringLiteral("Label6")
                                 << QStringLiteral("10.125") << QStringLiteral("10.125\n頭部径 dk");
        QTest::newRow("too wide") << QStringLiteral("ｅ") << QStringLiteral("123456.789") << QStringLiteral("Label5")
                                  << QStringLiteral("###") << QStringLiteral("123456.789\n六角穴の対角距離 e");
    }
    void reducedValuesKeepTheWholeValue()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, label);
        QFETCH(QString, shown);
        QFETCH(QString, tip);
        jet::Table table = fixtures::sizeTable();
        for (std::size_t c = 0; c < table.columns.size(); ++c)
            if (QString::fromStdString(table.columns[c].name) == field)
                table.rows[0][c] = value.toStdString();
        fixtures::write(m_dir->path(), table);
        auto form = startWindow();
        QLabel* widget = form->findChild<QLabel*>(label);
        QVERIFY(widget);
        QCOMPARE(widget->text(), shown);
        QCOMPARE(widget->toolTip(), tip);
        QCOMPARE(accessible(widget, QAccessible::Name), value);
        // Smaller, not larger; at the design size when it fits.
        QCOMPARE(widget->font().pointSizeF() < 12.0, tip.startsWith(value) && shown == value);
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
