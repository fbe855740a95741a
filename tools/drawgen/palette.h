#pragma once

#include <QColor>

#include <array>

namespace drawgen {

inline constexpr QRgb background = 0xffc0c0c0;
inline constexpr QRgb bodyGrey = 0xffa0a0a4;
inline constexpr QRgb ink = 0xff000000;

// The drawings' colour table; the index order is ours to choose.
inline constexpr std::array<QRgb, 3> drawingColours { background, bodyGrey, ink };

// The standard 16-colour palette in its usual order, as icons index it.
inline constexpr std::array<QRgb, 16> vgaColours {
    0xff000000,
    0xff800000,
    0xff008000,
    0xff808000,
    0xff000080,
    0xff800080,
    0xff008080,
    0xffc0c0c0,
    0xff808080,
    0xffff0000,
    0xff00ff00,
    0xffffff00,
    0xff0000ff,
    0xffff00ff,
    0xff00ffff,
    0xffffffff,
};

} // namespace drawgen
