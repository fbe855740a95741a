#include "accessibletree.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>

#include <functional>

namespace {

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");

struct Reference {
    QString service;
    QString path;
};

QDBusMessage call(const QDBusConnection& bus, const Reference& object, const QString& interface, const QString& method,
    const QVariantList& arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(object.service, object.path, interface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::Block, 5000);
}

QString property(const QDBusConnection& bus, const Reference& object, const char* name)
{
    const QDBusMessage reply = call(bus, object, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"), { kAccessible, QString::fromLatin1(name) });
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant().toString();
}

QList<Reference> children(const QDBusConnection& bus, const Reference& object)
{
    const QDBusMessage reply = call(bus, object, kAccessible, QStringLiteral("GetChildren"));
    QList<Reference> found;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return found;
    const QDBusArgument list = reply.arguments().first().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        Reference child;
        QDBusObjectPath path;
        list.beginStructure();
        list >> child.service >> path;
        list.endStructure();
        child.path = path.path();
        found.append(child);
    }
    list.endArray();
    return found;
}

// What a desktop's accessibility launcher answers: the accessibility bus is this same bus. A
// program asks for it when told to be accessible (QT_LINUX_ACCESSIBILITY_ALWAYS_ON).
class BusLauncher : public QDBusVirtualObject {
public:
    explicit BusLauncher(QString address)
        : m_address(std::move(address))
    {
    }
    QString introspect(const QString&) const override
    {
        return QStringLiteral("<interface name=\"org.a11y.Bus\"><method name=\"GetAddress\">"
                              "<arg type=\"s\" direction=\"out\"/></method></interface>");
    }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != QLatin1String("GetAddress"))
            return false;
        connection.send(message.createReply(m_address));
        return true;
    }

private:
    QString m_address;
};

} // namespace

AccessibleTree::AccessibleTree()
{
    m_daemon.start(QStringLiteral("dbus-daemon"),
        { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
    if (!m_daemon.waitForStarted(5000)) {
        m_problem = QStringLiteral("dbus-daemon did not start (package dbus-daemon): ") + m_daemon.errorString();
        return;
    }
    while (m_address.isEmpty() && m_daemon.waitForReadyRead(5000))
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    if (m_address.isEmpty()) {
        m_problem = QStringLiteral("dbus-daemon gave no address");
        return;
    }
    m_bus = QDBusConnection::connectToBus(m_address, QStringLiteral("accessibility"));
    if (!m_bus->isConnected()) {
        m_problem = QStringLiteral("cannot join the accessibility bus at ") + m_address;
        return;
    }
    m_launcher = std::make_unique<BusLauncher>(m_address);
    if (!m_bus->registerVirtualObject(QStringLiteral("/org/a11y/bus"), m_launcher.get())
        || !m_bus->registerService(QStringLiteral("org.a11y.Bus")))
        m_problem = QStringLiteral("cannot offer org.a11y.Bus on ") + m_address;
}

AccessibleTree::~AccessibleTree()
{
    if (m_bus) {
        m_bus->unregisterObject(QStringLiteral("/org/a11y/bus"));
        QDBusConnection::disconnectFromBus(QStringLiteral("accessibility"));
    }
    m_daemon.kill();
    m_daemon.waitForFinished();
}

QStringList AccessibleTree::environment() const
{
    return { QStringLiteral("DBUS_SESSION_BUS_ADDRESS=") + m_address, QStringLiteral("AT_SPI_BUS_ADDRESS="),
        QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1") };
}

QStringList AccessibleTree::connectionsOf(qint64 pid) const
{
    QStringList found;
    const QStringList names = m_bus->interface()->registeredServiceNames().value();
    for (const QString& name : names)
        if (name.startsWith(QLatin1Char(':')) && m_bus->interface()->servicePid(name).value() == quint64(pid))
            found.append(name);
    return found;
}

std::optional<QString> AccessibleTree::description(qint64 pid, const QString& name) const
{
    if (!m_bus)
        return std::nullopt;
    // Depth first from the application, windows and all they hold.
    std::function<std::optional<QString>(const Reference&, int)> search
        = [&](const Reference& object, int depth) -> std::optional<QString> {
        // A caption may carry the same words as the control it names; the control describes itself.
        if (property(*m_bus, object, "Name") == name) {
            const QString description = property(*m_bus, object, "Description");
            if (!description.isEmpty())
                return description;
        }
        if (depth > 12)
            return std::nullopt;
        for (const Reference& child : children(*m_bus, object))
            if (auto found = search(child, depth + 1))
                return found;
        return std::nullopt;
    };
    // The program has a connection for its session and one for its accessible objects.
    for (const QString& connection : connectionsOf(pid))
        if (auto found = search({ connection, QStringLiteral("/org/a11y/atspi/accessible/root") }, 0))
            return found;
    return std::nullopt;
}
