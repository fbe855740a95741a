#pragma once

#include "drawing.h"
#include "raster.h"

namespace drawgen {

// Draws the closed outline of a shape: polygon edges with their rounded corners, or a circle.
void drawOutline(Raster& raster, const Shape& shape, QRgb colour);

// Fills a body in body grey exactly up to its outline, then draws the outline in black. The fill is a flood
// from the seed over a scratch image holding only the outline, so lines already on the canvas (hatching of
// the plate around the screw, for instance) neither stop it nor show through.
void drawBody(Raster& raster, const Body& body);

} // namespace drawgen
