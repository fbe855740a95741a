// The reader's confinement on Windows, through the viewer's own loader: the reader runs in its job
// object, ends with the viewer, holds no privileges, and a reader that cannot confine itself is
// reported. What only Windows enforces (the job's limits, low integrity, the mitigation policies)
// is asserted there and reported as skipped under Wine, which accepts those settings without
// enforcing them. This test sits beside a test build of the reader (readerprobe.h), which its
// loader starts, and a viewer in miniature (readerhost_win.cpp).

#include "readerprobe.h"
#include "recordloader.h"
#include "testmain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <windows.h>

using quill::RecordLoader;

namespace {

bool underWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

QString besideTest(const QString& name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The job's limits as readerjob_win.cpp asks for them, written out again here.
constexpr unsigned long long kJobFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_ACTIVE_PROCESS
    | JOB_OBJECT_LIMIT_PROCESS_MEMORY | JOB_OBJECT_LIMIT_PROCESS_TIME | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;

} // namespace

class TestReaderSandboxWin : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(RecordLoader::readerProgram()).isExecutable(), qPrintable(RecordLoader::readerProgram()));
        QCOMPARE(RecordLoader::readerProgram(), besideTest(QStringLiteral("rostari-mdbread.exe")));
        m_database = m_dir.filePath(QStringLiteral("quilldat.mdb"));
        QVERIFY(QFile::copy(QStringLiteral(ROSTARI_BUNDLED_MDB), m_database));
        m_report = m_dir.filePath(QStringLiteral("report.txt"));
        std::printf("running under %s\n", underWine() ? "Wine" : "Windows");

        const QString reason = runProbe(QStringLiteral("report"));
        for (const QByteArray& line : readFile(m_report).split('\n')) {
            const qsizetype equals = line.indexOf('=');
            if (equals > 0)
                m_state.insert(QString::fromLatin1(line.left(equals)), line.mid(equals + 1).toULongLong());
        }
        QVERIFY2(!m_state.isEmpty(), qPrintable(QStringLiteral("no report; the loader said: ") + reason));
    }

    // Confined, the reader reads the database as it would without.
    void readsTheDatabaseConfined()
    {
        RecordLoader loader;
        qsizetype sizes = -1;
        QString reason;
        connect(
            &loader, &RecordLoader::loaded, this, [&](const quill::SizeTable& table) { sizes = table.rows.size(); });
        connect(&loader, &RecordLoader::failed, this, [&](const QString&, const QString& why) { reason = why; });
        loader.start(m_database);
        QTRY_VERIFY_WITH_TIMEOUT(sizes >= 0 || !reason.isEmpty(), 20000);
        QVERIFY2(reason.isEmpty(), qPrintable(reason));
        QCOMPARE(sizes, qsizetype(22));
    }

    // A reader that cannot confine itself parses nothing, and the viewer says why at once.
    void notConfinedIsReported()
    {
        QElapsedTimer timer;
        timer.start();
        const QString reason = runProbe(QStringLiteral("fail"));
        QCOMPARE(reason, QStringLiteral("読み取りプログラムを安全に実行できません（権限を制限できません）"));
        QVERIFY(timer.elapsed() < RecordLoader::kTimeLimitMs);
    }

    // How the reader finds itself once confined (initTestCase asked it). Rows that only Windows
    // enforces are skipped under Wine, which keeps whatever it was told without acting on it.
    void confinedState_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<unsigned long long>("expected");
        QTest::addColumn<QString>("wine");
        QTest::newRow("in its job") << QStringLiteral("in-job") << 1ull << QString();
        QTest::newRow("no privileges") << QStringLiteral("privileges") << 0ull << QString();
        const QString stub = QStringLiteral("Wine accepts it and does not keep it");
        QTest::newRow("job: kill on close, one process, memory, CPU, no error dialog")
            << QStringLiteral("job-flags") << kJobFlags << stub;
        QTest::newRow("job: one active process") << QStringLiteral("active-processes") << 1ull << stub;
        QTest::newRow("job: 1 GiB of memory") << QStringLiteral("process-memory") << (1ull << 30) << stub;
        QTest::newRow("job: 10 s of CPU") << QStringLiteral("cpu-time") << 100'000'000ull << stub;
        QTest::newRow("job: all UI restrictions")
            << QStringLiteral("ui") << static_cast<unsigned long long>(JOB_OBJECT_UILIMIT_ALL) << stub;
        QTest::newRow("low integrity") << QStringLiteral("integrity")
                                       << static_cast<unsigned long long>(SECURITY_MANDATORY_LOW_RID) << stub;
        QTest::newRow("no dynamic code") << QStringLiteral("dynamic-code") << 1ull << stub; // ProhibitDynamicCode
        // NoRemoteImages, NoLowMandatoryLabelImages, PreferSystem32Images
        QTest::newRow("images from the system only") << QStringLiteral("image-load") << 7ull << stub;
        QTest::newRow("Microsoft-signed images only") << QStringLiteral("signature") << 1ull << stub;
        QTest::newRow("no extension points") << QStringLiteral("extension-points") << 1ull << stub;
    }
    void confinedState()
    {
        QFETCH(QString, name);
        QFETCH(unsigned long long, expected);
        QFETCH(QString, wine);
        if (underWine() && !wine.isEmpty())
            QSKIP(qPrintable(wine + QStringLiteral(": ")
                + (m_state.contains(name) ? QStringLiteral("read back ") + QString::number(m_state.value(name))
                                          : QStringLiteral("cannot be read back"))));
        QVERIFY2(m_state.contains(name), qPrintable(name + QStringLiteral(" not in the report")));
        QCOMPARE(m_state.value(name), expected);
    }

    // What a reader taken over would try, each refused by what the row names. Under Wine the reader
    // tries each (it must get as far as writing what happened), and the row is skipped.
    void forbiddenActionIsRefused_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("refusedBy");
        QTest::newRow("1.5 GiB of memory") << QStringLiteral("memory") << QStringLiteral("the job's memory limit");
        QTest::newRow("a child process") << QStringLiteral("child-process")
                                         << QStringLiteral("the job's limit of one active process");
        QTest::newRow("writing the clipboard")
            << QStringLiteral("clipboard") << QStringLiteral("the job's UI restrictions");
        QTest::newRow("writing a file of the user's")
            << QStringLiteral("write-file") << QStringLiteral("low integrity");
        QTest::newRow("writing the user's registry")
            << QStringLiteral("write-registry") << QStringLiteral("low integrity");
        QTest::newRow("executable memory")
            << QStringLiteral("dynamic-code") << QStringLiteral("the dynamic-code policy");
        QTest::newRow("a library outside the system")
            << QStringLiteral("load-library") << QStringLiteral("the image-load and signature policies");
    }
    void forbiddenActionIsRefused()
    {
        QFETCH(QString, action);
        QFETCH(QString, refusedBy);
        runProbe(action);
        const QByteArray outcome = readFile(m_report).trimmed();
        QVERIFY2(outcome == "survived" || outcome.startsWith("refused "),
            qPrintable(action + QStringLiteral(": the reader wrote \"") + QString::fromLatin1(outcome) + u'"'));
        if (underWine())
            QSKIP(qPrintable(QStringLiteral("Wine does not enforce ") + refusedBy + QStringLiteral(" (")
                + QString::fromLatin1(outcome) + u')'));
        QVERIFY2(outcome.startsWith("refused "), qPrintable(action + QStringLiteral(" was not refused")));
    }

    // However the viewer ends, its reader ends with it: the job goes with the viewer's last handle.
    void readerEndsWithTheViewer()
    {
        QFile::remove(m_report);
        QProcess viewer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ROSTARI_PROBE"), QStringLiteral("hang"));
        env.insert(QStringLiteral("ROSTARI_PROBE_REPORT"), m_report);
        viewer.setProcessEnvironment(env);
        viewer.start(besideTest(QStringLiteral("readerhost.exe")), { m_database });
        QVERIFY(viewer.waitForStarted(30000));
        const auto stopViewer = qScopeGuard([&] {
            viewer.kill();
            viewer.waitForFinished();
        });

        // The reader, confined and waiting, writes its process id.
        DWORD pid = 0;
        QTRY_VERIFY_WITH_TIMEOUT(readFile(m_report).startsWith("pid=") && readFile(m_report).endsWith('\n'), 30000);
        pid = readFile(m_report).mid(4).trimmed().toULong();
        const HANDLE reader = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
        QVERIFY2(reader, qPrintable(QStringLiteral("no process %1").arg(pid)));
        const auto stopReader = qScopeGuard([reader] {
            TerminateProcess(reader, 1);
            CloseHandle(reader);
        });
        QCOMPARE(WaitForSingleObject(reader, 0), DWORD(WAIT_TIMEOUT));

        viewer.write("\n");
        viewer.closeWriteChannel();
        QVERIFY(viewer.waitForFinished(30000));
        QCOMPARE(WaitForSingleObject(reader, 30000), DWORD(WAIT_OBJECT_0));
    }

private:
    // The probe reader started by the viewer's loader with an action; what the loader reported.
    QString runProbe(const QString& action)
    {
        QFile::remove(m_report);
        qputenv("ROSTARI_PROBE", action.toLatin1());
        qputenv("ROSTARI_PROBE_REPORT", m_report.toLocal8Bit());
        const auto unset = qScopeGuard([] {
            qunsetenv("ROSTARI_PROBE");
            qunsetenv("ROSTARI_PROBE_REPORT");
        });
        RecordLoader loader;
        QSignalSpy failed(&loader, &RecordLoader::failed);
        loader.start(m_database);
        if (!failed.wait(RecordLoader::kTimeLimitMs + 10000))
            return {};
        return failed.first().at(1).toString();
    }

    QTemporaryDir m_dir;
    QString m_database;
    QString m_report;
    QMap<QString, unsigned long long> m_state;
};

ROSTARI_TEST_MAIN(TestReaderSandboxWin)
#include "tst_reader_sandbox_win.moc"
