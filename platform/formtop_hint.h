#pragma once

#include <cstdint>

class QWidget;

// The toolkit's own road: toggles Qt::WindowStaysOnTopHint and shows the window where it
// was. Returns 1, since the toolkit reports nothing about whether the window system obeys.
std::int32_t formTopByHint(QWidget& form, bool above);
