#pragma once

#include "recordloader.h"
#include "sizerecords.h"

#include <QList>
#include <QObject>
#include <QPointer>

class ValueLabel;

// The size-record source: reads the size table, keeps the current record and shows its
// fields in the labels bound to it. The navigation bar, the keys and the tests move it.
class RecordSource : public QObject {
    Q_OBJECT
public:
    explicit RecordSource(QObject* parent);

    void setDatabaseName(const QString& path) { m_databaseName = path; }
    QString databaseName() const { return m_databaseName; }

    void bind(ValueLabel* label, const QString& field);
    // Reads the database at databaseName() and shows its first record (asynchronously).
    void open();

    const quill::SizeRecords& records() const { return m_records; }
    int currentIndex() const { return m_records.currentIndex(); }
    bool hasRecord() const { return currentIndex() >= 0; }

    // Moves past either end keep the record shown.
    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();

signals:
    // After open(): the records are shown, or the failure was reported.
    void opened(bool ok);
    // Another record is shown.
    void currentChanged(int index);
    // Something the user should know about the database, in words: it cannot be read, or it
    // lacks what the window shows.
    void problem(const QString& message);

private:
    void onLoaded(const quill::SizeTable& table);
    void onFailed(const QString& path, const QString& reason);
    void move(bool (quill::SizeRecords::*step)());
    // The binding step: every bound label takes its field's value in the current record.
    void showRecord();

    struct Binding {
        QPointer<ValueLabel> label;
        QString field;
    };

    QString m_databaseName;
    QList<Binding> m_bindings;
    quill::SizeRecords m_records;
    quill::RecordLoader m_loader;
};
