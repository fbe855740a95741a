// The database is only ever read. The real program runs under strace in a folder holding the
// bundled database, is stepped through every record by real clicks on the navigation bar and
// closed through its close box. Afterwards the file has the same bytes, size and time, and no
// process opened, created, renamed, truncated or removed it for writing.

#include "desktoptools.h"
#include "form1.h"
#include "mdbtable.h"
#include "sizefields.h"
#include "testmain.h"

#include <QAbstractButton>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>

#include <csignal>
#include <functional>

using desktop::run;
using desktop::xdotool;

namespace {

// The first visible window whose title matches, or empty.
QString findWindow(const QString& title)
{
    const QString ids
        = xdotool({ QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), title });
    return ids.isEmpty() ? QString() : ids.split(QLatin1Char('\n')).first();
}

struct FileState {
    QByteArray sha256;
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const FileState&) const = default;
};

FileState stateOf(const QString& path)
{
    FileState state;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        state.sha256 = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
    const QFileInfo info(path);
    state.size = info.size();
    state.modified = info.lastModified();
    return state;
}

// Where the navigation bar and its buttons lie in the window, and how the designation looks
// once the first record is shown, from the window as the program builds it (same code, same
// fonts, same 96 dpi).
struct BarGeometry {
    QRect bar;
    QPoint first, previous, next, last;
    QRect label1;
    QImage firstDesignation;
};

BarGeometry barGeometry(const QString& firstDesignation)
{
    Form1 form;
    auto centre = [&form](const char* name) {
        const auto* button = form.findChild<QAbstractButton*>(QLatin1String(name));
        return button ? button->mapTo(&form, button->rect().center()) : QPoint(-1, -1);
    };
    const QWidget* bar = form.findChild<QWidget*>(QStringLiteral("Data1"));
    auto* label1 = form.findChild<ValueLabel*>(QStringLiteral("Label1"));
    label1->setCaption(firstDesignation);
    return { QRect(bar->mapTo(&form, QPoint(0, 0)), bar->size()), centre("Data1_MoveFirst"),
        centre("Data1_MovePrevious"), centre("Data1_MoveNext"), centre("Data1_MoveLast"),
        QRect(label1->mapTo(&form, QPoint(0, 0)), label1->size()),
        label1->grab().toImage().convertToFormat(QImage::Format_RGB32) };
}

} // namespace

class TestReadonlyDesktop : public QObject {
    Q_OBJECT
private slots:
    void steppingThroughEveryRecordWritesNothing()
    {
        QVERIFY2(QFileInfo(QStringLiteral(ROSTARI_STRACE)).isExecutable(), "strace is needed: scripts/setup.sh --test");
        QTemporaryDir work;
        QTemporaryDir config;
        QTemporaryDir traceDir;
        const QString database = work.filePath(QStringLiteral("quilldat.mdb"));
        QVERIFY(QFile::copy(QStringLiteral(ROSTARI_BUNDLED_MDB), database));
        QVERIFY(QFile::setPermissions(database, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        // A time in the past, so that any write would show.
        QFile file(database);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5, 678)), QFileDevice::FileModificationTime));
        file.close();
        const FileState before = stateOf(database);
        const auto records = quill::readMdbTableFile(database.toStdString(), quill::kSizeTableName).rows.size();
        QVERIFY(records > 1);

        const BarGeometry geometry = barGeometry(QStringLiteral("M3"));
        const QString trace = traceDir.filePath(QStringLiteral("trace.txt"));
        QProcess viewer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // In the sanitizer build: LeakSanitizer refuses to run under ptrace and would fail the reader.
        env.insert(QStringLiteral("ASAN_OPTIONS"),
            env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
        viewer.setProcessEnvironment(env);
        viewer.setWorkingDirectory(work.path());
        // -y names the file behind every descriptor, so a truncate through one shows too.
        viewer.start(QStringLiteral(ROSTARI_STRACE),
            { QStringLiteral("-f"), QStringLiteral("-y"), QStringLiteral("-e"),
                QStringLiteral("trace=openat,open,creat,rename,unlink,truncate,ftruncate,prctl,seccomp"),
                QStringLiteral("-o"), trace, QStringLiteral(ROSTARI_BUILD_DIR "/bin/rostari-bolt") });
        QVERIFY(viewer.waitForStarted());

        QString window;
        // On a failure the viewer must not outlive the test: killing strace would only detach it.
        const auto stopViewer = qScopeGuard([&] {
            if (viewer.state() == QProcess::NotRunning)
                return;
            const QString pid = window.isEmpty() ? QString() : xdotool({ QStringLiteral("getwindowpid"), window });
            if (!pid.isEmpty())
                ::kill(pid.toInt(), SIGKILL);
            viewer.kill();
            viewer.waitForFinished();
        });
        QElapsedTimer timer;
        timer.start();
        while (window.isEmpty() && timer.elapsed() < 20000) {
            QTest::qWait(100);
            window = findWindow(QStringLiteral("JIS B 1176"));
        }
        QVERIFY(!window.isEmpty());

        // The window as shown, without the bar itself (its buttons light up under the pointer).
        auto shown = [&] {
            QImage image = QGuiApplication::primaryScreen()->grabWindow(window.toULongLong()).toImage();
            QPainter(&image).fillRect(geometry.bar, Qt::black);
            return image.convertToFormat(QImage::Format_RGB32);
        };
        // Each click is judged by what the window comes to show, waited for (a traced program on
        // a busy machine takes its time); a window still changing is not judged yet.
        constexpr int kPatienceMs = 20000;
        auto settled = [&](const std::function<bool(const QImage&)>& holds) {
            QImage before = shown();
            return QTest::qWaitFor(
                [&] {
                    const QImage now = shown();
                    const bool still = now == before;
                    before = now;
                    return still && holds(now);
                },
                kPatienceMs);
        };
        QVERIFY2(settled([&](const QImage& now) { return now.copy(geometry.label1) == geometry.firstDesignation; }),
            "the first record is not shown");
        QVERIFY2(findWindow(QStringLiteral("^ロスタリ$")).isEmpty(), "the database could not be read");
        xdotool({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), window });

        auto pointAt = [&](const QPoint& at) {
            xdotool({ QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(at.x()),
                QString::number(at.y()) });
        };
        auto click = [&](const QPoint& at) {
            pointAt(at);
            xdotool({ QStringLiteral("click"), QStringLiteral("1") });
        };

        pointAt(geometry.next);
        QList<QImage> seen { shown() };
        for (std::size_t i = 1; i < records; ++i) {
            click(geometry.next);
            QVERIFY2(settled([&](const QImage& now) { return !seen.contains(now); }),
                qPrintable(QStringLiteral("record %1 looks like an earlier one").arg(i)));
            seen.append(shown());
        }
        // At the last record next and last keep it; previous and first go back.
        auto shows
            = [&](const QImage& expected) { return settled([&](const QImage& now) { return now == expected; }); };
        click(geometry.next);
        QVERIFY(shows(seen.last()));
        click(geometry.last);
        QVERIFY(shows(seen.last()));
        click(geometry.previous);
        QVERIFY(shows(seen.at(seen.size() - 2)));
        click(geometry.first);
        QVERIFY(shows(seen.first()));
        click(geometry.previous);
        QVERIFY(shows(seen.first()));

        run(QStringLiteral("wmctrl"), { QStringLiteral("-i"), QStringLiteral("-c"), window });
        QVERIFY(viewer.waitForFinished(10000));
        QCOMPARE(viewer.exitStatus(), QProcess::NormalExit);
        QCOMPARE(viewer.exitCode(), 0);

        QCOMPARE(stateOf(database), before);
        QCOMPARE(QDir(work.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList { QStringLiteral("quilldat.mdb") });

        QFile traced(trace);
        QVERIFY(traced.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(traced.readAll()).split(QLatin1Char('\n'));
        static const QRegularExpression open(QStringLiteral("\\bopen(at)?\\([^\"]*\"([^\"]*)\", ([A-Z_|]+)"));
        static const QRegularExpression writing(QStringLiteral("O_WRONLY|O_RDWR|O_CREAT|O_TRUNC"));
        static const QRegularExpression changing(QStringLiteral("\\b(creat|rename|unlink|truncate|ftruncate)\\("));
        int reads = 0;
        for (const QString& line : lines) {
            if (!line.contains(QLatin1String("quilldat.mdb")))
                continue;
            const auto opened = open.match(line);
            if (opened.hasMatch() && opened.captured(2).endsWith(QLatin1String("quilldat.mdb"))) {
                QVERIFY2(!writing.match(opened.captured(3)).hasMatch(), qPrintable(line));
                ++reads;
            }
            QVERIFY2(!changing.match(line).hasMatch(), qPrintable(line));
        }
        // The reader process, a child of the viewer, did open it: the trace covers it.
        QVERIFY2(reads > 0, "no open of quilldat.mdb in the trace");
#ifndef __SANITIZE_ADDRESS__
        // And only then confined itself: no new privileges, its filter, and no file opened after.
        static const QRegularExpression filter(
            QStringLiteral("^(\\d+) +seccomp\\(SECCOMP_SET_MODE_FILTER, 0, \\{len="));
        QString reader;
        for (const QString& line : lines) {
            const auto installed = filter.match(line);
            QVERIFY2(!installed.hasMatch() || reader.isEmpty(), "more than one process installed a filter");
            reader = installed.hasMatch() ? installed.captured(1) : reader;
        }
        QVERIFY2(!reader.isEmpty(), "no process installed a system call filter");
        QStringList steps;
        for (const QString& line : lines) {
            if (!line.startsWith(reader + QLatin1Char(' ')))
                continue;
            if (open.match(line).hasMatch())
                steps << (line.contains(QLatin1String("quilldat.mdb")) ? QStringLiteral("database")
                                                                       : QStringLiteral("open"));
            else if (line.contains(QLatin1String("PR_SET_NO_NEW_PRIVS, 1")))
                steps << QStringLiteral("no new privileges");
            else if (filter.match(line).hasMatch())
                steps << QStringLiteral("filter");
        }
        const qsizetype opened = steps.indexOf(QStringLiteral("database"));
        const qsizetype filtered = steps.indexOf(QStringLiteral("filter"));
        QVERIFY2(opened >= 0 && opened < steps.indexOf(QStringLiteral("no new privileges"))
                && steps.indexOf(QStringLiteral("no new privileges")) < filtered
                && steps.lastIndexOf(QStringLiteral("open")) < filtered
                && steps.lastIndexOf(QStringLiteral("database")) < filtered,
            qPrintable(steps.join(QStringLiteral(", "))));
#endif
    }
};

ROSTARI_DESKTOP_TEST_MAIN(TestReadonlyDesktop)
#include "tst_readonly_desktop.moc"
