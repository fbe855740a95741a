// Tab pages, status panels, the always-on-top menu family and the About item.

#include "fixtures.h"
#include "programstyle.h"
#include "tabcontrol.h"
#include "testmain.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QString kStatus[] = {
    QStringLiteral("JIS 六角穴付ボルト M3～M52 [JIS B 1176(1988)]"),
    QStringLiteral("JIS M3～M52 座グリ及び穴寸法（参考値）"),
    QStringLiteral("JIS M3～M52 座金類使用時 座グリ及び穴寸法（参考値）"),
};

// Closes the About dialog as soon as it is shown, and counts the showings.
struct DialogCloser {
    explicit DialogCloser(int* shown)
    {
        QTimer::singleShot(0, [shown] { closeWhenShown(shown); });
    }
    static void closeWhenShown(int* shown)
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != QLatin1String("Form2")) {
            QTimer::singleShot(10, [shown] { closeWhenShown(shown); });
            return;
        }
        ++*shown;
        QTest::keyClick(dialog, Qt::Key_Escape);
    }
};

} // namespace

class TestMenus : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(enterNewFolder(m_dir));
        fixtures::write(m_dir->path(), fixtures::sizeTable());
    }

    void statusFollowsThePage()
    {
        auto form = startWindow();
        auto* tabs = child<TabControl>(form.get(), "SSTab1");
        QCOMPARE(textOf(form.get(), "StatusBar1_Panel1"), kStatus[0]);
        // Real clicks on the tabs: 1 → 3 → 1.
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(2).center());
        QCOMPARE(tabs->currentIndex(), 2);
        QCOMPARE(textOf(form.get(), "StatusBar1_Panel1"), kStatus[2]);
        QVERIFY(child(form.get(), "Picture3")->isVisible());
        QVERIFY(!child(form.get(), "Picture1")->isVisible());
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(0).center());
        QCOMPARE(textOf(form.get(), "StatusBar1_Panel1"), kStatus[0]);
        tabs->setCurrentIndex(1);
        QCOMPARE(textOf(form.get(), "StatusBar1_Panel1"), kStatus[1]);
        QVERIFY(child(form.get(), "Label35_2")->isVisible());
        QVERIFY(child(form.get(), "Data1")->isVisible());
    }

    void menuFamilyKeepsPanelAndChecksInAgreement_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("off");
        QTest::newRow("ON") << QStringList { QStringLiteral("FormTop_ON") } << QStringLiteral("FormTop") << true
                            << false;
        QTest::newRow("OFF first") << QStringList { QStringLiteral("FormTop_OFF") } << QString() << false << true;
        QTest::newRow("ON, OFF") << QStringList { QStringLiteral("FormTop_ON"), QStringLiteral("FormTop_OFF") }
                                 << QString() << false << true;
        QTest::newRow("ON, About") << QStringList { QStringLiteral("FormTop_ON"), QStringLiteral("About") } << QString()
                                   << false << true;
        QTest::newRow("About, ON") << QStringList { QStringLiteral("About"), QStringLiteral("FormTop_ON") }
                                   << QStringLiteral("FormTop") << true << false;
        QTest::newRow("ON twice") << QStringList { QStringLiteral("FormTop_ON"), QStringLiteral("FormTop_ON") }
                                  << QStringLiteral("FormTop") << true << false;
        QTest::newRow("OFF twice") << QStringList { QStringLiteral("FormTop_OFF"), QStringLiteral("FormTop_OFF") }
                                   << QString() << false << true;
    }
    void menuFamilyKeepsPanelAndChecksInAgreement()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, panel);
        QFETCH(bool, on);
        QFETCH(bool, off);
        auto form = startWindow();
        int shown = 0;
        for (const QString& step : steps) {
            if (step == QLatin1String("About"))
                DialogCloser closer(&shown);
            form->findChild<QAction*>(step)->trigger();
            // After every handler exactly one item is checked, and panel 2 agrees with it.
            const bool isOn = child<QAction>(form.get(), "FormTop_ON")->isChecked();
            QCOMPARE(child<QAction>(form.get(), "FormTop_OFF")->isChecked(), !isOn);
            QCOMPARE(textOf(form.get(), "StatusBar1_Panel2"), isOn ? QStringLiteral("FormTop") : QString());
        }
        QCOMPARE(shown, int(steps.count(QStringLiteral("About"))));
        QCOMPARE(textOf(form.get(), "StatusBar1_Panel2"), panel);
        QCOMPARE(child<QAction>(form.get(), "FormTop_ON")->isChecked(), on);
        QCOMPARE(child<QAction>(form.get(), "FormTop_OFF")->isChecked(), off);
    }

    void functionKeysWithoutOpeningTheMenu()
    {
        auto form = startWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(child(form.get(), "Combo1"), Qt::Key_F4);
        QCOMPARE(textOf(form.get(), "StatusBar1_Panel2"), QStringLiteral("FormTop"));
        QVERIFY(child<QAction>(form.get(), "FormTop_ON")->isChecked());
        QTest::keyClick(child(form.get(), "Combo1"), Qt::Key_F5);
        QCOMPARE(textOf(form.get(), "StatusBar1_Panel2"), QString());
        QVERIFY(child<QAction>(form.get(), "FormTop_OFF")->isChecked());
        QVERIFY(!QApplication::activePopupWidget());
    }

    // After the About dialog, M3's lengths are written again; other sizes are left alone.
    void activationAfterAbout_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("after");
        QTest::newRow("M3 recomputed") << 0 << QStringLiteral("---");
        QTest::newRow("M4 untouched") << 1 << QStringLiteral("scribbled");
    }
    void activationAfterAbout()
    {
        QFETCH(int, steps);
        QFETCH(QString, after);
        auto form = startWindow();
        for (int i = 0; i < steps; ++i)
            QTest::mouseClick(child<QAbstractButton>(form.get(), "Data1_MoveNext"), Qt::LeftButton);
        child<QLabel>(form.get(), "Label13")->setText(QStringLiteral("scribbled"));
        int shown = 0;
        DialogCloser closer(&shown);
        child<QAction>(form.get(), "About")->trigger();
        QCOMPARE(shown, 1);
        QTRY_COMPARE(textOf(form.get(), "Label13"), after);
        QTest::qWait(50);
        QCOMPARE(textOf(form.get(), "Label13"), after);
    }

    // The file menu's output items sit together above a rule and 終了, last; usable only while a
    // record is shown.
    void fileMenuOutputWhileARecordIsShown_data()
    {
        QTest::addColumn<bool>("database");
        QTest::newRow("no database: nothing to output") << false;
        QTest::newRow("a record shown") << true;
    }
    void fileMenuOutputWhileARecordIsShown()
    {
        QFETCH(bool, database);
        if (!database)
            QVERIFY(QFile::remove(QStringLiteral("quilldat.mdb")));
        auto form = startWindow();
        const QList<QAction*> items = child<QMenu>(form.get(), "File")->actions();
        QStringList names;
        for (const QAction* item : items)
            names << (item->isSeparator() ? QStringLiteral("-") : item->objectName());
        const QStringList tail { QStringLiteral("Print"), QStringLiteral("SavePdf"), QStringLiteral("SaveDxf"),
            QStringLiteral("-"), QStringLiteral("Quit") };
        QCOMPARE(names.mid(names.size() - tail.size()), tail);
        QCOMPARE(items[names.indexOf(QStringLiteral("Print"))]->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        for (const char* name : { "Print", "SavePdf", "SaveDxf" })
            QCOMPARE(child<QAction>(form.get(), name)->isEnabled(), database);
        QVERIFY(child<QAction>(form.get(), "Quit")->isEnabled());
    }

    // The program's style reads the menu bar's overflow arrow itself; it is the arrow the style
    // would have loaded, in both directions and at every size.
    void overflowArrowAsTheStyleDrawsIt_data()
    {
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::newRow("left to right") << Qt::LeftToRight;
        QTest::newRow("right to left") << Qt::RightToLeft;
    }
    void overflowArrowAsTheStyleDrawsIt()
    {
        QFETCH(Qt::LayoutDirection, direction);
        QStyleOption option;
        option.direction = direction;
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Fusion")));
        const ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
        const QIcon expected = plain->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &option);
        const QIcon actual = program.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &option);
        QCOMPARE(actual.availableSizes(), expected.availableSizes());
        QVERIFY(!expected.availableSizes().isEmpty());
        for (const QSize size : expected.availableSizes())
            QCOMPARE(actual.pixmap(size).toImage(), expected.pixmap(size).toImage());
        const QIcon other = plain->standardIcon(
            QStyle::SP_ToolBarHorizontalExtensionButton, nullptr, nullptr); // the application's direction
        QCOMPARE(direction == Qt::LeftToRight, other.pixmap(16).toImage() == actual.pixmap(16).toImage());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

ROSTARI_TEST_MAIN(TestMenus)
#include "tst_menus.moc"
