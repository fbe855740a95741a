#pragma once

#include <QList>
#include <QProcess>
#include <QRect>
#include <QStringList>

#include <xcb/xcb.h>

#include <memory>

// Reads back what the window manager made of our windows, over an X connection of its own.
class XProbe {
public:
    XProbe();

    bool isValid() const { return m_screen != nullptr; }
    xcb_window_t root() const;
    QSize screenSize() const;

    QStringList netWmState(xcb_window_t window) const;
    QStringList atomListProperty(xcb_window_t window, const char* property) const;
    QList<quint32> cardinals(xcb_window_t window, const char* property, const char* type) const;
    QList<xcb_window_t> stacking() const; // bottom to top
    xcb_window_t activeWindow() const;
    xcb_window_t transientFor(xcb_window_t window) const;
    QString windowName(xcb_window_t window) const;
    bool isViewable(xcb_window_t window) const;
    QRect clientRect(xcb_window_t window) const; // root coordinates
    QRect frameRect(xcb_window_t window) const; // client grown by _NET_FRAME_EXTENTS

    // Puts each character that no key types yet on a spare key, for as long as the display runs:
    // xdotool then types it as any other key, where remapping a key for each character may be
    // missed by a program that reads the keymap a moment too late.
    void mapCharacters(const QString& characters) const;

    // Returns once the window manager has handled every request that reached the X server
    // before this call (false if it did not answer in time). A check that something did not
    // change, or that stays as it was, can then be judged at once instead of after a pause.
    bool waitForManager(int timeoutMs = 15000) const;

    // Requests as a pager would send them, which a window manager honours at once.
    void activate(xcb_window_t window) const;
    void closeByManager(xcb_window_t window) const;

private:
    xcb_atom_t atom(const char* name) const;
    QList<quint32> cardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const;
    void sendToRoot(xcb_window_t window, const char* message, quint32 data0, quint32 data1) const;

    struct Disconnect {
        void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
    };
    std::unique_ptr<xcb_connection_t, Disconnect> m_connection;
    xcb_screen_t* m_screen = nullptr;
};

// Another program's window: an xev window at a given place, ended with the test.
class OtherProgramWindow {
public:
    explicit OtherProgramWindow(const QRect& place);
    ~OtherProgramWindow();
    OtherProgramWindow(const OtherProgramWindow&) = delete;
    OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;

    // The top-level window xev created, 0 until it has said which.
    xcb_window_t window();

private:
    QProcess m_process;
    xcb_window_t m_window = 0;
};
