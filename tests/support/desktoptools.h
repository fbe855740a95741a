#pragma once

// Running the real viewer on the private X display and looking at it from outside,
// through the standard X tools (xdotool, xprop, wmctrl).

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace desktop {

inline QString run(const QString& program, const QStringList& arguments, int timeoutMs = 10000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// Real input and window queries on the X display (XTEST for keys and the pointer).
inline QString xdotool(const QStringList& arguments)
{
    return run(QStringLiteral("xdotool"), arguments);
}

// The viewer as a child process with its own settings folder and working directory.
class Viewer {
public:
    // environment: more NAME=VALUE for the viewer.
    Viewer(const QString& configHome, const QString& workingDirectory, const QStringList& environment = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& variable : environment)
            env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(workingDirectory);
        m_process.start(QStringLiteral(ROSTARI_BUILD_DIR "/bin/rostari-bolt"), {});
    }
    ~Viewer()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // The X window id of the main window once the window manager has taken it on (framed,
    // placed and mapped it), or empty. Only the main window counts: xdotool's search conditions
    // are alternatives unless --all is given, and without it the database message of the same
    // process matched too and was now and then listed first.
    QString waitForWindow()
    {
        QElapsedTimer timer;
        timer.start();
        QString id;
        while (timer.elapsed() < 20000) {
            id = xdotool({ QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                             QStringLiteral("--pid"), QString::number(m_process.processId()), QStringLiteral("--name"),
                             QStringLiteral("JIS B 1176") })
                     .section(QLatin1Char('\n'), 0, 0);
            if (!id.isEmpty() && isManaged(id)) {
                m_window = id;
                return m_window;
            }
            QTest::qWait(50);
        }
        qWarning("no main window taken on by the window manager: viewer %s, window [%s], %s, %s",
            isRunning() ? "running" : "ended", qPrintable(id),
            qPrintable(run(QStringLiteral("xprop"), { QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST") })),
            qPrintable(id.isEmpty() ? QString() : property(id, "_NET_FRAME_EXTENTS")));
        return {};
    }

    // The outer (frame) corner: the client's place on the screen less the frame extents.
    QPoint framePosition() const
    {
        const QString info = run(QStringLiteral("xwininfo"), { QStringLiteral("-id"), m_window });
        const auto x = QRegularExpression(QStringLiteral("Absolute upper-left X:\\s+(-?\\d+)")).match(info);
        const auto y = QRegularExpression(QStringLiteral("Absolute upper-left Y:\\s+(-?\\d+)")).match(info);
        const auto ext = kExtents.match(property(m_window, "_NET_FRAME_EXTENTS"));
        if (!x.hasMatch() || !y.hasMatch() || !ext.hasMatch())
            return { -99999, -99999 };
        return { x.captured(1).toInt() - ext.captured(1).toInt(), y.captured(1).toInt() - ext.captured(3).toInt() };
    }

    // Dismisses the database message if one is shown (the working folder may hold no database).
    void dismissMessage()
    {
        const QString ids = xdotool({ QStringLiteral("search"), QStringLiteral("--onlyvisible"),
            QStringLiteral("--pid"), QString::number(m_process.processId()) });
        for (const QString& box : ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            // By the exact title: a pattern would match the main window's title as well.
            if (xdotool({ QStringLiteral("getwindowname"), box }) != QLatin1String("ロスタリ"))
                continue;
            // A window-modal box never reports itself activated, so no --sync here.
            xdotool({ QStringLiteral("windowactivate"), box });
            QTest::qWait(200);
            xdotool({ QStringLiteral("key"), QStringLiteral("Return") });
            QTest::qWait(200);
            return;
        }
    }

    // The window manager's close command, as the title bar's close box sends it.
    void closeBox() { run(QStringLiteral("wmctrl"), { QStringLiteral("-i"), QStringLiteral("-c"), m_window }); }
    void moveTo(int x, int y)
    {
        xdotool({ QStringLiteral("windowmove"), QStringLiteral("--sync"), m_window, QString::number(x),
            QString::number(y) });
        QTest::qWait(200);
    }

    qint64 pid() const { return m_process.processId(); }
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    bool waitForExit(int timeoutMs = 5000) { return m_process.waitForFinished(timeoutMs); }
    int exitCode() const { return m_process.exitCode(); }
    QString errorOutput() { return QString::fromUtf8(m_process.readAllStandardError()); }

private:
    inline static const QRegularExpression kExtents { QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)") };

    static QString property(const QString& window, const char* name)
    {
        return run(QStringLiteral("xprop"), { QStringLiteral("-id"), window, QLatin1String(name) });
    }
    // The manager lists a window among its clients once it has framed and placed it; mapping it
    // is its last step of taking a window on (the search above asks for a viewable one).
    static bool isManaged(const QString& window)
    {
        const QString clients
            = run(QStringLiteral("xprop"), { QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST") });
        const QString hex = QStringLiteral("0x") + QString::number(window.toULongLong(), 16);
        return QRegularExpression(QStringLiteral("[ ,]%1(,|$)").arg(hex)).match(clients).hasMatch()
            && kExtents.match(property(window, "_NET_FRAME_EXTENTS")).hasMatch();
    }

    QProcess m_process;
    QString m_window;
};

} // namespace desktop
