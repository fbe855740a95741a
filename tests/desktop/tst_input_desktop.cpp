// The built program on the private X display, driven by real input (XTEST keys and mouse)
// and read from outside: what the screen shows, the window manager's view of its windows,
// the clipboard, the settings file, the exit status and what a screen reader hears. Each row of the table is one case,
// written as a script of actions and checks (see Case).

#include "accessibletree.h"
#include "desktoptools.h"
#include "fixtures.h"
#include "labels.h"
#include "slowfs.h"
#include "tabcontrol.h"
#include "testmain.h"
#include "tst_formtop_xprobe.h"
#include "windowtest.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

// Slow and Stalled: the bundled database on a FUSE file system that takes 60 ms for each 4 KiB
// read, or whose reads wait until released.
enum class Db { Bundled, None, WithoutW, Long, Slow, Stalled };

struct Case {
    const char* name;
    Db db;
    // Actions: an xdotool key name ("alt+Right", "Escape"); type:DIGITS; pause (longer than
    // list type-ahead waits); click:WIDGET, rclick:WIDGET, tab:N (mouse); hold:WIDGET:CHECK
    // (the mouse button held down on WIDGET until CHECK holds);
    // move (the window, through the manager); other (another program's window, activated);
    // close:about (its close box); await:message (up to 45 s); release (the stalled file system);
    // shot:NAME (the screen, kept as tst_input_desktop-NAME.png in the temporary folder); aside (the
    // length chooser moved off the main window); main (the main window activated).
    // docs:readonly, docs:full (the documents folder becomes a read-only or a nearly full file system).
    // Checks start with "?": WIDGET=TEXT (the label shows TEXT), page=N (status text of
    // page N), popup=none|list|menu:File|menu:View|menu:Help, above=0|1, ontop=0|1 (over the
    // other program's window), dialog=none|shown|same, message=0|1, running, exit=0, stored
    // (settings file untouched), clip= (nothing copied), clip=TEXT, clip:SYMBOL=VALUE (also
    // NAME=VALUE of a two-cell line), chooser=shown|none (the length chooser, in front),
    // named:NAME=TEXT (the accessible object of that name describes itself with TEXT among its words),
    // lines=N (of the clipboard), frames=N (every value on page N clear of its frame, centred),
    // reading (the status bar says "読み込み中…"), boxes=N (message windows), boxtext=stalled (the
    // message says the file could not be read in time), since=S (at least S
    // seconds since the program started), opens=N (times the database was opened).
    // window=print|pdf|dxfcase|dxf|none (that dialog in front, or none of them open),
    // saved=NAME (a whole file of that name in the documents folder, the only one there),
    // docs=0 (nothing there, not even a temporary file), printed=0 (no print file in the home).
    const char* script;
};

const Case kCases[] = {
    // Ending, and Escape in the open length list.
    { "Escape ends at once and stores nothing", Db::Bundled, "move Escape ?exit=0 ?stored" },
    { "File > Quit ends at once and stores nothing", Db::Bundled,
        "move alt+f ?popup=menu:File Up Return ?exit=0 ?stored" },
    { "Escape in the list opened by mouse only closes it", Db::Bundled,
        "move click:Combo1 ?popup=list Escape ?popup=none ?running Escape ?exit=0 ?stored" },
    { "Escape in the list opened by Alt+Down only closes it", Db::Bundled,
        "move alt+Down ?popup=list Escape ?popup=none ?running Escape ?exit=0 ?stored" },
    // Menus and keys.
    { "F4 and F5 without opening the menu", Db::Bundled,
        "F4 ?popup=none ?above=1 ?StatusBar1_Panel2=FormTop F5 ?popup=none ?above=0 ?StatusBar1_Panel2=" },
    { "Alt+V opens the view menu, ON through it", Db::Bundled,
        "alt+v ?popup=menu:View Return Return ?popup=none ?above=1 ?StatusBar1_Panel2=FormTop" },
    { "About: Esc, a second opening alike, the close box", Db::Bundled,
        "F4 ?above=1 alt+h ?popup=menu:Help Return ?dialog=shown ?above=0 Escape ?dialog=none ?running alt+h Return "
        "?dialog=same close:about ?dialog=none ?running ?Label15=5" },
    { "Focus starts in the length list; Tab goes to the tabs and back", Db::Bundled,
        "Down ?Label15=6 Tab Right ?page=2 Left ?page=1 Tab Down ?Label15=8" },
    // Pages by the usual keys, wrapping round; a value only on that page shows it is shown.
    { "Ctrl+Tab and Ctrl+Shift+Tab from the length list", Db::Bundled,
        "ctrl+Tab ?page=2 ?Label19=3.4 ctrl+Tab ?page=3 ?Label22=7 ctrl+Tab ?page=1 ?Label6=5.5 ctrl+shift+Tab ?page=3 "
        "ctrl+shift+Tab ?page=2 ctrl+shift+Tab ?page=1 ?Label15=5" },
    { "Ctrl+PageDown and Ctrl+PageUp in the length list turn pages, not the length", Db::Bundled,
        "ctrl+Page_Down ?page=2 ?Label19=3.4 ctrl+Page_Up ?page=1 ?Label15=5 ctrl+Page_Up ?page=3 ?Label22=7 "
        "ctrl+Page_Down ?page=1 ?Label15=5" },
    { "Page keys with the focus on the tabs, which keep it", Db::Bundled,
        "Tab ctrl+Page_Down ?page=2 ctrl+Tab ?page=3 ctrl+Page_Down ?page=1 ctrl+shift+Tab ?page=3 "
        "ctrl+Page_Up ?page=2 Right ?page=3" },
    { "In the open length list Ctrl+PageDown stays with the list", Db::Bundled,
        "alt+Down ?popup=list ctrl+Page_Down Escape ?popup=none ?page=1 ?Label15=5" },
    { "Keep-above stays over another program's window", Db::Bundled, "F4 other ?ontop=1" },
    { "Without keep-above another program's window goes over", Db::Bundled, "other ?ontop=0" },
    // Navigation.
    { "Navigation clamps at the first record", Db::Bundled,
        "click:Data1_MovePrevious click:Data1_MoveFirst ?Label1=M3 click:Data1_MoveNext ?Label1=M4" },
    { "Navigation clamps at the last record", Db::Bundled,
        "click:Data1_MoveLast ?Label1=M52 click:Data1_MoveNext ?Label1=M52 click:Data1_MovePrevious ?Label1=M48" },
    { "A held navigation button repeats", Db::Bundled, "hold:Data1_MoveNext:Label1=M52 ?Label1=M52 ?Label35_2=M52" },
    { "Sizes from the keyboard", Db::Bundled,
        "alt+Right alt+Right ?Label1=M5 alt+End ?Label1=M52 alt+Left ?Label1=M48 alt+Home ?Label1=M3" },
    { "Sizes from the keyboard with the focus on the tabs", Db::Bundled,
        "Tab alt+Right ?Label1=M4 ?Label3=M4 ?Label2_0=0.7" },
    { "Lengths by typing their number", Db::Bundled,
        "alt+Right alt+Right alt+Right alt+Right alt+Right ?Label1=M10 type:100 ?Label13=60.5 ?Label14=68 "
        "?Label15=32 pause type:35 ?Label13=--- ?Label14=--- ?Label15=35" },
    { "Typing in the open list moves to the length, Return chooses it", Db::Bundled,
        "alt+Right alt+Right alt+Right alt+Right alt+Right alt+Down ?popup=list type:100 ?Label13=--- Return "
        "?popup=none ?Label13=60.5 ?Label15=32" },
    // Copying.
    { "Ctrl+C copies the size shown", Db::Bundled,
        "alt+Right alt+Right alt+Right alt+Right alt+Right ctrl+c ?clip:M=M10 ?clip:p=1.5 ?clip:dk=16 ?clip:D=17.5 "
        "?clip:d'=11 ?clip:l=5 ?clip:ls=--- ?clip:b=--- ?lines=30" },
    { "A value's menu copies that value alone", Db::Bundled, "rclick:Label6 Down Return ?clip=5.5" },
    { "The window's menu copies the size", Db::Bundled, "rclick:Label0_0 Down Return ?clip:dk=5.5 ?lines=30" },
    // Databases the window cannot fully use.
    { "No database: a message, then a usable window that copies nothing", Db::None,
        "?message=1 Return ?message=0 ?Label1=M alt+Right ?Label1=M ctrl+c ?clip= F4 ?above=1" },
    { "A missing field: a message, the rest shown", Db::WithoutW,
        "?message=1 Return ?message=0 ?Label9= ?Label8=1.3 alt+Right ?Label1=M4 ?Label9=" },
    // A slow or stalled drive: waiting is not failing, and Ctrl+R reads again.
    { "A slow drive: reading, then the values", Db::Slow,
        "?reading shot:reading ?Label1=M3 ?Label6=5.5 ?page=1 ?boxes=0 ?opens=1" },
    { "A stalled drive: after 30 s it says so; released, Ctrl+R shows the values", Db::Stalled,
        "?reading ?Label1=M await:message ?since=30 ?boxtext=stalled shot:stalled Return ?boxes=0 release "
        "ctrl+r ?Label1=M3 ?Label6=5.5 ?page=1 ?boxes=0 shot:reloaded ?opens=2" },
    { "Ctrl+R while a stalled read waits starts it again", Db::Stalled,
        "?reading ?opens=1 ctrl+r ?opens=2 ?reading release ?Label1=M3 ?boxes=0" },
    // Values too wide for their boxes, on every page.
    { "Long values on page 1", Db::Long, "?frames=1 ?Label6=10.125 ?Label4=1234.5 ?Label5=123456.789" },
    { "Long values on page 2", Db::Long, "tab:1 ?frames=2 ?Label16_0=12.875 ?Label20=1234.5 ?Label19=99999.999" },
    { "Long values on page 3", Db::Long, "tab:2 ?frames=3 ?Label22=10.125 ?Label23=1234.5 ?Label24=12345678.9" },
    // The length chooser. M8: 12 + spring washer 2 + steel 1 × 8 = 22 → 25, threaded to the head.
    { "Ctrl+L: a full-width thickness, a spring washer and steel on M8; Enter shows the length", Db::Bundled,
        "alt+Right alt+Right alt+Right alt+Right ?Label1=M8 ctrl+l ?chooser=shown type:１２ Tab Down "
        "?named:推奨する呼び長さ=M8×25 aside Return ?Label15=25 ?Label13=--- ?Label1=M8" },
    // M10: 12 + 2.5 + 10 = 24.5 → 25, 10.5 engaged; the button by its access key.
    { "A size step in the main window recalculates the chooser, which copies its result", Db::Bundled,
        "alt+Right alt+Right alt+Right alt+Right ctrl+l ?chooser=shown type:１２ Tab Down "
        "?named:推奨する呼び長さ=M8×25 aside main "
        "alt+Right ?Label1=M10 ?named:推奨する呼び長さ=M10×25 ctrl+l ?chooser=shown ctrl+c "
        "?clip:推奨する呼び長さ=M10×25 ?clip:ねじ込み長さ（mm）=10.5 ?clip:部材の厚さ（mm）=12 ?clip:めねじの材料=鋼 "
        "alt+s ?Label15=25" },
    { "Bad input in the chooser: its message and no length; Escape closes the chooser alone", Db::Bundled,
        "ctrl+l ?chooser=shown ?named:推奨する呼び長さ=部材の厚さを入力すると type:abc "
        "?named:部材の厚さ=数字で入力してください ?named:推奨する呼び長さ=入力を直すと "
        "BackSpace BackSpace BackSpace ?named:部材の厚さ=値を入力してください Escape ?chooser=none ?running" },
    // Onto paper and into CAD; the documents folder is named in Japanese.
    { "Ctrl+P opens the print dialog, Escape closes it with nothing printed", Db::Bundled,
        "ctrl+p ?window=print Escape ?window=none ?printed=0 ?running" },
    { "PDF through its file dialog, under its default name", Db::Bundled,
        "alt+f e ?window=pdf Return ?window=none ?saved=M3_六角穴付ボルト.pdf ?running" },
    { "Counterbore DXF: a case picked, then saved", Db::Bundled,
        "alt+f d ?window=dxfcase Down Return ?window=dxf Return ?window=none "
        "?saved=M3_座ぐり_座金なし・頭部が出る.dxf" },
    { "Cancelled dialogs write nothing", Db::Bundled,
        "alt+f e ?window=pdf Escape ?window=none alt+f d ?window=dxfcase Escape ?window=none alt+f d Return "
        "?window=dxf Escape ?window=none ?docs=0 ?running" },
    { "A read-only folder: a message, nothing written", Db::Bundled,
        "docs:readonly alt+f e ?window=pdf Return ?message=1 Return ?message=0 ?docs=0 ?running" },
    { "A full disk: a message, nothing left half-written", Db::Bundled,
        "docs:full alt+f e ?window=pdf Return ?message=1 Return ?message=0 ?docs=0 ?running" },
    { "No record: nothing to print or save", Db::None,
        "?message=1 Return ?message=0 ctrl+p alt+f e Escape ?popup=none ?window=none ?docs=0 ?printed=0 ?running" },
};

const QString kPageStatus[] = {
    QStringLiteral("JIS 六角穴付ボルト M3～M52 [JIS B 1176(1988)]"),
    QStringLiteral("JIS M3～M52 座グリ及び穴寸法（参考値）"),
    QStringLiteral("JIS M3～M52 座金類使用時 座グリ及び穴寸法（参考値）"),
};

const QString kNothingCopied = QStringLiteral("(nothing copied)");
// A check that holds returns at once; only one that fails waits this long.
constexpr int kPatienceMs = 8000;
// The window manager is another process; on a loaded machine it has once taken over 5 s.
constexpr int kWindowManagerMs = 15000;

bool sameImage(const QImage& a, const QImage& b)
{
    return a.size() == b.size() && a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestInputDesktop : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void script_data();
    void script();
    void cleanup();

private:
    void prepare(Db db);
    void act(const QString& action);
    // Empty when the check holds (waiting for it a while), else what was seen.
    QString check(const QString& what);
    QString checkOnce(const QString& what);

    QRect onScreen(const QWidget* widget) const;
    QImage screen(const QRect& rect) const
    {
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
            .toImage();
    }
    QList<xcb_window_t> viewerWindows(const QString& title = {}) const;
    QString popupShown() const;
    QString framesProblem(int page) const;

    XProbe m_x;
    // The window as the program builds it (same code, fonts and 96 dpi): where things are,
    // and how a label looks with a given text.
    std::unique_ptr<Form1> m_model;
    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<desktop::Viewer> m_viewer;
    std::unique_ptr<OtherProgramWindow> m_other;
    std::unique_ptr<SlowFolder> m_slow;
    QElapsedTimer m_started;
    QString m_log; // the program's standard error so far
    std::unique_ptr<AccessibleTree> m_tree;
    xcb_window_t m_window = 0;
    QByteArray m_storedBefore;
    QImage m_dialogSeen;
    QImage m_labelExpected; // the last label compared, drawn here
    QString m_docs; // the viewer's documents folder
    bool m_mounted = false; // a file system made for a case is mounted on it
};

void TestInputDesktop::initTestCase()
{
    QVERIFY(m_x.isValid());
    m_x.mapCharacters(QStringLiteral("０１２３４５６７８９．"));
    m_tree = std::make_unique<AccessibleTree>();
    QVERIFY2(m_tree->problem().isEmpty(), qPrintable(m_tree->problem()));
    m_model = std::make_unique<Form1>();
    m_model->ensurePolished();
}

void TestInputDesktop::script_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kCases)); ++i)
        QTest::newRow(kCases[i].name) << i;
}

void TestInputDesktop::cleanup()
{
    m_other.reset();
    m_viewer.reset();
    m_slow.reset(); // once nothing reads from it
    m_log.clear();
    m_dialogSeen = {};
    if (m_mounted)
        desktop::run(QStringLiteral("umount"), { m_docs });
    m_mounted = false;
}

void TestInputDesktop::prepare(Db db)
{
    m_work = std::make_unique<QTemporaryDir>();
    m_config = std::make_unique<QTemporaryDir>();
    // A stored position, so that a close that stores would show.
    QFile settings(m_config->filePath(QStringLiteral("Quillmark.conf")));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    m_storedBefore = "[Form1_StrtUp]\nX1=2400\nY1=1200\n";
    settings.write(m_storedBefore);
    settings.close();
    // The documents folder, where saving starts, with a Japanese name.
    m_docs = m_work->filePath(QStringLiteral("図面"));
    QVERIFY(QDir().mkpath(m_docs));
    QFile userDirs(m_config->filePath(QStringLiteral("user-dirs.dirs")));
    QVERIFY(userDirs.open(QIODevice::WriteOnly));
    userDirs.write("XDG_DOCUMENTS_DIR=\"" + m_docs.toUtf8() + "\"\n");
    userDirs.close();

    if (db == Db::Bundled) {
        QVERIFY(QFile::copy(QStringLiteral(ROSTARI_BUILD_DIR "/share/rostari-bolt/quilldat.mdb"),
            m_work->filePath(QStringLiteral("quilldat.mdb"))));
    } else if (db != Db::None) {
        jet::Table table = fixtures::sizeTable();
        if (db == Db::WithoutW)
            fixtures::dropField(table, QStringLiteral("ｗ"));
        if (db == Db::Long) {
            // Three decimals, four integer digits, and too many digits to fit even reduced (M3).
            const std::pair<const char*, const char*> cells[] = { { "ｄｋ", "10.125" }, { "ｓ", "1234.5" },
                { "ｅ", "123456.789" }, { "Ｄ", "12.875" }, { "Ｈ''", "1234.5" }, { "ｄ'", "99999.999" },
                { "Ｄ１", "10.125" }, { "ｈ１", "1234.5" }, { "ｔ１", "12345678.9" } };
            for (const auto& [field, value] : cells)
                for (std::size_t c = 0; c < table.columns.size(); ++c)
                    if (table.columns[c].name == field)
                        table.rows[0][c] = std::string(value);
        }
        fixtures::write(m_work->path(), table);
    }
    const QString folder = m_slow ? m_slow->mountPoint() : m_work->path();
    m_started.start();
    m_viewer = std::make_unique<desktop::Viewer>(m_config->path(), folder, m_tree->environment());
    const QString id = m_viewer->waitForWindow();
    QVERIFY(!id.isEmpty());
    m_window = id.toUInt();
    // Start once the first record is shown with the window active, or the message about the
    // database is in front of it.
    if (db == Db::Bundled || db == Db::Long) {
        desktop::xdotool({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), id });
        QVERIFY2(check(QStringLiteral("Label1=M3")).isEmpty(), "no record shown");
    } else if (m_slow) {
        desktop::run(QStringLiteral("xdotool"), { QStringLiteral("windowactivate"), QStringLiteral("--sync"), id });
    } else {
        const QString seen = check(QStringLiteral("message=1"));
        QVERIFY2(seen.isEmpty(), qPrintable(seen));
    }
    QGuiApplication::clipboard()->setText(kNothingCopied);
}

void TestInputDesktop::script()
{
    QFETCH(int, row);
    const Case& c = kCases[row];
    if (c.db == Db::Slow || c.db == Db::Stalled) {
        m_slow = std::make_unique<SlowFolder>(QStringLiteral(ROSTARI_BUILD_DIR "/share/rostari-bolt/quilldat.mdb"),
            SlowFolder::Behaviour { c.db == Db::Slow ? 60 : 0, c.db == Db::Stalled });
        if (!m_slow->skipReason().isEmpty())
            QSKIP(qPrintable(QStringLiteral("SKIPPED: ") + m_slow->skipReason()));
        QVERIFY2(m_slow->error().isEmpty(), qPrintable(m_slow->error()));
    }
    prepare(c.db);
    if (QTest::currentTestFailed())
        return;
    for (const QString& step : QString::fromUtf8(c.script).split(QLatin1Char(' '))) {
        if (step.startsWith(QLatin1Char('?'))) {
            const QString seen = check(step.mid(1));
            QVERIFY2(seen.isEmpty(), qPrintable(step + QStringLiteral(": ") + seen));
        } else {
            act(step);
        }
    }
}

// Where the viewer's window is at this moment, as the X server has it; empty if it is gone.
QRect TestInputDesktop::onScreen(const QWidget* widget) const
{
    const QRect client = m_x.clientRect(m_window);
    if (!client.isValid())
        return {};
    return QRect(client.topLeft() + widget->mapTo(m_model.get(), QPoint()), widget->size());
}

void TestInputDesktop::act(const QString& action)
{
    const QStringList part = action.split(QLatin1Char(':'));
    auto pointAt = [&](const QPoint& p) {
        desktop::xdotool({ QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()) });
        QTest::qWait(100);
    };
    if (part[0] == QLatin1String("click") || part[0] == QLatin1String("rclick")) {
        const QRect target = onScreen(child(m_model.get(), qPrintable(part[1])));
        QVERIFY2(target.isValid(), "the viewer's window is gone");
        pointAt(target.center());
        desktop::xdotool(
            { QStringLiteral("click"), part[0] == QLatin1String("click") ? QStringLiteral("1") : QStringLiteral("3") });
    } else if (part[0] == QLatin1String("hold")) {
        const QRect target = onScreen(child(m_model.get(), qPrintable(part[1])));
        QVERIFY2(target.isValid(), "the viewer's window is gone");
        pointAt(target.center());
        desktop::xdotool({ QStringLiteral("mousedown"), QStringLiteral("1") });
        // Released whatever came of it: a following check says what was seen.
        check(part[2]);
        desktop::xdotool({ QStringLiteral("mouseup"), QStringLiteral("1") });
    } else if (part[0] == QLatin1String("tab")) {
        const QTabBar* tabs = child<TabControl>(m_model.get(), "SSTab1")->tabBar();
        const QRect bar = onScreen(tabs);
        QVERIFY2(bar.isValid(), "the viewer's window is gone");
        pointAt(bar.topLeft() + tabs->tabRect(part[1].toInt()).center());
        desktop::xdotool({ QStringLiteral("click"), QStringLiteral("1") });
    } else if (part[0] == QLatin1String("type")) {
        desktop::xdotool({ QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("60"), part[1] });
    } else if (part[0] == QLatin1String("pause")) {
        QTest::qWait(3 * QApplication::keyboardInputInterval());
    } else if (part[0] == QLatin1String("move")) {
        m_viewer->moveTo(400, 300);
    } else if (part[0] == QLatin1String("other")) {
        m_other = std::make_unique<OtherProgramWindow>(m_x.clientRect(m_window).adjusted(40, 40, -40, -40));
        QVERIFY(QTest::qWaitFor([this] { return m_other->window() != 0; }, 10000));
        const xcb_window_t other = m_other->window();
        QVERIFY(QTest::qWaitFor([&] { return m_x.stacking().contains(other); }, kWindowManagerMs));
        m_x.activate(other);
        QVERIFY(QTest::qWaitFor([&] { return m_x.activeWindow() == other; }, kWindowManagerMs));
        QVERIFY2(m_x.waitForManager(), "the window manager did not answer"); // its restacking done
    } else if (part[0] == QLatin1String("await")) {
        // The stalled read is given up after 30 s.
        QVERIFY(QTest::qWaitFor([this] { return checkOnce(QStringLiteral("message=1")).isEmpty(); }, 45000));
    } else if (part[0] == QLatin1String("release")) {
        m_slow->release();
    } else if (part[0] == QLatin1String("shot")) {
        const QString shot = QDir::temp().filePath(QStringLiteral("tst_input_desktop-%1.png").arg(part[1]));
        QVERIFY(screen(m_x.clientRect(m_window).adjusted(-4, -30, 4, 4)).save(shot));
    } else if (part[0] == QLatin1String("aside")) {
        // Off the main window, whose labels are then seen on the screen.
        const QList<xcb_window_t> chooser = viewerWindows(QStringLiteral("呼び長さの選定"));
        QVERIFY(!chooser.isEmpty());
        const QRect main = m_x.frameRect(m_window);
        desktop::xdotool({ QStringLiteral("windowmove"), QStringLiteral("--sync"), QString::number(chooser.first()),
            QString::number(main.right() + 20), QString::number(main.top()) });
        QVERIFY(QTest::qWaitFor([&] { return !m_x.frameRect(chooser.first()).intersects(main); }, kWindowManagerMs));
    } else if (part[0] == QLatin1String("main")) {
        desktop::xdotool({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(m_window) });
        QVERIFY(QTest::qWaitFor([&] { return m_x.activeWindow() == m_window; }, kWindowManagerMs));
    } else if (part[0] == QLatin1String("docs")) {
        // Root writes anywhere permissions say it may not, so the folder becomes a file system of
        // its own: read-only, or too small for a sheet.
        const bool full = part[1] == QLatin1String("full");
        if (geteuid() == 0) {
            const QString options = full ? QStringLiteral("size=32k") : QStringLiteral("ro,size=1m");
            QCOMPARE(QProcess::execute(QStringLiteral("mount"),
                         { QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options,
                             QStringLiteral("rostari-test"), m_docs }),
                0);
            m_mounted = true;
        } else if (full) {
            QSKIP("making a full file system needs root");
        } else {
            QVERIFY(QFile::setPermissions(m_docs, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
    } else if (part[0] == QLatin1String("close")) {
        const QList<xcb_window_t> about = viewerWindows(QStringLiteral("information"));
        QVERIFY(!about.isEmpty());
        m_x.closeByManager(about.first());
    } else {
        desktop::xdotool({ QStringLiteral("key"), action });
    }
}

QString TestInputDesktop::check(const QString& what)
{
    // A state the program settles into: asked again for a while. States that must not come
    // about (the program still running) are judged after the same short settling time.
    QTest::qWait(100);
    if (what == QLatin1String("running")) {
        QTest::qWait(400);
        return m_viewer->isRunning() ? QString() : QStringLiteral("the program ended");
    }
    QString seen;
    QElapsedTimer timer;
    timer.start();
    do {
        seen = checkOnce(what);
        if (seen.isEmpty())
            return seen;
        QTest::qWait(100);
    } while (timer.elapsed() < kPatienceMs);
    // The whole screen as it was, and the label as expected, for a failure that does not come
    // back when run again.
    const QString shot = QDir::temp().filePath(
        QStringLiteral("tst_input_desktop-%1.png").arg(QString::fromUtf8(QTest::currentDataTag())));
    if (screen(QGuiApplication::primaryScreen()->geometry()).save(shot))
        seen += QStringLiteral(" (screen: %1)").arg(shot);
    if (seen.contains(QLatin1String("shows something else")))
        m_labelExpected.save(QString(shot).replace(QStringLiteral(".png"), QStringLiteral("-expected.png")));
    return seen;
}

QString TestInputDesktop::checkOnce(const QString& what)
{
    const qsizetype equals = what.indexOf(QLatin1Char('='));
    const QString key = what.left(equals);
    const QString want = equals < 0 ? QString() : what.mid(equals + 1);

    if (key == QLatin1String("exit")) {
        if (m_viewer->isRunning() && !m_viewer->waitForExit(100))
            return QStringLiteral("still running");
        return m_viewer->exitCode() == want.toInt() ? QString() : QStringLiteral("status %1").arg(m_viewer->exitCode());
    }
    if (key == QLatin1String("stored")) {
        QFile file(m_config->filePath(QStringLiteral("Quillmark.conf")));
        return file.open(QIODevice::ReadOnly) && file.readAll() == m_storedBefore ? QString()
                                                                                  : QStringLiteral("settings changed");
    }
    if (key == QLatin1String("above")) {
        const bool above = m_x.netWmState(m_window).contains(QLatin1String("_NET_WM_STATE_ABOVE"));
        return above == (want == QLatin1String("1")) ? QString() : QStringLiteral("above is %1").arg(above);
    }
    if (key == QLatin1String("ontop")) {
        const QList<xcb_window_t> order = m_x.stacking();
        const bool over = order.indexOf(m_window) > order.indexOf(m_other->window());
        return over == (want == QLatin1String("1")) ? QString() : QStringLiteral("over the other window: %1").arg(over);
    }
    if (key == QLatin1String("popup")) {
        const QString shown = popupShown();
        return shown == want ? QString() : shown;
    }
    if (key == QLatin1String("message")) {
        // Shown means in front with the focus, as the user meets it.
        const QList<xcb_window_t> box = viewerWindows(QStringLiteral("ロスタリ"));
        const bool shown = !box.isEmpty() && m_x.activeWindow() == box.first();
        return shown == (want == QLatin1String("1")) ? QString() : QStringLiteral("message shown: %1").arg(shown);
    }
    if (key == QLatin1String("chooser")) {
        const QList<xcb_window_t> chooser = viewerWindows(QStringLiteral("呼び長さの選定"));
        if (want == QLatin1String("none"))
            return chooser.isEmpty() ? QString() : QStringLiteral("the length chooser is open");
        return !chooser.isEmpty() && m_x.activeWindow() == chooser.first()
            ? QString()
            : QStringLiteral("no length chooser with the focus");
    }
    if (key.startsWith(QLatin1String("named:"))) {
        const std::optional<QString> description = m_tree->description(m_viewer->pid(), key.mid(6));
        if (!description)
            return QStringLiteral("nothing named %1 in the accessibility tree").arg(key.mid(6));
        return description->contains(want) ? QString() : QStringLiteral("described as: ") + *description;
    }
    if (key == QLatin1String("dialog")) {
        const QList<xcb_window_t> about = viewerWindows(QStringLiteral("information"));
        if (want == QLatin1String("none"))
            return about.isEmpty() ? QString() : QStringLiteral("the About dialog is open");
        if (about.isEmpty() || m_x.activeWindow() != about.first())
            return QStringLiteral("no About dialog with the focus");
        const QImage seen = screen(m_x.clientRect(about.first()));
        if (want == QLatin1String("shown")) {
            m_dialogSeen = seen;
            return QString();
        }
        return sameImage(seen, m_dialogSeen) ? QString() : QStringLiteral("the dialog looks different");
    }
    if (key.startsWith(QLatin1String("clip")) || key == QLatin1String("lines")) {
        const QString text = QGuiApplication::clipboard()->text();
        const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        bool holds = false;
        if (key == QLatin1String("lines"))
            holds = lines.size() == want.toInt();
        else if (key == QLatin1String("clip"))
            holds = text == (want.isEmpty() ? kNothingCopied : want);
        else
            holds = std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
                const QStringList cells = line.split(QLatin1Char('\t'));
                return cells.size() >= 2 && cells[0] == key.mid(5) && cells.last() == want;
            });
        return holds ? QString() : QStringLiteral("clipboard: ") + text;
    }
    if (key == QLatin1String("frames"))
        return framesProblem(want.toInt() - 1);
    if (key == QLatin1String("boxes")) {
        const qsizetype boxes = viewerWindows(QStringLiteral("ロスタリ")).size();
        return boxes == want.toInt() ? QString() : QStringLiteral("%1 message windows").arg(boxes);
    }
    if (key == QLatin1String("opens")) {
        const int opens = m_slow->openings();
        return opens == want.toInt() ? QString() : QStringLiteral("opened %1 times").arg(opens);
    }
    if (key == QLatin1String("since")) {
        return m_started.elapsed() >= want.toInt() * 1000 ? QString()
                                                          : QStringLiteral("after %1 ms").arg(m_started.elapsed());
    }
    if (key == QLatin1String("boxtext")) {
        // The message as the program wrote it to its log, and its text on the screen against the
        // same message box drawn here.
        const QString stalled = QStringLiteral("データベースを開けません: ") + m_slow->mountPoint()
            + QStringLiteral(
                "/quilldat.mdb — ファイルを時間内に読み込めませんでした（30 "
                "秒間、読み込みが進みません）。ネットワークやドライブを確認してから、［ﾌｧｲﾙ］の［再読み込み］"
                "(Ctrl+R) を選んでください");
        m_log += m_viewer->errorOutput();
        if (!m_log.contains(QStringLiteral("rostari-bolt: ") + stalled + QLatin1Char('\n')))
            return QStringLiteral("logged: ") + m_log;
        const QList<xcb_window_t> boxes = viewerWindows(QStringLiteral("ロスタリ"));
        if (boxes.isEmpty())
            return QStringLiteral("no message");
        QMessageBox model(QMessageBox::Warning, QStringLiteral("ロスタリ"), stalled, QMessageBox::Ok, m_model.get());
        model.setAttribute(Qt::WA_DontShowOnScreen);
        model.show();
        auto* text = model.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (!text || text->width() < 200 || text->height() < 30)
            return QStringLiteral("no message text drawn here");
        const QRect place(m_x.clientRect(boxes.first()).topLeft() + text->mapTo(&model, QPoint()), text->size());
        m_labelExpected = text->grab().toImage();
        return sameImage(screen(place), m_labelExpected)
            ? QString()
            : QStringLiteral("the message shows something else at %1,%2").arg(place.x()).arg(place.y());
    }
    if (key == QLatin1String("reading")) {
        // The status bar with the message alone, its panels hidden meanwhile.
        auto* bar = child<QStatusBar>(m_model.get(), "StatusBar1");
        const QList<QLabel*> panels = bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        for (QLabel* panel : panels)
            panel->hide();
        bar->showMessage(QStringLiteral("読み込み中…"));
        const QImage expected = bar->grab().toImage();
        bar->clearMessage();
        for (QLabel* panel : panels)
            panel->show();
        const QRect place = onScreen(bar);
        if (!place.isValid())
            return QStringLiteral("the viewer's window is gone");
        return sameImage(screen(place), expected)
            ? QString()
            : QStringLiteral("the status bar at %1,%2 says something else").arg(place.x()).arg(place.y());
    }
    if (key == QLatin1String("window")) {
        const std::pair<const char*, QString> titles[]
            = { { "print", QStringLiteral("印刷") }, { "pdf", QStringLiteral("PDF に保存") },
                  { "dxfcase", QStringLiteral("座ぐりの種類") }, { "dxf", QStringLiteral("座ぐりを DXF に保存") } };
        for (const auto& [name, title] : titles) {
            const QList<xcb_window_t> shown = viewerWindows(title);
            if (want == QLatin1String(name))
                return !shown.isEmpty() && m_x.activeWindow() == shown.first()
                    ? QString()
                    : QStringLiteral("no %1 dialog in front").arg(title);
            if (want == QLatin1String("none") && !shown.isEmpty())
                return title + QStringLiteral(" is open");
        }
        return QString();
    }
    if (key == QLatin1String("saved") || key == QLatin1String("docs")) {
        const QStringList there
            = QDir(m_docs).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        if (key == QLatin1String("docs"))
            return there.isEmpty() ? QString() : QStringLiteral("in the documents folder: ") + there.join(u' ');
        if (there != QStringList { want })
            return QStringLiteral("in the documents folder: ") + there.join(u' ');
        QFile file(QDir(m_docs).filePath(want));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const bool whole = want.endsWith(QLatin1String(".pdf"))
            ? bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF")
            : bytes.contains("AC1015") && bytes.trimmed().endsWith("EOF");
        return whole ? QString() : QStringLiteral("%1 is not a whole file (%2 bytes)").arg(want).arg(bytes.size());
    }
    if (key == QLatin1String("printed")) {
        // The print dialog offers a file in the home folder named after the sheet.
        const QStringList printed
            = QDir::home().entryList({ QStringLiteral("*.pdf"), QStringLiteral("*.ps") }, QDir::Files);
        return printed.isEmpty() ? QString() : QStringLiteral("printed: ") + printed.join(u' ');
    }

    // What a label shows: the screen against the label drawn with that text.
    QLabel* label = child<QLabel>(m_model.get(), key == QLatin1String("page") ? "StatusBar1_Panel1" : qPrintable(key));
    const QString text = key == QLatin1String("page") ? kPageStatus[want.toInt() - 1] : want;
    if (auto* value = qobject_cast<ValueLabel*>(label))
        value->setCaption(text);
    else
        label->setText(text);
    m_labelExpected = label->grab().toImage();
    const QRect place = onScreen(label);
    if (!place.isValid())
        return QStringLiteral("the viewer's window is gone");
    return sameImage(screen(place), m_labelExpected) ? QString()
                                                     : QStringLiteral("shows something else at %1,%2 %3x%4")
                                                           .arg(place.x())
                                                           .arg(place.y())
                                                           .arg(place.width())
                                                           .arg(place.height());
}

// The program's windows on the screen, or those of them with the given title.
QList<xcb_window_t> TestInputDesktop::viewerWindows(const QString& title) const
{
    const QStringList arguments { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
        QString::number(m_viewer->pid()) };
    QList<xcb_window_t> windows;
    for (const QString& id : desktop::xdotool(arguments).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (title.isEmpty() || m_x.windowName(id.toUInt()) == title)
            windows.append(id.toUInt());
    return windows;
}

// Which drop-down is open: the length list (below Combo1, showing about ten of its 33
// entries) or a menu of the menu bar (under its title), or none.
QString TestInputDesktop::popupShown() const
{
    if (!m_x.clientRect(m_window).isValid())
        return QStringLiteral("the viewer's window is gone");
    for (const xcb_window_t window : viewerWindows()) {
        const QStringList type = m_x.atomListProperty(window, "_NET_WM_WINDOW_TYPE");
        const QRect place = m_x.clientRect(window);
        // The list drops down from the box, as wide as it; it shows 10 of 33 entries.
        auto* combo = child<QComboBox>(m_model.get(), "Combo1");
        const QRect box = onScreen(combo);
        if (window != m_window && std::abs(place.left() - box.left()) <= 2
            && std::abs(place.top() - box.bottom()) <= 2) {
            if (combo->count() == 0)
                combo->addItem(QStringLiteral("   5"));
            const int rows = place.height() / combo->view()->sizeHintForRow(0);
            return rows >= 8 && rows <= 10 ? QStringLiteral("list") : QStringLiteral("a list of %1 rows").arg(rows);
        }
        if (type.contains(QLatin1String("_NET_WM_WINDOW_TYPE_DROPDOWN_MENU"))) {
            for (QAction* menu : m_model->menuBar()->actions()) {
                const QRect title
                    = m_model->menuBar()->actionGeometry(menu).translated(onScreen(m_model->menuBar()).topLeft());
                if (std::abs(place.left() - title.left()) <= 2)
                    return QStringLiteral("menu:") + menu->menu()->objectName();
            }
            return QStringLiteral("a menu at %1").arg(place.left());
        }
    }
    return QStringLiteral("none");
}

// Every value label of the page, from the screen: its text clear of the frame (the frame's
// inner edge all background), and centred between the sides.
QString TestInputDesktop::framesProblem(int page) const
{
    const QWidget* pageWidget = child<TabControl>(m_model.get(), "SSTab1")->page(page);
    const QList<ValueLabel*> labels = pageWidget->findChildren<ValueLabel*>();
    if (labels.size() < 3)
        return QStringLiteral("too few value labels");
    if (!m_x.clientRect(m_window).isValid())
        return QStringLiteral("the viewer's window is gone");
    for (const ValueLabel* label : labels) {
        const QRect outer = onScreen(label);
        const QImage shot = screen(outer.adjusted(1, 1, -1, -1)); // inside the one-pixel frame
        int left = shot.width(), right = -1;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const bool edge = x == 0 || y == 0 || x == shot.width() - 1 || y == shot.height() - 1;
                const int grey = qGray(shot.pixel(x, y));
                if (edge && grey < 250)
                    return label->objectName() + QStringLiteral(" touches its frame at %1,%2").arg(x).arg(y);
                if (grey < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        if (right < 0)
            continue; // an empty value
        const int off = left - (shot.width() - 1 - right);
        if (std::abs(off) > 2)
            return label->objectName() + QStringLiteral(" is off centre by %1").arg(off);
    }
    return {};
}

ROSTARI_DESKTOP_TEST_MAIN(TestInputDesktop)
#include "tst_input_desktop.moc"
