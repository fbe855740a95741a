#pragma once

// A folder on a slow or stalled file system (slowfs.py, FUSE) holding a copy of one file, for
// the viewer to read from. Where FUSE cannot be used here, skipReason() says why.

#include "files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class SlowFolder {
public:
    struct Behaviour {
        int delayMsPer4KiB = 0;
        bool stalled = false; // reads wait until release()
    };

    SlowFolder(const QString& file, Behaviour behaviour)
    {
        const QString python = QStringLiteral("/usr/bin/python3");
        if (!QFileInfo(python).isExecutable()) {
            m_skip = QStringLiteral("no %1 for the FUSE file system").arg(python);
            return;
        }
        QDir(m_dir.path()).mkdir(QStringLiteral("source"));
        QDir(m_dir.path()).mkdir(QStringLiteral("mounted"));
        QFile::copy(file, m_dir.filePath(QStringLiteral("source/") + QFileInfo(file).fileName()));
        QStringList arguments { QStringLiteral(ROSTARI_SOURCE_DIR "/tests/desktop/slowfs.py"),
            m_dir.filePath(QStringLiteral("source")), mountPoint(), QStringLiteral("--log"),
            m_dir.filePath(QStringLiteral("opened")), QStringLiteral("--delay-ms"),
            QString::number(behaviour.delayMsPer4KiB) };
        if (behaviour.stalled)
            arguments << QStringLiteral("--stall-until") << m_dir.filePath(QStringLiteral("released"));
        m_fs.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        m_fs.start(python, arguments);
        QElapsedTimer timer;
        timer.start();
        while (!isMounted() && m_fs.state() != QProcess::NotRunning && timer.elapsed() < 10000)
            m_fs.waitForFinished(50);
        if (isMounted())
            return;
        const QString why = QString::fromUtf8(m_fs.readAllStandardError()).trimmed();
        const qsizetype skip = why.lastIndexOf(QLatin1String("SKIP: "));
        if (m_fs.state() == QProcess::NotRunning && m_fs.exitCode() == 77 && skip >= 0)
            m_skip
                = why.mid(skip + 6) + (skip > 0 ? QStringLiteral(" (%1)").arg(why.left(skip).simplified()) : QString());
        else
            m_error = QStringLiteral("the FUSE file system did not mount: ") + why;
    }
    ~SlowFolder()
    {
        release();
        if (m_fs.state() == QProcess::NotRunning)
            return;
        m_fs.terminate(); // libfuse unmounts on SIGTERM
        if (!m_fs.waitForFinished(5000)) {
            QProcess::execute(QStringLiteral("umount"), { QStringLiteral("-l"), mountPoint() });
            m_fs.kill();
            m_fs.waitForFinished();
        }
    }

    QString skipReason() const { return m_skip; }
    QString error() const { return m_error; }
    QString mountPoint() const { return m_dir.filePath(QStringLiteral("mounted")); }
    // A stalled file system answers from now on.
    void release()
    {
        QFile released(m_dir.filePath(QStringLiteral("released")));
        released.open(QIODevice::WriteOnly);
    }
    // How often a file was opened on it.
    int openings() const { return int(testfiles::readFile(m_dir.filePath(QStringLiteral("opened"))).count('\n')); }

private:
    bool isMounted() const
    {
        return testfiles::readFile(QStringLiteral("/proc/self/mounts"))
            .contains(QByteArray(' ' + mountPoint().toUtf8() + ' '));
    }

    QTemporaryDir m_dir;
    QProcess m_fs;
    QString m_skip;
    QString m_error;
};
