#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>

#include <memory>
#include <optional>

class QDBusVirtualObject;

// What a screen reader hears from the viewer: a private accessibility bus (a D-Bus daemon of its
// own), which the viewer joins when started with environment(), and its tree of accessible
// objects read over that bus, as an assistive technology reads it.
class AccessibleTree {
public:
    AccessibleTree();
    ~AccessibleTree();
    AccessibleTree(const AccessibleTree&) = delete;
    AccessibleTree& operator=(const AccessibleTree&) = delete;

    // Empty when the bus is up, else why not.
    QString problem() const { return m_problem; }
    // What the viewer needs in its environment to join the bus: the bus as its session bus, where
    // it finds org.a11y.Bus offered by this object.
    QStringList environment() const;

    // The description of the first object with that accessible name in the program with that
    // process id, or nullopt when it has none (yet).
    std::optional<QString> description(qint64 pid, const QString& name) const;

private:
    QStringList connectionsOf(qint64 pid) const;

    QProcess m_daemon;
    QString m_address;
    QString m_problem;
    std::optional<QDBusConnection> m_bus;
    std::unique_ptr<QDBusVirtualObject> m_launcher;
};
