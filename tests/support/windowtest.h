#pragma once

// Helpers for tests that drive the main window in-process.

#include "form1.h"
#include "recordsource.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <source_location>
#include <stdexcept>

// Thrown when a test looks for a widget that is not there; the test main reports it.
struct MissingChild : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Finds a child by object name. A missing one fails the test where it was asked for and
// ends the test function, rather than handing it a null pointer.
template <typename T = QWidget>
T* child(const QObject* parent, const char* name, std::source_location where = std::source_location::current())
{
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (!found) {
        const QByteArray message = QByteArray("no child named ") + name;
        QTest::qFail(message.constData(), where.file_name(), int(where.line()));
        throw MissingChild(message.toStdString());
    }
    return found;
}

inline QString textOf(
    const QObject* parent, const char* name, std::source_location where = std::source_location::current())
{
    return child<QLabel>(parent, name, where)->text();
}

// The window reads quilldat.mdb from the current folder: each test function starts in a new, empty
// one (named after the pattern when given). False when it cannot be made or entered.
[[nodiscard]] inline bool enterNewFolder(std::unique_ptr<QTemporaryDir>& dir, const QString& pattern = {})
{
    dir = pattern.isEmpty() ? std::make_unique<QTemporaryDir>() : std::make_unique<QTemporaryDir>(pattern);
    return dir->isValid() && QDir::setCurrent(dir->path());
}

// Starts the window as the program does and waits until the size table has been read (or failed).
inline std::unique_ptr<Form1> startWindow(bool* opened = nullptr)
{
    auto form = std::make_unique<Form1>();
    QSignalSpy spy(form->dataSource(), &quill::RecordSource::opened);
    form->Form_Load();
    const bool finished = spy.wait(5000);
    if (opened)
        *opened = finished && spy.first().first().toBool();
    return form;
}

// The reader processes this test started, by their /proc entries (name and parent); none where
// there is no /proc.
inline QList<qint64> readersOfThisProcess()
{
    QList<qint64> pids;
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromLatin1(stat.readAll());
        // "pid (comm) state ppid ..."
        const qsizetype close = text.lastIndexOf(QLatin1Char(')'));
        const QStringList rest = text.mid(close + 2).split(QLatin1Char(' '));
        if (text.contains(QLatin1String("(rostari-mdbread)")) && rest.size() > 1 && rest.at(1) == self)
            pids.append(entry.toLongLong());
    }
    return pids;
}
