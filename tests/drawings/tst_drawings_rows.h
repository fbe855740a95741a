#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTest>

// Rows of the drawings test, written from the description of each drawing. Every row runs on the 1x image
// and again on the 2x image at the same 1x coordinates.
namespace rows {

template <typename... T> void both(const char* picture, const char* name, const T&... values)
{
    for (int scale : { 1, 2 }) {
        const QByteArray tag = QByteArray(picture) + ": " + name + " @" + QByteArray::number(scale) + "x";
        ((QTest::newRow(tag.constData()) << QString::fromLatin1(picture) << scale) << ... << values);
    }
}

// Solid lines: from, to, and whether the pixel just before `from` / after `to` must be free of ink.
void screwLines();
void counterboreLines();
void washerLines();

// Single pixels: kind is "body", "background", "ink", "clear" (no ink) or "near ink" (ink within one pixel).
void screwPixels();
void counterborePixels();
void washerPixels();

// Dashed lines: from, to, "centre" or "hidden", and the crossing point of two centre lines (or -1, -1).
void screwDashes();
void counterboreDashes();

// Arrowheads: where the description puts the point, and a point towards which the body lies.
void screwArrows();
void counterboreArrows();
void washerArrows();

// Value labels of the window layout over each drawing, in twips inside the picture area.
void screwLabels();
void counterboreLabels();
void washerLabels();

// Hatching: a row through a plate, its x range, spacing in half pixels, rising or falling.
void counterboreHatching();
void washerHatching();

// Open plate ends: the end column, the plate's rows, which side is outside (-1 left, +1 right), and the
// tolerance of the end's position ("about").
void counterborePlateEnds();
void washerPlateEnds();

// Washer marks: a washer's rectangle and whether it is a spring washer.
void washerSplits();

} // namespace rows
