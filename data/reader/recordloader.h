#pragma once

#include "recordwire.h"
#include "sizerecords.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <memory>

namespace quill {

class ReaderJob;

// Loads the size table of a database file, with what its source table says, in the reader
// process, so that a file which crashes or hangs the parser leaves the caller running.
// Asynchronous: exactly one of loaded() or failed() follows each start(). Waiting for the file
// and working on it are timed apart: the file may take as long as it keeps coming in (a slow
// drive is not a broken file), a read that stops for kStallLimitMs fails as such, and once the
// file is in memory the reader has kTimeLimitMs for the rest.
class RecordLoader : public QObject {
    Q_OBJECT
public:
    static constexpr int kTimeLimitMs = 2000;
    static constexpr int kStallLimitMs = 30000;
    // Longer than a moment: from then on the caller hears that the file is still being read.
    static constexpr int kLongReadMs = 500;

    explicit RecordLoader(QObject* parent = nullptr);
    ~RecordLoader() override;

    void start(const QString& path);
    bool isRunning() const { return m_process != nullptr; }
    // The reading has lasted longer than kLongReadMs and goes on (readingLong() has come).
    bool isReadingLong() const { return m_process != nullptr && m_long; }
    // Takes what the reader has written so far, without waiting: when it has ended, loaded() or
    // failed() follows before this returns.
    void collect();

    // Where the reader process is looked for: beside the program, then in libexec.
    static QString readerProgram();
    static QString failureMessage(const QString& path, const QString& reason);

signals:
    void loaded(const quill::SizeTable& table);
    void failed(const QString& path, const QString& reason);
    // The reading has lasted kLongReadMs and goes on; once per start().
    void readingLong();

private:
    void onOutput();
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void fail(const QString& reason);
    void stopProcess();

    QPointer<QProcess> m_process;
    std::unique_ptr<ReaderJob> m_job; // the current reader's, on platforms that have one
    QTimer m_stall; // no progress for this long: the file cannot be read in time
    QTimer m_deadline; // the work on the bytes, from the magic on
    QTimer m_longRead;
    QString m_path;
    QByteArray m_output; // from the answer's magic on, or what has come before it
    wire::Progress m_progress;
    std::size_t m_progressBytes = 0;
    bool m_inMemory = false;
    bool m_long = false;
    bool m_timedOut = false;
};

} // namespace quill
