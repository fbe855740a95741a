#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

// Measurements on a drawing image in 1x coordinates. At scale 2 every 1x pixel is a 2 x 2 block of device
// pixels and lines are two device pixels wide, so the same 1x coordinates describe both images.
namespace probe {

inline constexpr QRgb background = 0xffc0c0c0;
inline constexpr QRgb body = 0xffa0a0a4;
inline constexpr QRgb ink = 0xff000000;

class Sheet {
public:
    Sheet(const QImage& image, int scale);

    int scale() const { return scale_; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    QRgb at(int x, int y) const; // device pixel; outside the image counts as background
    bool black(int x, int y) const { return at(x, y) == ink; }
    bool blockAll(QPoint p, QRgb colour) const;
    bool blockAny(QPoint p, QRgb colour) const;
    double inkShare(QPoint p) const; // share of the 1x pixel's block that is ink

private:
    QImage image_;
    int scale_;
};

// A run of ink (dash) or of no ink (gap) along a line, in device pixels.
struct Run {
    bool dash;
    int first;
    int last;
    bool measured; // both ends seen; false where a crossing line or the line's end hides one
    int length() const { return last - first + 1; }
};

// The runs along an axis-aligned 1x line from `from` to `to`. Pixels where another line crosses are
// bridged when both sides agree (inside a dash or inside a gap); runs next to an undecided crossing,
// or running on past the line's ends, are not measured.
std::vector<Run> runsAlong(const Sheet& sheet, QPoint from, QPoint to);

// Looks for a filled arrowhead about 14 pixels long and 5 wide whose point lies within `reach` 1x pixels of
// `tip` and whose body points towards `tail`. Returns the distance found, or a negative value and why not.
struct ArrowFit {
    double distance;
    QString why;
};
ArrowFit fitArrow(const Sheet& sheet, QPoint tip, QPoint tail, double reach);

// Filled patches of ink: device pixels within a short walk of a solid square of ink. Only arrowheads have
// such squares, so `areas` counts the arrowheads and `mask` marks their pixels.
struct InkAreas {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> mask; // device pixels, row by row; non-zero on area pixels
    int areas = 0;
    bool covers(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height
            && mask[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};
InkAreas inkAreas(const Sheet& sheet);

// Hatch lines crossing a 1x row between x0 and x1: the device x of each crossing's centre.
std::vector<double> hatchCrossings(const Sheet& sheet, int y, int x0, int x1);

// The longest vertical run of ink in a 1x column between two rows, in 1x pixels (rounded up).
int longestInkRun(const Sheet& sheet, int x, int y0, int y1);
// How many 1x rows of a column between y0 and y1 hold any ink.
int inkRows(const Sheet& sheet, int x, int y0, int y1);

} // namespace probe
