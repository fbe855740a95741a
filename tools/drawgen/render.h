#pragma once

#include "drawing.h"

#include <QImage>

namespace drawgen {

// The drawing at the given scale as an 8-bit indexed image of exactly the three drawing colours.
QImage render(const Drawing& drawing, int scale);

} // namespace drawgen
