#include "tst_drawings_rows.h"

// Drawing 1: the screw in two views on the centre line y 142.
namespace rows {

namespace {

constexpr const char* screw = "picture1";

void line(const char* name, QPoint from, QPoint to, bool openStart = false, bool openEnd = false)
{
    both(screw, name, from, to, openStart, openEnd);
}

} // namespace

void screwLines()
{
    // End view: the socket's vertical flats.
    line("socket flat x 47", { 47, 131 }, { 47, 153 }, true, true);
    line("socket flat x 84", { 84, 131 }, { 84, 153 }, true, true);
    // Side view head, straight parts between the rounded corners of the top face.
    line("head top face x 248", { 248, 109 }, { 248, 176 });
    line("head bearing face x 295", { 295, 105 }, { 295, 180 });
    line("head outline y 105", { 252, 105 }, { 295, 105 });
    line("head outline y 180", { 252, 180 }, { 295, 180 });
    // Shank and thread; the chamfer leaves the outline corners at x 531 free.
    line("shank outline y 119", { 295, 119 }, { 528, 119 }, false, true);
    line("shank outline y 166", { 295, 166 }, { 528, 166 }, false, true);
    line("thread root y 122", { 390, 122 }, { 531, 122 });
    line("thread root y 162", { 390, 162 }, { 531, 162 });
    line("full thread start x 390", { 390, 119 }, { 390, 166 });
    line("chamfer line x 528", { 528, 119 }, { 528, 166 });
    line("end face x 531", { 531, 122 }, { 531, 162 }, true, true);
    line("under-head transition y 113", { 300, 113 }, { 347, 113 }, true, true);
    line("under-head transition y 172", { 300, 172 }, { 347, 172 }, true, true);
    // Dimensions.
    line("e extension y 121", { 70, 121 }, { 152, 121 }, true, true);
    line("e extension y 164", { 70, 164 }, { 152, 164 }, true, true);
    line("e dimension line", { 143, 64 }, { 143, 164 }, true);
    line("e shelf", { 118, 64 }, { 143, 64 }, true);
    line("s extension x 47", { 47, 158 }, { 47, 261 }, true, true);
    line("s extension x 84", { 84, 158 }, { 84, 261 }, true, true);
    line("s dimension line and shelf", { 47, 252 }, { 138, 252 }, false, true);
    line("dk extension y 105", { 201, 105 }, { 240, 105 }, true);
    line("dk extension y 180", { 201, 180 }, { 240, 180 }, true);
    line("dk dimension line", { 210, 105 }, { 210, 180 });
    line("v shelf", { 197, 77 }, { 221, 77 }, true);
    line("t extension x 248", { 248, 20 }, { 248, 95 }, true);
    line("t extension x 272", { 272, 20 }, { 272, 116 }, true, true);
    line("t dimension line", { 215, 29 }, { 305, 29 }, true, true);
    line("w extension x 295", { 295, 57 }, { 295, 104 }, true);
    line("w dimension line", { 239, 67 }, { 328, 67 }, true, true);
    line("da dimension line", { 338, 43 }, { 338, 172 }, true);
    line("da shelf", { 338, 43 }, { 361, 43 }, false, true);
    line("ds dimension line", { 366, 67 }, { 366, 166 }, true);
    line("ds shelf", { 366, 67 }, { 389, 67 }, false, true);
    line("thread designation shelf", { 470, 81 }, { 493, 81 }, true, true);
    line("shank length extension x 295", { 295, 190 }, { 295, 312 }, false, true);
    line("shank length extension x 384", { 384, 171 }, { 384, 237 }, true, true);
    line("shank length dimension line", { 295, 227 }, { 384, 227 });
    line("grip length extension x 390", { 390, 166 }, { 390, 274 }, false, true);
    line("grip length dimension line", { 295, 265 }, { 390, 265 });
    line("thread length extension x 531", { 531, 170 }, { 531, 312 }, false, true);
    line("thread length dimension line", { 390, 265 }, { 531, 265 }, false, true);
    line("k extension x 248", { 248, 190 }, { 248, 312 }, false, true);
    line("k dimension line", { 248, 303 }, { 295, 303 }, true);
    line("nominal length dimension line", { 295, 303 }, { 531, 303 }, false, true);
}

void screwPixels()
{
    const QString body = QStringLiteral("body");
    const QString background = QStringLiteral("background");
    const QString ink = QStringLiteral("ink");
    const QString clear = QStringLiteral("clear");
    const QString nearInk = QStringLiteral("near ink");
    both(screw, "end view head left of socket", QPoint(38, 135), body);
    both(screw, "end view head right of socket", QPoint(94, 150), body);
    both(screw, "end view head above socket", QPoint(60, 110), body);
    both(screw, "end view head below socket", QPoint(72, 175), body);
    both(screw, "end view outside head", QPoint(25, 130), background);
    both(screw, "hexagon corner y 121", QPoint(65, 121), ink);
    both(screw, "hexagon corner y 164", QPoint(65, 164), ink);
    both(screw, "hexagon edge upper left", QPoint(56, 126), nearInk);
    both(screw, "hexagon edge upper right", QPoint(74, 126), nearInk);
    both(screw, "hexagon edge lower left", QPoint(56, 158), nearInk);
    both(screw, "hexagon edge lower right", QPoint(74, 159), nearInk);
    both(screw, "side view head", QPoint(260, 112), body);
    both(screw, "side view head near bearing face", QPoint(288, 175), body);
    both(screw, "top face corner y 105 rounded", QPoint(249, 105), clear);
    both(screw, "top face corner y 105 rounded, side", QPoint(248, 106), clear);
    both(screw, "top face corner y 180 rounded", QPoint(248, 180), clear);
    both(screw, "top face corner y 180 rounded, top", QPoint(249, 180), clear);
    both(screw, "top face corner y 180 rounded, side", QPoint(248, 179), clear);
    both(screw, "plain shank", QPoint(320, 130), body);
    both(screw, "plain shank before the slope", QPoint(380, 121), body);
    both(screw, "thread slope top", QPoint(387, 120), nearInk);
    both(screw, "thread slope bottom", QPoint(387, 164), nearInk);
    both(screw, "thread core", QPoint(450, 140), body);
    both(screw, "thread between outline and root y 119", QPoint(450, 120), body);
    both(screw, "thread between root and outline y 166", QPoint(450, 164), body);
    both(screw, "chamfered end", QPoint(529, 140), body);
    both(screw, "chamfer cuts corner y 119", QPoint(531, 120), clear);
    both(screw, "chamfer cuts corner y 166", QPoint(531, 165), clear);
    both(screw, "under-head transition lies outside the shank", QPoint(320, 116), background);
    both(screw, "v leader", QPoint(235, 91), nearInk);
    both(screw, "thread designation leader", QPoint(458, 99), nearInk);
}

void screwDashes()
{
    const QString centre = QStringLiteral("centre");
    const QString hidden = QStringLiteral("hidden");
    const QPoint none(-1, -1);
    both(screw, "end view centre line horizontal", QPoint(13, 142), QPoint(118, 142), centre, QPoint(65, 142));
    both(screw, "end view centre line vertical", QPoint(65, 89), QPoint(65, 195), centre, QPoint(65, 142));
    both(screw, "side view centre line", QPoint(235, 142), QPoint(545, 142), centre, none);
    both(screw, "socket wall y 121", QPoint(248, 121), QPoint(272, 121), hidden, none);
    both(screw, "socket flat y 131", QPoint(248, 131), QPoint(272, 131), hidden, none);
    both(screw, "socket flat y 153", QPoint(248, 153), QPoint(272, 153), hidden, none);
    both(screw, "socket wall y 164", QPoint(248, 164), QPoint(272, 164), hidden, none);
}

void screwArrows()
{
    auto arrow = [](const char* name, QPoint tip, QPoint tail) { both(screw, name, tip, tail); };
    arrow("e at y 121", { 143, 121 }, { 143, 164 });
    arrow("e at y 164", { 143, 164 }, { 143, 121 });
    arrow("s at x 47", { 47, 252 }, { 84, 252 });
    arrow("s at x 84", { 84, 252 }, { 47, 252 });
    arrow("dk at y 105", { 210, 105 }, { 210, 180 });
    arrow("dk at y 180", { 210, 180 }, { 210, 105 });
    arrow("v at the head corner", { 248, 105 }, { 221, 77 });
    arrow("t outside x 248", { 248, 29 }, { 215, 29 });
    arrow("t outside x 272", { 272, 29 }, { 305, 29 });
    arrow("w outside x 272", { 272, 67 }, { 239, 67 });
    arrow("w outside x 295", { 295, 67 }, { 328, 67 });
    arrow("da at y 113", { 338, 113 }, { 338, 172 });
    arrow("da at y 172", { 338, 172 }, { 338, 113 });
    arrow("ds at y 119", { 366, 119 }, { 366, 166 });
    arrow("ds at y 166", { 366, 166 }, { 366, 119 });
    arrow("thread designation on the outline", { 447, 117 }, { 470, 81 });
    arrow("shank length at x 295", { 295, 227 }, { 384, 227 });
    arrow("shank length at x 384", { 384, 227 }, { 295, 227 });
    arrow("grip length at x 295", { 295, 265 }, { 390, 265 });
    arrow("grip length at x 390", { 390, 265 }, { 295, 265 });
    arrow("thread length at x 390", { 390, 265 }, { 531, 265 });
    arrow("thread length at x 531", { 531, 265 }, { 390, 265 });
    arrow("k at x 248", { 248, 303 }, { 295, 303 });
    arrow("k at x 295", { 295, 303 }, { 248, 303 });
    arrow("nominal length at x 295", { 295, 303 }, { 531, 303 });
    arrow("nominal length at x 531", { 531, 303 }, { 295, 303 });
}

void screwLabels()
{
    auto label = [](const char* name, QRect twips) { both(screw, name, twips); };
    label("Label8 t", { 2700, 300, 600, 300 });
    label("Label9 w", { 4200, 600, 600, 300 });
    label("Label10 da", { 5295, 480, 780, 300 });
    label("Label11 ds", { 5715, 840, 705, 300 });
    label("Label5 e", { 1260, 840, 705, 300 });
    label("Label7 v", { 2520, 1020, 600, 300 });
    label("Label3 thread", { 7260, 1080, 705, 300 });
    label("Label6 dk", { 2460, 1980, 600, 300 });
    label("Label13 shank length", { 4770, 3060, 705, 300 });
    label("Label4 s", { 1440, 3420, 600, 300 });
    label("Label14 grip length", { 4800, 3615, 705, 300 });
    label("Label15 thread length", { 6585, 3615, 705, 300 });
    label("Label12 k", { 3780, 4140, 600, 300 });
    label("Combo1 nominal length", { 5700, 4155, 870, 345 });
}

} // namespace rows
