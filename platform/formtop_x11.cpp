#include "formtop.h"
#include "formtop_hint.h"
#include "formtop_mode.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// EWMH _NET_WM_STATE request: remove/add, and "sent by a normal application".
constexpr std::uint32_t kStateRemove = 0;
constexpr std::uint32_t kStateAdd = 1;
constexpr std::uint32_t kSourceApplication = 1;
constexpr xcb_atom_t kNoAtom = XCB_ATOM_NONE;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

bool succeeded(xcb_connection_t* connection, xcb_void_cookie_t cookie)
{
    const Reply<xcb_generic_error_t> error(xcb_request_check(connection, cookie));
    return !error;
}

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : kNoAtom;
}

struct StateAtoms {
    xcb_atom_t state;
    xcb_atom_t above;
};

// The way EWMH asks the window manager to change the state of a managed window.
bool requestState(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window, StateAtoms atoms, bool above)
{
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atoms.state;
    event.data.data32[0] = above ? kStateAdd : kStateRemove;
    event.data.data32[1] = atoms.above;
    event.data.data32[3] = kSourceApplication;
    const auto cookie = xcb_send_event_checked(connection, 0, root,
        XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
        reinterpret_cast<const char*>(&event));
    return succeeded(connection, cookie);
}

// A withdrawn window carries its wished-for state in the property the manager reads on mapping.
bool writeStateProperty(xcb_connection_t* connection, xcb_window_t window, StateAtoms atoms, bool above)
{
    const auto cookie = xcb_get_property(connection, 0, window, atoms.state, XCB_ATOM_ATOM, 0, 1024);
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr));
    std::vector<xcb_atom_t> states;
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* first = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        states.assign(first, first + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t));
    }
    std::erase(states, atoms.above);
    if (above)
        states.push_back(atoms.above);
    const auto change = xcb_change_property_checked(connection, XCB_PROP_MODE_REPLACE, window, atoms.state,
        XCB_ATOM_ATOM, 32, static_cast<std::uint32_t>(states.size()), states.data());
    return succeeded(connection, change);
}

// Qt writes the state from its own flags whenever it maps the window (the manager drops it on
// unmapping), so its record must agree. For a shown window QWindow::setFlags does that without
// re-creating it; for a hidden one it would leave the widget with a stale id, so the widget's
// own flag is changed instead, which may re-create the window while nobody sees it.
void keepToolkitInStep(QWidget& form, bool above)
{
    Qt::WindowFlags flags = form.windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, above);
    if (flags == form.windowFlags())
        return;
    if (!form.isVisible()) {
        form.setWindowFlags(flags);
        return;
    }
    form.overrideWindowFlags(flags);
    if (QWindow* handle = form.windowHandle())
        handle->setFlags(flags);
}

} // namespace

std::int32_t FormTop(QWidget& form, std::int16_t mode)
{
    const std::optional<bool> above = aboveForMode(mode);
    if (!above)
        return 0;
    // The offscreen platform may offer an X connection too, but its windows are not X windows.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return formTopByHint(form, *above);
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return 0;
    xcb_connection_t* connection = x11->connection();
    if (!connection || xcb_connection_has_error(connection))
        return 0;

    keepToolkitInStep(form, *above);
    form.show();

    // After a flag change on a hidden window Qt 6.4 re-creates it but QWidget::winId() keeps
    // the old id; the QWindow knows the live one.
    const QWindow* handle = form.windowHandle();
    const auto window = static_cast<xcb_window_t>(handle ? handle->winId() : form.winId());
    const auto geometryCookie = xcb_get_geometry(connection, window);
    const auto attributesCookie = xcb_get_window_attributes(connection, window);
    const Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(connection, geometryCookie, nullptr));
    const Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, attributesCookie, nullptr));
    const StateAtoms atoms { internAtom(connection, "_NET_WM_STATE"), internAtom(connection, "_NET_WM_STATE_ABOVE") };
    if (!geometry || !attributes || atoms.state == kNoAtom || atoms.above == kNoAtom)
        return 0;

    // Not mapped yet: the manager reads the property when it takes the window on; one that has
    // already taken it on follows the request.
    bool ok = true;
    if (attributes->map_state == XCB_MAP_STATE_UNMAPPED)
        ok = writeStateProperty(connection, window, atoms, *above);
    ok = requestState(connection, geometry->root, window, atoms, *above) && ok;
    xcb_flush(connection);
    return ok ? 1 : 0;
}
