#pragma once

#include <QList>

class TextLabel;

// The dialog's texts sit one under the other at the design's places, each box as high as its text
// in the design font. Other fonts draw higher or lower in the same box, so that a descender can
// meet the line below. This moves the texts apart inside their labels, by whole pixels and as
// little as it takes, until one blank pixel row parts each text's ink from the next one's: a text
// may rise within its own box (never above its top), and only where that is not enough does the
// text below go lower, by at most two pixels. A text cut off by a fixed-size label rises into it
// the same way. The labels keep their places; only the text moves inside them. Give the labels top
// to bottom, with their texts and fonts set.
void separateStackedTexts(const QList<TextLabel*>& stack);
