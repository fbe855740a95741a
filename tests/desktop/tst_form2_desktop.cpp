#include "designfont.h"
#include "form2.h"
#include "makerinfo.h"
#include "testmain.h"
#include "tst_formtop_xprobe.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWindow>

#include <memory>

// The About dialog on the xcb platform under a window manager: the road the program takes
// to the default URL handler, and what the manager makes of the dialog's window.
class TestForm2Desktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void linkRunsTheDefaultHandler();
    void managerSeesAFixedOwnedDialog();
    void centredOnTheScreen();
    void closeBoxCloses();

private:
    // The window manager is another process; on a loaded machine it has once taken over 5 s.
    static constexpr int kWindowManagerMs = 15000;

    xcb_window_t dialogId() const { return static_cast<xcb_window_t>(m_dialog->windowHandle()->winId()); }
    QStringList recordedCalls() const;

    XProbe m_x;
    QTemporaryDir m_bin;
    QString m_record;
    std::unique_ptr<QWidget> m_owner;
    std::unique_ptr<Form2> m_dialog;
};

void TestForm2Desktop::initTestCase()
{
    QVERIFY(m_x.isValid());
    QVERIFY(m_bin.isValid());
    // A recording stand-in for xdg-open, found first on PATH; Qt looks it up at the first open.
    const QString script = m_bin.filePath(QStringLiteral("xdg-open"));
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "#!/bin/sh\n"
        "{ printf '%s' \"$#\"; for a in \"$@\"; do printf ' [%s]' \"$a\"; done; echo; } >>\"$ROSTARI_URL_RECORD\"\n");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    m_record = m_bin.filePath(QStringLiteral("calls.txt"));
    qputenv("ROSTARI_URL_RECORD", QFile::encodeName(m_record));
    qputenv("PATH", QFile::encodeName(m_bin.path()) + ':' + qgetenv("PATH"));
    // Inside a sandbox Qt would ask the desktop portal instead.
    qunsetenv("SNAP");
    QVERIFY(!QFile::exists(QStringLiteral("/.flatpak-info")));
}

void TestForm2Desktop::init()
{
    m_owner = std::make_unique<QWidget>();
    m_owner->setWindowTitle(QStringLiteral("owner"));
    m_owner->setFixedSize(300, 200);
    m_owner->move(0, 0);
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    m_dialog = std::make_unique<Form2>(DesignFonts(), m_owner.get());
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    QTRY_VERIFY_WITH_TIMEOUT(m_x.stacking().contains(dialogId()), kWindowManagerMs);
}

void TestForm2Desktop::cleanup()
{
    m_dialog.reset();
    m_owner.reset();
    QFile::remove(m_record);
}

QStringList TestForm2Desktop::recordedCalls() const
{
    QFile file(m_record);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TestForm2Desktop::linkRunsTheDefaultHandler()
{
    for (const char* name : { "Label3", "Label1", "Label4", "Label11", "Label12", "Frame1" }) {
        auto* widget = m_dialog->findChild<QWidget*>(QLatin1String(name));
        QVERIFY(widget);
        QTest::mouseClick(widget, Qt::LeftButton);
    }
    QTest::qWait(500);
    QCOMPARE(recordedCalls(), QStringList());

    auto* link = m_dialog->findChild<QLabel*>(QStringLiteral("Label13_7"));
    QVERIFY(link);
    const QString call = QStringLiteral("1 [") + makerinfo::webAddress + QLatin1Char(']');
    QTest::mouseClick(link, Qt::LeftButton);
    QTRY_COMPARE(recordedCalls(), QStringList { call });
    QVERIFY(m_dialog->isVisible());

    QTest::mouseClick(link, Qt::LeftButton);
    QTRY_COMPARE(recordedCalls(), (QStringList { call, call }));
    QVERIFY(m_dialog->isVisible());
}

void TestForm2Desktop::managerSeesAFixedOwnedDialog()
{
    QTRY_COMPARE_WITH_TIMEOUT(m_x.windowName(dialogId()), QStringLiteral("information"), kWindowManagerMs);
    QCOMPARE(m_x.clientRect(dialogId()).size(), QSize(321, 344));
    // Owned by the main window: task bars leave transient dialogs out.
    QCOMPARE(m_x.transientFor(dialogId()), static_cast<xcb_window_t>(m_owner->windowHandle()->winId()));
    QVERIFY(
        m_x.atomListProperty(dialogId(), "_NET_WM_WINDOW_TYPE").contains(QLatin1String("_NET_WM_WINDOW_TYPE_DIALOG")));

    // Qt asks for the buttons through the Motif hints: flags, functions, decorations.
    const QList<quint32> motif = m_x.cardinals(dialogId(), "_MOTIF_WM_HINTS", "_MOTIF_WM_HINTS");
    QCOMPARE(motif.size(), 5);
    constexpr quint32 functionsMinimize = 0x08, functionsMaximize = 0x10, decorMinimize = 0x20, decorMaximize = 0x40;
    QCOMPARE(motif[0] & 0x3, 0x3u);
    QCOMPARE(motif[1] & (functionsMinimize | functionsMaximize), 0u);
    QCOMPARE(motif[2] & (decorMinimize | decorMaximize), 0u);

    // The manager's verdict: it may be closed and moved, but neither resized nor maximised.
    QTRY_VERIFY_WITH_TIMEOUT(!m_x.atomListProperty(dialogId(), "_NET_WM_ALLOWED_ACTIONS").isEmpty(), kWindowManagerMs);
    const QStringList actions = m_x.atomListProperty(dialogId(), "_NET_WM_ALLOWED_ACTIONS");
    QVERIFY2(actions.contains(QLatin1String("_NET_WM_ACTION_CLOSE")), qPrintable(actions.join(QLatin1Char(' '))));
    for (const char* refused :
        { "_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT" })
        QVERIFY2(!actions.contains(QLatin1String(refused)), refused);
}

void TestForm2Desktop::centredOnTheScreen()
{
    const QPoint screenCentre(m_x.screenSize().width() / 2, m_x.screenSize().height() / 2);
    QTRY_VERIFY_WITH_TIMEOUT(m_x.frameRect(dialogId()).isValid(), kWindowManagerMs);
    const auto centreOffset = [&] {
        const QRect frame = m_x.frameRect(dialogId());
        const QPoint offset = frame.topLeft() + QPoint(frame.width() / 2, frame.height() / 2) - screenCentre;
        return std::max(std::abs(offset.x()), std::abs(offset.y()));
    };
    QTRY_VERIFY2_WITH_TIMEOUT(centreOffset() <= 2, qPrintable(QString::number(centreOffset())), kWindowManagerMs);
}

void TestForm2Desktop::closeBoxCloses()
{
    QSignalSpy finished(m_dialog.get(), &QDialog::finished);
    m_x.closeByManager(dialogId());
    QTRY_VERIFY(!m_dialog->isVisible());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
}

ROSTARI_DESKTOP_TEST_MAIN(TestForm2Desktop)
#include "tst_form2_desktop.moc"
