#pragma once

// Helpers for tests that drive the main window in-process.

#include "form1.h"
#include "recordsource.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSignalSpy>
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

// Starts the window as the program does and waits until the size table has been read (or failed).
inline std::unique_ptr<Form1> startWindow(bool* opened = nullptr)
{
    auto form = std::make_unique<Form1>();
    QSignalSpy spy(form->dataSource(), &RecordSource::opened);
    form->Form_Load();
    const bool finished = spy.wait(5000);
    if (opened)
        *opened = finished && spy.first().first().toBool();
    return form;
}
