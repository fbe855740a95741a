#pragma once

#include <QPixmap>

class QString;

// The drawing a picture area shows (name "picture1" to "picture3") on a screen of the given
// device-pixel ratio: the drawing made for that density where there is one (1 and 2), otherwise
// the next denser one smoothly scaled to the screen's pixels.
QPixmap drawingFor(const QString& name, qreal devicePixelRatio);
