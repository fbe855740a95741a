#pragma once

#include <QRect>

#include <algorithm>
#include <cmath>

// The design's units. Places and sizes are given in twips (1/1440 inch), 15 to a logical
// pixel at 96 dots per inch; the tab height and the status panel widths in HIMETRIC (1/100 mm,
// 2540 to the inch). Stored window positions are twips too (windowposition.h).

inline constexpr int kTwipsPerPixel = 15;

// A design size in whole pixels; what does not make a whole pixel is dropped, as the design's
// controls do.
constexpr int twipsToPixels(int twips)
{
    return twips / kTwipsPerPixel;
}

// A place given in twips, in logical pixels.
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return { twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height) };
}

// HIMETRIC to the nearest pixel at 96 dots per inch.
constexpr int himetricToPixels(int himetric)
{
    return (himetric * 96 + 1270) / 2540;
}

// A stored position, any number of twips, to the nearest pixel; beyond what any window system
// takes, clamped so that the arithmetic stays defined.
inline int pixelsFromTwips(float twips)
{
    constexpr double kMaxPixels = 1 << 24;
    return static_cast<int>(std::clamp(std::round(double(twips) / kTwipsPerPixel), -kMaxPixels, kMaxPixels));
}

constexpr float twipsFromPixels(int pixels)
{
    return float(pixels * kTwipsPerPixel);
}
