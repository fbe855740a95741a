#pragma once

#include "recordloader.h"
#include "sizerecords.h"

#include <QAbstractButton>
#include <QList>
#include <QPointer>
#include <QWidget>

class QLabel;
class ValueLabel;

// The size-record source as a navigation bar: it reads the size table, keeps the current
// record and shows its fields in the labels bound to it. Only the user moves the record.
class DataControl : public QWidget {
    Q_OBJECT
public:
    explicit DataControl(QWidget* parent);

    void setDatabaseName(const QString& path) { m_databaseName = path; }
    QString databaseName() const { return m_databaseName; }

    void bind(ValueLabel* label, const QString& field);
    // Reads the database at databaseName() and shows its first record (asynchronously).
    void open();

    const quill::SizeRecords& records() const { return m_records; }

signals:
    // After open(): the records are shown, or the failure was reported.
    void opened(bool ok);

private:
    void onLoaded(const quill::SizeTable& table);
    void onFailed(const QString& path, const QString& reason);
    void showRecord();

    struct Binding {
        QPointer<ValueLabel> label;
        QString field;
    };

    QString m_databaseName;
    QList<Binding> m_bindings;
    quill::SizeRecords m_records;
    quill::RecordLoader m_loader;
    QLabel* m_caption;
};

// One of the four arrow buttons of the navigation bar.
class NavigationButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Direction { First, Previous, Next, Last };
    NavigationButton(Direction direction, QWidget* parent);
    QSize sizeHint() const override { return { 18, 25 }; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Direction m_direction;
};
