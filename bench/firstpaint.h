#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>

// Ends the event loop with exitCode once the watched widget has been painted, after the
// paint pass that painted it has finished (the exit is queued behind it).
class FirstPaint : public QObject {
public:
    FirstPaint(QObject* watched, int exitCode)
        : QObject(watched)
        , m_exitCode(exitCode)
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [code = m_exitCode] { QCoreApplication::exit(code); },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    int m_exitCode;
};
