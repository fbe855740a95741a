#pragma once

#include <cstdint>

class QWidget;

// Puts a top-level window into the window system's keep-above band (mode 1) or back
// into normal stacking (mode 0); any other mode does nothing and returns 0. The window
// is neither moved nor resized, and is shown. Returns non-zero on success, 0 on failure.
// X11: the window manager's _NET_WM_STATE_ABOVE. Windows: SetWindowPos. Elsewhere, and on
// Qt platforms without X windows (offscreen, Wayland): Qt::WindowStaysOnTopHint, result 1.
std::int32_t FormTop(QWidget& form, std::int16_t mode);
