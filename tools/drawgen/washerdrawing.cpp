#include "drawing.h"

// Four sections, one per kind of washer under the head: a plate with a counterbore and clearance hole, the
// head on its washers on the counterbore floor, the shank cut off below the plate. Each view carries the
// counterbore diameter, the counterbore depth and the washer thickness.
namespace drawgen {

namespace {

struct Washer {
    int left;
    int right;
    int top;
    int bottom;
    bool spring;
};

struct WasherView {
    int plateLeft, plateRight, surface, plateBottom;
    int boreLeft, boreRight, floor;
    int headLeft, headRight, headTop;
    std::vector<Washer> washers; // from the head down
    int holeLeft, holeRight;
    int shankLeft, shankRight, threadFrom, shankEnd;
    int diameterY;
    int depthX, surfaceExtFrom, floorExtFrom, depthExtTo, depthTop;
    int thicknessX, thicknessTop, thicknessBottom, thicknessExtFrom, thicknessExtTo, shelfTo;
};

// clang-format off
std::vector<WasherView> views()
{
    return {
        // top left: spring washer
        { 56, 195, 65, 144,  88, 162, 110,  97, 153, 66,  { { 93, 157, 102, 110, true } },
          104, 146,  107, 143, 137, 153,  42,  235, 197, 165, 242, 40,  212, 77, 135, 161, 219, 229 },
        // top right: plain washer, normal round
        { 322, 461, 65, 144,  354, 428, 110,  363, 419, 66,  { { 359, 424, 102, 110, false } },
          370, 412,  374, 409, 137, 153,  42,  501, 464, 432, 508, 40,  478, 77, 135, 427, 485, 496 },
        // bottom left: plain washer, small round
        { 57, 196, 231, 310,  89, 163, 277,  98, 154, 233,  { { 94, 158, 268, 277, false } },
          105, 147,  108, 144, 303, 320,  208,  236, 198, 166, 243, 206,  213, 244, 302, 162, 220, 230 },
        // bottom right: spring washer on a plain washer
        { 323, 462, 231, 310,  355, 429, 286,  364, 420, 233,
          { { 360, 425, 268, 277, true }, { 360, 425, 277, 286, false } },
          371, 413,  375, 410, 303, 320,  208,  502, 465, 433, 509, 206,  479, 244, 310, 428, 486, 497 },
    };
}
// clang-format on

constexpr int hatchEvery8 = 16;
constexpr int headChamfer = 4;
constexpr int threadDepth = 3;
constexpr int splitApart = 4;

Polygon box(int left, int top, int right, int bottom)
{
    return { { left, top }, { right, top }, { right, bottom }, { left, bottom } };
}

void addView(Drawing& d, const WasherView& v)
{
    const int washerTop = v.washers.front().top;
    const int washerLeft = v.washers.front().left;
    const int washerRight = v.washers.front().right;

    d.plates.push_back({ QRect(QPoint(v.plateLeft, v.surface), QPoint(v.plateRight, v.plateBottom)),
        { QRect(QPoint(v.boreLeft, v.surface), QPoint(v.boreRight, v.floor)),
            QRect(QPoint(v.holeLeft, v.floor), QPoint(v.holeRight, v.plateBottom)) },
        hatchEvery8, true });

    const int c = headChamfer;
    d.bodies.push_back(
        { { Polygon { { v.headLeft, v.headTop + c }, { v.headLeft + c, v.headTop }, { v.headRight - c, v.headTop },
              { v.headRight, v.headTop + c }, { v.headRight, washerTop }, { v.headLeft, washerTop } } },
            { (v.headLeft + v.headRight) / 2, (v.headTop + c + washerTop) / 2 } });
    d.lines.push_back({ { v.headLeft, v.headTop + c }, { v.headRight, v.headTop + c } });
    for (const Washer& w : v.washers) {
        const int mid = (w.left + w.right) / 2;
        d.bodies.push_back({ { box(w.left, w.top, w.right, w.bottom) }, { mid, (w.top + w.bottom) / 2 } });
        if (!w.spring)
            continue;
        // The split: two strokes across the washer's height, rising to the right.
        const int rise = w.bottom - w.top;
        const int start = mid - splitApart / 2 - rise / 2;
        for (int x : { start, start + splitApart })
            d.lines.push_back({ { x, w.bottom }, { x + rise, w.top } });
    }
    d.bodies.push_back({ { box(v.shankLeft, v.floor, v.shankRight, v.shankEnd) },
        { (v.shankLeft + v.shankRight) / 2, (v.floor + v.threadFrom) / 2 } });
    d.lines.push_back({ { v.shankLeft, v.threadFrom }, { v.shankRight, v.threadFrom } });
    d.lines.push_back({ { v.shankLeft + threadDepth, v.threadFrom }, { v.shankLeft + threadDepth, v.shankEnd } });
    d.lines.push_back({ { v.shankRight - threadDepth, v.threadFrom }, { v.shankRight - threadDepth, v.shankEnd } });

    // Surface across the counterbore mouth; the bottom line stops at the shank.
    d.lines.push_back({ { v.plateLeft, v.surface }, { v.plateRight, v.surface } });
    d.lines.push_back({ { v.plateLeft, v.plateBottom }, { v.shankLeft, v.plateBottom } });
    d.lines.push_back({ { v.shankRight, v.plateBottom }, { v.plateRight, v.plateBottom } });
    d.lines.push_back(
        { { v.boreLeft, v.surface }, { v.boreLeft, v.floor }, { v.boreRight, v.floor }, { v.boreRight, v.surface } });
    d.lines.push_back({ { v.holeLeft, v.floor }, { v.holeLeft, v.plateBottom } });
    d.lines.push_back({ { v.holeRight, v.floor }, { v.holeRight, v.plateBottom } });

    // Counterbore diameter over the washer's outer edges; its extension lines stop 4 pixels above the washer.
    d.dimensions.push_back({ "counterbore diameter",
        { { { washerLeft, v.diameterY - 7 }, { washerLeft, washerTop - 4 } },
            { { washerRight, v.diameterY - 7 }, { washerRight, washerTop - 4 } },
            { { washerLeft, v.diameterY }, { washerRight, v.diameterY } } },
        { { { washerLeft, v.diameterY }, { washerRight, v.diameterY } },
            { { washerRight, v.diameterY }, { washerLeft, v.diameterY } } } });
    d.dimensions.push_back({ "counterbore depth",
        { { { v.surfaceExtFrom, v.surface }, { v.depthExtTo, v.surface } },
            { { v.floorExtFrom, v.floor }, { v.depthExtTo, v.floor } },
            { { v.depthX, v.floor }, { v.depthX, v.depthTop } } },
        { { { v.depthX, v.surface }, { v.depthX, v.floor } }, { { v.depthX, v.floor }, { v.depthX, v.surface } } } });
    d.dimensions.push_back({ "washer thickness",
        { { { v.thicknessExtFrom, washerTop }, { v.thicknessExtTo, washerTop } },
            { { v.thicknessX, v.thicknessTop }, { v.thicknessX, v.thicknessBottom },
                { v.shelfTo, v.thicknessBottom } } },
        { { { v.thicknessX, washerTop }, { v.thicknessX, v.thicknessTop } },
            { { v.thicknessX, v.floor }, { v.thicknessX, v.thicknessBottom } } } });
}

} // namespace

Drawing washerDrawing()
{
    Drawing d;
    d.size = QSize(570, 365);
    for (const WasherView& view : views())
        addView(d, view);
    return d;
}

} // namespace drawgen
