#pragma once

#include "recordloader.h"
#include "sizerecords.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>

namespace quill {

// The size-record source: reads the size table and keeps the current record. It knows no
// widgets: the window's binding (app/recordbinding.h) shows the record when it changes. The
// navigation bar, the keys and the tests move it.
class RecordSource : public QObject {
    Q_OBJECT
public:
    explicit RecordSource(QObject* parent);

    // The database the window reads: quilldat.mdb in the working directory, written the way the
    // system writes paths ("C:\x\quilldat.mdb").
    static QString workingDirectoryDatabase();
    // A source that starts reading that database at once, so that the reader process works while
    // the window is built and open() finds the records ready to show.
    static RecordSource* readingAhead(QObject* parent);

    void setDatabaseName(const QString& path) { m_databaseName = path; }
    QString databaseName() const { return m_databaseName; }

    // A field the window shows: one the table lacks is reported through problem() when loaded.
    void expectField(const QString& field);
    // Starts reading the file at path now, ahead of open(), and holds the answer: nothing is shown
    // before open(), which takes it if it is for the database named then and the file has not
    // changed since. A path that is not a file is not read ahead.
    void readAhead(const QString& path);
    // Reads the database at databaseName() and makes its first record current (asynchronously;
    // at once when a read ahead has its answer ready).
    void open();
    // Reads the database again, a read still running given up: the size shown stays when the
    // file still holds it, else the first record is shown. A failure leaves the records shown.
    void reload();

    const quill::SizeRecords& records() const { return m_records; }
    int currentIndex() const { return m_records.currentIndex(); }
    bool hasRecord() const { return currentIndex() >= 0; }

    // Moves past either end keep the record shown.
    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();

signals:
    // After open(): the table is loaded (with a record, currentChanged() came first) and what it
    // lacks reported, or the failure was reported.
    void opened(bool ok);
    // Another record is current (after loading, the first).
    void currentChanged(int index);
    // Something the user should know about the database, in words: it cannot be read, or it
    // lacks what the window shows.
    void problem(const QString& message);
    // After open() or reload(): the file has been read for longer than a moment (true), or the
    // reading is over (false).
    void readingLong(bool reading);

private:
    void onLoaded(const quill::SizeTable& table);
    void onFailed(const QString& path, const QString& reason);
    void move(bool (quill::SizeRecords::*step)());

    // What tells a file changed: its size and times.
    struct FileStamp {
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const FileStamp&) const = default;
    };
    static FileStamp stampOf(const QString& path);

    // A read ahead, and its answer until open() takes it.
    enum class Ahead { None, Reading, Loaded, Failed };
    Ahead m_ahead = Ahead::None;
    QString m_aheadPath;
    FileStamp m_aheadStamp;
    quill::SizeTable m_heldTable;
    QString m_heldReason;
    bool m_opened = false; // open() has run: answers are shown
    QString m_keepDesignation; // the size to show again once a reload has read the file

    QString m_databaseName;
    QStringList m_expectedFields;
    quill::SizeRecords m_records;
    quill::RecordLoader m_loader;
};

} // namespace quill
