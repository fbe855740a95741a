#include "tst_drawings_rows.h"

#include <vector>

// Drawing 3: four counterbore sections with washers under the head, in two rows and two columns.
namespace rows {

namespace {

constexpr const char* washers = "picture3";

struct Washer {
    int left, right, top, bottom;
    bool spring;
};

// One view as its table row in the description gives it.
struct View {
    const char* name;
    int plateLeft, plateRight, surface, plateBottom;
    int boreLeft, boreRight, floor;
    int headLeft, headRight, headTop, headBottom;
    std::vector<Washer> washers;
    int holeLeft, holeRight;
    int shankLeft, shankRight, threadFrom, shankEnd;
    int diameterY;
    int depthX, surfaceExtFrom, floorExtFrom, depthExtTo;
    int thicknessX, thicknessTop, thicknessBottom, thicknessExtFrom, thicknessExtTo, shelfTo;
};

// clang-format off
std::vector<View> views()
{
    return {
        { "top left", 56, 195, 65, 144, 88, 162, 110, 97, 153, 66, 102, { { 93, 157, 102, 110, true } },
          104, 146, 107, 143, 137, 153, 42, 235, 197, 165, 242, 212, 77, 135, 161, 219, 229 },
        { "top right", 322, 461, 65, 144, 354, 428, 110, 363, 419, 66, 102, { { 359, 424, 102, 110, false } },
          370, 412, 374, 409, 137, 153, 42, 501, 464, 432, 508, 478, 77, 135, 427, 485, 496 },
        { "bottom left", 57, 196, 231, 310, 89, 163, 277, 98, 154, 233, 268, { { 94, 158, 268, 277, false } },
          105, 147, 108, 144, 303, 320, 208, 236, 198, 166, 243, 213, 244, 302, 162, 220, 230 },
        { "bottom right", 323, 462, 231, 310, 355, 429, 286, 364, 420, 233, 268,
          { { 360, 425, 268, 277, true }, { 360, 425, 277, 286, false } },
          371, 413, 375, 410, 303, 320, 208, 502, 465, 433, 509, 479, 244, 310, 428, 486, 497 },
    };
}
// clang-format on

QByteArray named(const View& v, const char* what)
{
    return QByteArray(v.name) + ' ' + what;
}

void line(const View& v, const char* what, QPoint from, QPoint to, bool openStart = false, bool openEnd = false)
{
    both(washers, named(v, what).constData(), from, to, openStart, openEnd);
}

void pixel(const View& v, const char* what, QPoint p, const char* kind)
{
    both(washers, named(v, what).constData(), p, QString::fromLatin1(kind));
}

} // namespace

void washerLines()
{
    for (const View& v : views()) {
        const Washer& top = v.washers.front();
        line(v, "counterbore wall left", { v.boreLeft, v.surface }, { v.boreLeft, v.floor });
        line(v, "counterbore wall right", { v.boreRight, v.surface }, { v.boreRight, v.floor });
        line(v, "counterbore floor", { v.boreLeft, v.floor }, { v.boreRight, v.floor });
        line(v, "head side left", { v.headLeft, v.headTop + 4 }, { v.headLeft, v.headBottom });
        line(v, "head side right", { v.headRight, v.headTop + 4 }, { v.headRight, v.headBottom });
        line(v, "head top face", { v.headLeft + 5, v.headTop }, { v.headRight - 5, v.headTop });
        line(v, "head chamfer edge", { v.headLeft, v.headTop + 4 }, { v.headRight, v.headTop + 4 });
        for (const Washer& w : v.washers) {
            line(v, "washer top", { w.left, w.top }, { w.right, w.top });
            line(v, "washer bottom", { w.left, w.bottom }, { w.right, w.bottom });
            line(v, "washer side left", { w.left, w.top }, { w.left, w.bottom });
            line(v, "washer side right", { w.right, w.top }, { w.right, w.bottom });
        }
        line(v, "hole wall left", { v.holeLeft, v.floor }, { v.holeLeft, v.plateBottom });
        line(v, "hole wall right", { v.holeRight, v.floor }, { v.holeRight, v.plateBottom });
        line(v, "shank side left", { v.shankLeft, v.floor }, { v.shankLeft, v.shankEnd }, false, true);
        line(v, "shank side right", { v.shankRight, v.floor }, { v.shankRight, v.shankEnd }, false, true);
        line(v, "thread start", { v.shankLeft, v.threadFrom }, { v.shankRight, v.threadFrom });
        line(v, "plate surface across the mouth", { v.plateLeft + 1, v.surface }, { v.plateRight - 1, v.surface });
        line(v, "plate bottom to the shank", { v.plateLeft + 1, v.plateBottom }, { v.shankLeft, v.plateBottom });
        line(v, "plate bottom from the shank", { v.shankRight, v.plateBottom }, { v.plateRight - 1, v.plateBottom });
        // Counterbore diameter over the washer's outer edges.
        line(v, "diameter extension left", { top.left, v.diameterY - 7 }, { top.left, top.top - 5 }, true);
        line(v, "diameter extension right", { top.right, v.diameterY - 7 }, { top.right, top.top - 5 }, true);
        line(v, "diameter dimension line", { top.left, v.diameterY }, { top.right, v.diameterY });
        // Counterbore depth, the line running on to 24 pixels above the surface.
        line(v, "depth extension at the surface", { v.surfaceExtFrom, v.surface }, { v.depthExtTo, v.surface }, true,
            true);
        line(v, "depth extension at the floor", { v.floorExtFrom, v.floor }, { v.depthExtTo, v.floor }, false, true);
        line(v, "depth dimension line", { v.depthX, v.surface - 24 }, { v.depthX, v.floor });
        // Washer thickness.
        line(v, "thickness extension", { v.thicknessExtFrom, top.top }, { v.thicknessExtTo, top.top }, true, true);
        line(v, "thickness dimension line", { v.thicknessX, v.thicknessTop }, { v.thicknessX, v.thicknessBottom }, true,
            true);
        line(v, "thickness shelf", { v.thicknessX, v.thicknessBottom }, { v.shelfTo, v.thicknessBottom }, false, true);
    }
}

void washerPixels()
{
    for (const View& v : views()) {
        const Washer& top = v.washers.front();
        const int mid = (v.shankLeft + v.shankRight) / 2;
        pixel(v, "head", { mid, v.headTop + 12 }, "body");
        for (const Washer& w : v.washers)
            pixel(v, "washer", { w.left + 3, (w.top + w.bottom) / 2 }, "body");
        pixel(v, "shank", { mid, v.floor + 10 }, "body");
        pixel(v, "below the cut-off shank", { mid, v.shankEnd + 2 }, "background");
        pixel(v, "counterbore gap", { v.boreLeft + 2, top.top - 10 }, "background");
        pixel(v, "hole gap", { v.holeLeft + 1, v.floor + 10 }, "background");
        pixel(v, "head corner chamfered left", { v.headLeft, v.headTop }, "clear");
        pixel(v, "head corner chamfered right", { v.headRight, v.headTop }, "clear");
        pixel(v, "diameter extension stops above the washer", { top.left, top.top - 2 }, "clear");
        pixel(v, "depth line ends about 24 above the surface", { v.depthX, v.surface - 26 }, "clear");
    }
}

void washerArrows()
{
    for (const View& v : views()) {
        const Washer& top = v.washers.front();
        auto arrow
            = [&](const char* what, QPoint tip, QPoint tail) { both(washers, named(v, what).constData(), tip, tail); };
        arrow("diameter left", { top.left, v.diameterY }, { top.right, v.diameterY });
        arrow("diameter right", { top.right, v.diameterY }, { top.left, v.diameterY });
        arrow("depth at the surface", { v.depthX, v.surface }, { v.depthX, v.floor });
        arrow("depth at the floor", { v.depthX, v.floor }, { v.depthX, v.surface });
        arrow("thickness outside, washer top", { v.thicknessX, top.top }, { v.thicknessX, v.thicknessTop });
        arrow("thickness outside, floor", { v.thicknessX, v.floor }, { v.thicknessX, v.thicknessBottom });
    }
}

void washerLabels()
{
    auto label = [](const char* name, QRect twips) { both(washers, name, twips); };
    label("Label22 D1", { 1500, 240, 780, 300 });
    label("Label23 h1", { 3240, 465, 600, 300 });
    label("Label24 t1", { 3450, 1890, 600, 300 });
    label("Label25 D2", { 5490, 240, 780, 300 });
    label("Label26 h2", { 7245, 465, 600, 300 });
    label("Label27 t2", { 7425, 1890, 600, 300 });
    label("Label28 D3", { 1500, 2730, 780, 300 });
    label("Label29 h4", { 3240, 3000, 600, 300 });
    label("Label30 t4", { 3450, 4395, 600, 300 });
    label("Label31 D2", { 5490, 2730, 780, 300 });
    label("Label32 h3", { 7230, 2985, 600, 300 });
    label("Label33 t3", { 7440, 4515, 600, 300 });
}

void washerHatching()
{
    constexpr int every8 = 16;
    for (const View& v : views()) {
        const int upper = v.surface + 25;
        const int lower = (v.floor + v.plateBottom) / 2;
        both(washers, named(v, "plate left of the counterbore").constData(), upper, v.plateLeft + 2, v.boreLeft - 2,
            every8, true);
        both(washers, named(v, "plate right of the counterbore").constData(), upper, v.boreRight + 2, v.plateRight - 2,
            every8, true);
        both(washers, named(v, "plate left of the hole").constData(), lower, v.plateLeft + 2, v.holeLeft - 2, every8,
            true);
    }
}

void washerPlateEnds()
{
    for (const View& v : views()) {
        both(washers, named(v, "plate left end").constData(), v.plateLeft, v.surface + 1, v.plateBottom - 1, -1, 1);
        both(washers, named(v, "plate right end").constData(), v.plateRight, v.surface + 1, v.plateBottom - 1, 1, 1);
    }
}

// Washer marks: the spring washer's split, and nothing on a plain washer.
void washerSplits()
{
    for (const View& v : views())
        for (const Washer& w : v.washers)
            both(washers, named(v, w.spring ? "spring washer split" : "plain washer unmarked").constData(),
                QRect(QPoint(w.left, w.top), QPoint(w.right, w.bottom)), w.spring);
}

} // namespace rows
