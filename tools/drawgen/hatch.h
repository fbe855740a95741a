#pragma once

#include "drawing.h"

#include <QImage>

namespace drawgen {

// Hatches a plate: black 45-degree lines one 1x pixel wide, clipped to the plate's area less its cutouts.
// QPainter cannot clip a pattern to whole 1x pixels at every scale, so this sets the pixels itself.
void hatch(QImage& image, int scale, const Plate& plate);

} // namespace drawgen
