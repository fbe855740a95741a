#pragma once

#include "sizerecords.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QTimer>

namespace quill {

// Loads the size table of a database file, with what its source table says, in the reader
// process, so that a file which crashes or hangs the parser leaves the caller running. Asynchronous: exactly one of
// loaded() or failed() follows each start(), at the latest after the time limit.
class RecordLoader : public QObject {
    Q_OBJECT
public:
    static constexpr int kTimeLimitMs = 2000;

    explicit RecordLoader(QObject* parent = nullptr);
    ~RecordLoader() override;

    void start(const QString& path);
    bool isRunning() const { return m_process != nullptr; }
    // Takes what the reader has written so far, without waiting: when it has ended, loaded() or
    // failed() follows before this returns.
    void collect();

    // Where the reader process is looked for: beside the program, then in libexec.
    static QString readerProgram();
    static QString failureMessage(const QString& path, const QString& reason);

signals:
    void loaded(const quill::SizeTable& table);
    void failed(const QString& path, const QString& reason);

private:
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void fail(const QString& reason);
    void stopProcess();

    QPointer<QProcess> m_process;
    QTimer m_deadline;
    QString m_path;
    QByteArray m_output;
    bool m_timedOut = false;
};

} // namespace quill
