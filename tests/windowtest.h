#pragma once

// Helpers for tests that drive the main window in-process.

#include "form1.h"
#include "recordsource.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// Finds a child by object name and fails the test when it is missing.
template <typename T = QWidget> T* child(const QObject* parent, const char* name)
{
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (!found)
        qWarning("no child named %s", name);
    return found;
}

inline QString textOf(const QObject* parent, const char* name)
{
    const auto* label = child<QLabel>(parent, name);
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
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
