#include "tst_formtop_xprobe.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

constexpr quint32 kSourcePager = 2;

} // namespace

XProbe::XProbe()
    : m_connection(xcb_connect(nullptr, nullptr))
{
    if (xcb_connection_has_error(m_connection.get()) == 0)
        m_screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection.get())).data;
}

xcb_window_t XProbe::root() const
{
    return m_screen->root;
}

QSize XProbe::screenSize() const
{
    return { m_screen->width_in_pixels, m_screen->height_in_pixels };
}

xcb_atom_t XProbe::atom(const char* name) const
{
    const auto cookie = xcb_intern_atom(m_connection.get(), 0, static_cast<quint16>(std::strlen(name)), name);
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_connection.get(), cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QList<quint32> XProbe::cardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const
{
    const auto cookie = xcb_get_property(m_connection.get(), 0, window, property, type, 0, 4096);
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(m_connection.get(), cookie, nullptr));
    QList<quint32> values;
    if (!reply || reply->format != 32 || reply->type != type)
        return values;
    const auto* first = static_cast<const quint32*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i)
        values.append(first[i]);
    return values;
}

QList<quint32> XProbe::cardinals(xcb_window_t window, const char* property, const char* type) const
{
    return cardinals(window, atom(property), atom(type));
}

QStringList XProbe::atomListProperty(xcb_window_t window, const char* property) const
{
    QStringList names;
    for (const quint32 value : cardinals(window, atom(property), XCB_ATOM_ATOM)) {
        const auto cookie = xcb_get_atom_name(m_connection.get(), value);
        const Reply<xcb_get_atom_name_reply_t> reply(xcb_get_atom_name_reply(m_connection.get(), cookie, nullptr));
        if (reply)
            names.append(
                QString::fromLatin1(xcb_get_atom_name_name(reply.get()), xcb_get_atom_name_name_length(reply.get())));
    }
    return names;
}

QStringList XProbe::netWmState(xcb_window_t window) const
{
    return atomListProperty(window, "_NET_WM_STATE");
}

QList<xcb_window_t> XProbe::stacking() const
{
    return cardinals(root(), atom("_NET_CLIENT_LIST_STACKING"), XCB_ATOM_WINDOW);
}

xcb_window_t XProbe::activeWindow() const
{
    const QList<quint32> active = cardinals(root(), atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW);
    return active.isEmpty() ? 0 : active.first();
}

xcb_window_t XProbe::transientFor(xcb_window_t window) const
{
    const QList<quint32> owner = cardinals(window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW);
    return owner.isEmpty() ? 0 : owner.first();
}

QString XProbe::windowName(xcb_window_t window) const
{
    const auto cookie
        = xcb_get_property(m_connection.get(), 0, window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 0, 1024);
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(m_connection.get(), cookie, nullptr));
    if (!reply || reply->format != 8)
        return {};
    return QString::fromUtf8(
        static_cast<const char*>(xcb_get_property_value(reply.get())), xcb_get_property_value_length(reply.get()));
}

bool XProbe::isViewable(xcb_window_t window) const
{
    const auto cookie = xcb_get_window_attributes(m_connection.get(), window);
    const Reply<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(m_connection.get(), cookie, nullptr));
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

QRect XProbe::clientRect(xcb_window_t window) const
{
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(m_connection.get(), xcb_get_geometry(m_connection.get(), window), nullptr));
    const Reply<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        m_connection.get(), xcb_translate_coordinates(m_connection.get(), window, root(), 0, 0), nullptr));
    if (!geometry || !origin)
        return {};
    return { origin->dst_x, origin->dst_y, geometry->width, geometry->height };
}

QRect XProbe::frameRect(xcb_window_t window) const
{
    const QList<quint32> extents = cardinals(window, atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
    if (extents.size() != 4)
        return {};
    const auto left = int(extents[0]), right = int(extents[1]), top = int(extents[2]), bottom = int(extents[3]);
    return clientRect(window).adjusted(-left, -top, right, bottom);
}

void XProbe::sendToRoot(xcb_window_t window, const char* message, quint32 data0, quint32 data1) const
{
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(message);
    event.data.data32[0] = data0;
    event.data.data32[1] = data1;
    xcb_send_event(m_connection.get(), 0, root(),
        XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
        reinterpret_cast<const char*>(&event));
    xcb_flush(m_connection.get());
}

// The manager works through its events in order: its answer to a request for the frame extents
// of a fresh window of our own comes after whatever it was sent before.
bool XProbe::waitForManager(int timeoutMs) const
{
    xcb_connection_t* connection = m_connection.get();
    const xcb_window_t probe = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, root(), 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
        m_screen->root_visual, 0, nullptr);
    sendToRoot(probe, "_NET_REQUEST_FRAME_EXTENTS", 0, 0);
    const xcb_atom_t extents = atom("_NET_FRAME_EXTENTS");
    // The test's own windows keep taking events meanwhile.
    const bool answered
        = QTest::qWaitFor([&] { return !cardinals(probe, extents, XCB_ATOM_CARDINAL).isEmpty(); }, timeoutMs);
    xcb_destroy_window(connection, probe);
    xcb_flush(connection);
    return answered;
}

// _NET_ACTIVE_WINDOW takes the source first, _NET_CLOSE_WINDOW the time first.
void XProbe::activate(xcb_window_t window) const
{
    sendToRoot(window, "_NET_ACTIVE_WINDOW", kSourcePager, XCB_CURRENT_TIME);
}

void XProbe::closeByManager(xcb_window_t window) const
{
    sendToRoot(window, "_NET_CLOSE_WINDOW", XCB_CURRENT_TIME, kSourcePager);
}

OtherProgramWindow::OtherProgramWindow(const QRect& place)
{
    const QString geometry
        = QStringLiteral("%1x%2+%3+%4").arg(place.width()).arg(place.height()).arg(place.x()).arg(place.y());
    m_process.start(QStringLiteral("xev"),
        { QStringLiteral("-name"), QStringLiteral("other program"), QStringLiteral("-geometry"), geometry,
            QStringLiteral("-event"), QStringLiteral("structure") });
}

OtherProgramWindow::~OtherProgramWindow()
{
    m_process.kill();
    m_process.waitForFinished(3000);
}

xcb_window_t OtherProgramWindow::window()
{
    if (m_window == 0) {
        m_process.waitForReadyRead(100);
        const QRegularExpression outer(QStringLiteral("Outer window is 0x([0-9a-fA-F]+)"));
        const QRegularExpressionMatch match = outer.match(QString::fromLatin1(m_process.peek(4096)));
        if (match.hasMatch())
            m_window = match.captured(1).toUInt(nullptr, 16);
    }
    return m_window;
}

void XProbe::mapCharacters(const QString& characters) const
{
    xcb_connection_t* connection = m_connection.get();
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> reply(
        xcb_get_keyboard_mapping_reply(
            connection, xcb_get_keyboard_mapping(connection, xcb_keycode_t(first), quint8(count)), nullptr),
        &std::free);
    if (!reply)
        return;
    const int perKey = reply->keysyms_per_keycode;
    std::vector<xcb_keysym_t> keysyms(xcb_get_keyboard_mapping_keysyms(reply.get()),
        xcb_get_keyboard_mapping_keysyms(reply.get()) + xcb_get_keyboard_mapping_keysyms_length(reply.get()));
    int spare = count - 1; // spare keys from the top
    for (const QChar character : characters) {
        const xcb_keysym_t keysym = 0x01000000u + character.unicode(); // the Unicode keysym
        if (std::find(keysyms.begin(), keysyms.end(), keysym) != keysyms.end())
            continue;
        auto blank = [&](int key) {
            return std::all_of(keysyms.begin() + key * perKey, keysyms.begin() + (key + 1) * perKey,
                [](xcb_keysym_t k) { return k == 0; });
        };
        while (spare >= 0 && !blank(spare))
            --spare;
        if (spare < 0)
            return;
        std::vector<xcb_keysym_t> row(std::size_t(perKey), 0);
        row[0] = keysym;
        if (perKey > 1)
            row[1] = keysym;
        xcb_change_keyboard_mapping(connection, 1, xcb_keycode_t(first + spare), quint8(perKey), row.data());
        std::copy(row.begin(), row.end(), keysyms.begin() + spare * perKey);
    }
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr)); // a round trip
}
