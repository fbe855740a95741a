#pragma once

#include <cstdint>

class QWidget;

// Puts a top-level window into the window system's keep-above band (mode 1) or back
// into normal stacking (mode 0); any other mode does nothing and returns 0. The window
// is neither moved nor resized, and is shown. Returns non-zero on success, 0 on failure.
std::int32_t FormTop(QWidget& form, std::int16_t mode);
