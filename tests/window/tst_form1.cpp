// The main window without records: start-up state, layout and menus.

#include "designfont.h"
#include "tabcontrol.h"
#include "testmain.h"
#include "windowtest.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

namespace {

enum class In { Client, Tab, Picture };

struct Place {
    const char* name;
    In container;
    int left, top, width, height; // twips
    enum Sizing {
        Box,
        FitsText,
        Wraps
    } sizing; // fitted to its text: only the corner is fixed; wrapping: may grow taller
};

// The design places, in twips, each within its container.
const Place kPlaces[] = {
    { "Data1", In::Client, 5580, 5400, 2895, 375, Place::Box },
    { "StatusBar1", In::Client, 0, 5835, 8625, 315, Place::Box },
    { "SSTab1", In::Client, 0, 0, 8595, 5835, Place::Box },
    { "Command1", In::Client, 1110, 4680, 975, 375, Place::Box },
    { "Picture1", In::Tab, 60, 360, 8475, 4995, Place::Box },
    { "Picture2", In::Tab, 60, 360, 8475, 4995, Place::Box },
    { "Picture3", In::Tab, 60, 360, 8475, 4995, Place::Box },
    { "Label1", In::Tab, 120, 5400, 855, 345, Place::Box },
    { "Label0_1", In::Tab, 1020, 5460, 240, 240, Place::FitsText },
    { "Label2_0", In::Tab, 1320, 5400, 765, 345, Place::Box },
    { "Label35_2", In::Tab, 120, 5400, 855, 345, Place::Box },
    { "Label0_2", In::Tab, 1020, 5460, 240, 240, Place::FitsText },
    { "Label2_1", In::Tab, 1320, 5400, 765, 345, Place::Box },
    { "Label35_1", In::Tab, 120, 5400, 855, 345, Place::Box },
    { "Label0_3", In::Tab, 1020, 5460, 240, 240, Place::FitsText },
    { "Label2_2", In::Tab, 1320, 5400, 765, 345, Place::Box },
    { "Label0_0", In::Picture, 7020, 300, 960, 240, Place::FitsText },
    { "Label8", In::Picture, 2700, 300, 600, 300, Place::Box },
    { "Label9", In::Picture, 4200, 600, 600, 300, Place::Box },
    { "Label10", In::Picture, 5295, 480, 780, 300, Place::Box },
    { "Label11", In::Picture, 5715, 840, 705, 300, Place::Box },
    { "Label5", In::Picture, 1260, 840, 705, 300, Place::Box },
    { "Label7", In::Picture, 2520, 1020, 600, 300, Place::Box },
    { "Label3", In::Picture, 7260, 1080, 705, 300, Place::Box },
    { "Label6", In::Picture, 2460, 1980, 600, 300, Place::Box },
    { "Label13", In::Picture, 4770, 3060, 705, 300, Place::Box },
    { "Label4", In::Picture, 1440, 3420, 600, 300, Place::Box },
    { "Label14", In::Picture, 4800, 3615, 705, 300, Place::Box },
    { "Label15", In::Picture, 6585, 3615, 705, 300, Place::Box },
    { "Label12", In::Picture, 3780, 4140, 600, 300, Place::Box },
    { "Combo1", In::Picture, 5700, 4155, 870, 345, Place::Box },
    { "Label0_7", In::Picture, 3780, 360, 960, 240, Place::FitsText },
    { "Label16_0", In::Picture, 1635, 510, 735, 300, Place::Box },
    { "Label16_1", In::Picture, 6000, 510, 720, 300, Place::Box },
    { "Label17_0", In::Picture, 1650, 1020, 720, 300, Place::Box },
    { "Label17_1", In::Picture, 6000, 1020, 720, 300, Place::Box },
    { "Label20", In::Picture, 3390, 1140, 600, 300, Place::Box },
    { "Label21", In::Picture, 4290, 1140, 600, 300, Place::Box },
    { "Label18", In::Picture, 3840, 2565, 780, 300, Place::Box },
    { "Label19", In::Picture, 3840, 3150, 780, 300, Place::Box },
    { "Label0_5", In::Picture, 540, 360, 720, 180, Place::FitsText },
    { "Label22", In::Picture, 1500, 240, 780, 300, Place::Box },
    { "Label23", In::Picture, 3240, 465, 600, 300, Place::Box },
    { "Label24", In::Picture, 3450, 1890, 600, 300, Place::Box },
    { "Label0_6", In::Picture, 4620, 360, 600, 360, Place::Wraps },
    { "Label25", In::Picture, 5490, 240, 780, 300, Place::Box },
    { "Label26", In::Picture, 7245, 465, 600, 300, Place::Box },
    { "Label27", In::Picture, 7425, 1890, 600, 300, Place::Box },
    { "Label0_4", In::Picture, 3060, 2490, 960, 240, Place::FitsText },
    { "Label0_8", In::Picture, 480, 2820, 720, 375, Place::Wraps },
    { "Label28", In::Picture, 1500, 2730, 780, 300, Place::Box },
    { "Label29", In::Picture, 3240, 3000, 600, 300, Place::Box },
    { "Label30", In::Picture, 3450, 4395, 600, 300, Place::Box },
    { "Label0_9", In::Picture, 4485, 2760, 765, 540, Place::Wraps },
    { "Label31", In::Picture, 5490, 2730, 780, 300, Place::Box },
    { "Label32", In::Picture, 7230, 2985, 600, 300, Place::Box },
    { "Label33", In::Picture, 7440, 4515, 600, 300, Place::Box },
};

// Placeholders shown before any record.
const std::pair<const char*, const char*> kPlaceholders[] = {
    { "Label1", "M" },
    { "Label35_1", "M" },
    { "Label35_2", "M" },
    { "Label3", "M" },
    { "Label2_0", "p" },
    { "Label2_1", "p" },
    { "Label2_2", "p" },
    { "Label4", "s" },
    { "Label5", "e" },
    { "Label6", "dk" },
    { "Label7", "v" },
    { "Label8", "t" },
    { "Label9", "w" },
    { "Label10", "da" },
    { "Label11", "ds" },
    { "Label12", "k" },
    { "Label13", "L-13" },
    { "Label14", "L-14" },
    { "Label15", "L-15" },
    { "Label16_0", "D" },
    { "Label16_1", "D" },
    { "Label17_0", "dk" },
    { "Label17_1", "dk" },
    { "Label18", "ds" },
    { "Label19", "d'" },
    { "Label20", "H\"" },
    { "Label21", "H'" },
    { "Label22", "D1" },
    { "Label23", "h1" },
    { "Label24", "t1" },
    { "Label25", "D2" },
    { "Label26", "h2" },
    { "Label27", "t2" },
    { "Label28", "D3" },
    { "Label29", "h4" },
    { "Label30", "t4" },
    { "Label31", "D2" },
    { "Label32", "h3" },
    { "Label33", "t3" },
    { "Label0_1", "×" },
    { "Label0_0", "単位：mm" },
    { "Label0_5", "ばね座金" },
    { "Label0_6", "平座金 （並丸）" },
    { "Label0_8", " 平座金 （小形丸）" },
    { "Label0_9", "ばね座金 平座金 兼用" },
};

const QString kPage1Status = QStringLiteral("JIS 六角穴付ボルト M3～M52 [JIS B 1176(1988)]");

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        // No database here: the window starts without records.
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }

    void windowBeforeRecords()
    {
        Form1 form;
        form.Form_Load();
        // The records are read only after loading has returned.
        for (const auto& [name, text] : kPlaceholders)
            QCOMPARE(textOf(&form, name), QString::fromUtf8(text));
        QCOMPARE(form.windowTitle(), QStringLiteral("ロスタリ【六角穴付きボルト】 JIS B 1176(1988)"));
        QVERIFY(form.isVisible());
        QCOMPARE(child(&form, "Form1_Client")->size(), QSize(575, 410));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(textOf(&form, "StatusBar1_Panel1"), kPage1Status);
        QCOMPARE(textOf(&form, "StatusBar1_Panel2"), QString());
        QCOMPARE(child<QAction>(&form, "FormTop_ON")->isChecked(), false);
        QCOMPARE(child<QAction>(&form, "FormTop_OFF")->isChecked(), false);
        QCOMPARE(child<TabControl>(&form, "SSTab1")->currentIndex(), 0);
    }

    void lengthList()
    {
        Form1 form;
        form.Form_Load();
        auto* combo = child<QComboBox>(&form, "Combo1");
        QCOMPARE(combo->count(), 33);
        QCOMPARE(combo->currentText(), QStringLiteral("   5"));
        QCOMPARE(combo->itemText(8), QStringLiteral("  30"));
        QCOMPARE(combo->itemText(9), QStringLiteral("  35"));
        QCOMPARE(combo->itemText(10), QStringLiteral("  40"));
        QCOMPARE(combo->itemText(32), QStringLiteral(" 300"));
        QVERIFY(!combo->isEditable());
        QCOMPARE(form.focusWidget(), combo);
    }

    void databasePathIsTheWorkingDirectory_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("path");
        QTest::newRow("temporary folder") << QString() << QString();
#ifdef Q_OS_WIN
        // In the system's own form, and a drive's root has its separator once.
        const QString drive = QDir::rootPath(); // "C:/"
        QTest::newRow("root") << drive << QDir::toNativeSeparators(drive + QStringLiteral("quilldat.mdb"));
#else
        QTest::newRow("root") << QStringLiteral("/") << QStringLiteral("//quilldat.mdb");
#endif
    }
    void databasePathIsTheWorkingDirectory()
    {
        QFETCH(QString, directory);
        QFETCH(QString, path);
        if (directory.isEmpty()) {
            directory = m_dir.path();
            path = QDir::toNativeSeparators(m_dir.path() + QStringLiteral("/quilldat.mdb"));
        }
        QVERIFY(QDir::setCurrent(directory));
        bool opened = true;
        auto form = startWindow(&opened);
        QCOMPARE(form->dataSource()->databaseName(), path);
        QVERIFY(!opened);
        // The failure names the path and says what is wrong; the window stays with its placeholders.
        auto* box = child<QMessageBox>(form.get(), "Data1_Error");
        QVERIFY(box);
        QVERIFY2(box->text().contains(path), qPrintable(box->text()));
        QVERIFY2(box->text().contains(QStringLiteral("ファイルがありません")), qPrintable(box->text()));
        QCOMPARE(textOf(form.get(), "Label1"), QStringLiteral("M"));
        QCOMPARE(textOf(form.get(), "Label13"), QStringLiteral("L-13"));
        box->accept();
        QVERIFY(form->isVisible());
    }

    void geometry_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(kPlaces)); ++i)
            QTest::newRow(kPlaces[i].name) << i;
    }
    void geometry()
    {
        QFETCH(int, index);
        const Place& place = kPlaces[index];
        Form1 form;
        form.Form_Load();
        QWidget* client = child(&form, "Form1_Client");
        QWidget* widget = child(&form, place.name);
        QVERIFY(widget);
        // Page 1's tab strip is 20 px high; picture contents start inside the 2-px border.
        QPoint origin;
        if (place.container == In::Tab)
            origin = child(&form, "SSTab1")->mapTo(client, QPoint());
        else if (place.container == In::Picture)
            origin = child(&form, "SSTab1")->mapTo(client, QPoint(4 + 2, 24 + 2));
        const QRect expected(
            origin + QPoint(place.left / 15, place.top / 15), QSize(place.width / 15, place.height / 15));
        const QRect actual(widget->mapTo(client, QPoint()), widget->size());
        if (place.sizing == Place::FitsText) {
            QCOMPARE(actual.topLeft(), expected.topLeft());
        } else if (place.sizing == Place::Wraps) {
            QCOMPARE(actual.topLeft(), expected.topLeft());
            // Off the box only by the few pixels this font needs to keep a word whole.
            QVERIFY(actual.width() >= expected.width() - 4 && actual.width() <= expected.width() + 4);
            QVERIFY(actual.height() >= expected.height());
            auto* label = qobject_cast<QLabel*>(widget);
            QVERIFY(label->heightForWidth(actual.width()) <= actual.height()); // every line is seen
            // Lines break at blanks only: " 平座金 （小形丸）" never as "（小形" / "丸）".
            QTextLayout layout(label->text(), label->font());
            QTextOption wrap;
            wrap.setWrapMode(QTextOption::WordWrap);
            layout.setTextOption(wrap);
            layout.beginLayout();
            QString brokenAt;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(label->contentsRect().width());
                const int start = line.textStart();
                if (start > 0 && label->text().at(start - 1) != QLatin1Char(' ') && brokenAt.isEmpty())
                    brokenAt = label->text().mid(start);
            }
            layout.endLayout();
            QVERIFY2(brokenAt.isEmpty(), qPrintable(brokenAt));
        } else {
            QCOMPARE(actual, expected);
        }
    }

    void statusPanelsAndTabs()
    {
        Form1 form;
        form.Form_Load();
        auto* panel1 = child<QLabel>(&form, "StatusBar1_Panel1");
        auto* panel2 = child<QLabel>(&form, "StatusBar1_Panel2");
        QCOMPARE(panel1->width(), 492);
        QVERIFY(panel2->width() >= 80);
        auto* tabs = child<TabControl>(&form, "SSTab1");
        QCOMPARE(tabs->tabBar()->tabText(0), QStringLiteral("六角穴付ボルト各部の寸法"));
        QCOMPARE(tabs->tabBar()->tabText(1), QStringLiteral("座ぐり寸法：１（参考）"));
        QCOMPARE(tabs->tabBar()->tabText(2), QStringLiteral("座ぐり寸法：２（参考）"));
        QCOMPARE(tabs->tabBar()->height(), 20);
    }

    void dataSourceIsInFrontOnEveryPage()
    {
        Form1 form;
        form.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget* client = child(&form, "Form1_Client");
        auto* tabs = child<TabControl>(&form, "SSTab1");
        QWidget* data1 = child(&form, "Data1");
        QWidget* command1 = child(&form, "Command1");
        for (int page = 0; page < 3; ++page) {
            tabs->setCurrentIndex(page);
            for (const QPoint& p : { data1->geometry().topLeft() + QPoint(1, 1), data1->geometry().center(),
                     data1->geometry().bottomRight() - QPoint(1, 1) }) {
                QWidget* hit = client->childAt(p);
                QVERIFY2(hit == data1 || data1->isAncestorOf(hit), qPrintable(QString::number(page)));
            }
            // The cancel button is covered everywhere.
            const QRect r = command1->geometry();
            for (int x = r.left(); x <= r.right(); x += 4)
                for (int y = r.top(); y <= r.bottom(); y += 4) {
                    QWidget* hit = client->childAt(x, y);
                    QVERIFY(hit != command1);
                }
        }
    }

    void fontsAreTheDesignFont_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("points");
        QTest::newRow("designation") << QStringLiteral("Label1") << 14.25;
        QTest::newRow("pitch") << QStringLiteral("Label2_2") << 14.25;
        QTest::newRow("value") << QStringLiteral("Label6") << 12.0;
        QTest::newRow("unit caption") << QStringLiteral("Label0_4") << 12.0;
        QTest::newRow("length list") << QStringLiteral("Combo1") << 11.25;
        QTest::newRow("tab captions") << QStringLiteral("SSTab1_Tabs") << 9.75;
        QTest::newRow("navigation caption") << QStringLiteral("Data1_Caption") << 9.75;
    }
    void fontsAreTheDesignFont()
    {
        QFETCH(QString, name);
        QFETCH(qreal, points);
        Form1 form;
        auto* widget = form.findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->font(), DesignFonts().design(points));
        QCOMPARE(widget->font().pointSizeF(), points);
        QCOMPARE(widget->font().weight(), QFont::Normal);
        QVERIFY(!widget->font().italic() && !widget->font().underline());
    }

    // Where the design's family is missing, one installed substitute is asked for, so that no fallback
    // search runs for the missing one; text looks exactly as with the family lists the design gives.
    void fontsLookAsTheDesignsFamilies_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QStringList>("designed");
        const QStringList design { QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
            QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP") };
        for (qreal points : { 9.75, 11.25, 12.0, 14.25 })
            QTest::addRow("design %g pt", points) << DesignFonts().design(points) << design;
        QTest::newRow("window default") << DesignFonts().windowDefault()
                                        << QStringList { QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"),
                                               QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP") };
    }
    void fontsLookAsTheDesignsFamilies()
    {
        QFETCH(QFont, font);
        QFETCH(QStringList, designed);
        QFont asDesigned = font;
        asDesigned.setFamilies(designed);
        const auto rendered = [](const QFont& f) {
            QImage image(480, 40, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setFont(f);
            painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter,
                QStringLiteral("M52 × 0.5 単位：mm 六角穴付ボルト（参考）ｷｬﾝｾﾙ ばね座金"));
            return image;
        };
        QCOMPARE(rendered(font), rendered(asDesigned));
        QCOMPARE(QFontInfo(font).family(), QFontInfo(asDesigned).family());
        QVERIFY(font.families() == designed
            || (font.families().size() == 1 && QFontDatabase::families().contains(font.families().first())));
    }

    void labelStyles()
    {
        Form1 form;
        auto* value = child<QLabel>(&form, "Label6");
        QVERIFY(value->autoFillBackground());
        QCOMPARE(value->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(value->frameShape(), QFrame::Box);
        QCOMPARE(value->lineWidth(), 1);
        QVERIFY(value->alignment() & Qt::AlignHCenter);
        auto* caption = child<QLabel>(&form, "Label0_0");
        QVERIFY(!caption->autoFillBackground());
        QCOMPARE(caption->frameShape(), QFrame::NoFrame);
        QVERIFY(caption->alignment() & Qt::AlignLeft);
        QVERIFY(child<QLabel>(&form, "Label0_9")->wordWrap());
    }

    void menus()
    {
        Form1 form;
        const QList<QAction*> top = form.menuBar()->actions();
        // The design's three menus, with the tools menu between view and help.
        QCOMPARE(top.size(), 4);
        QCOMPARE(top[0]->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
        QCOMPARE(top[1]->text(), QStringLiteral("表示(&V)"));
        QCOMPARE(top[2]->text(), QStringLiteral("ﾂｰﾙ(&T)"));
        QCOMPARE(top[3]->text(), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
        QCOMPARE(child<QAction>(&form, "ChooseLength")->text(), QStringLiteral("呼び長さの選定(&L)..."));
        QCOMPARE(child<QAction>(&form, "ChooseLength")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
        QCOMPARE(child<QAction>(&form, "Quit")->text(), QStringLiteral("終了"));
        // Reload first, then a separator; Quit last.
        const QList<QAction*> file = child<QMenu>(&form, "File")->actions();
        QCOMPARE(file.first(), child<QAction>(&form, "Reload"));
        QCOMPARE(file.first()->text(), QStringLiteral("再読み込み(&R)"));
        QCOMPARE(file.first()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
        QVERIFY(file.at(1)->isSeparator());
        QCOMPARE(file.last(), child<QAction>(&form, "Quit"));
        QCOMPARE(child<QMenu>(&form, "FrontTop")->title(), QStringLiteral("常に手前表示"));
        QCOMPARE(child<QAction>(&form, "FormTop_ON")->shortcut(), QKeySequence(Qt::Key_F4));
        QCOMPARE(child<QAction>(&form, "FormTop_OFF")->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(child<QAction>(&form, "About")->text(), QStringLiteral("ロスタリについて"));
        QCOMPARE(child<QPushButton>(&form, "Command1")->text(), QStringLiteral("終　了"));
    }

private:
    QTemporaryDir m_dir;
};

ROSTARI_TEST_MAIN(TestForm1)
#include "tst_form1.moc"
