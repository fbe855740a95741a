#include "tst_drawings_rows.h"

// Drawing 2: counterbore and clearance hole, head sunk (left, axis x 133) and standing (right, axis x 424).
namespace rows {

namespace {

constexpr const char* bore = "picture2";

void line(const char* name, QPoint from, QPoint to, bool openStart = false, bool openEnd = false)
{
    both(bore, name, from, to, openStart, openEnd);
}

} // namespace

void counterboreLines()
{
    line("left surface across the mouth", { 49, 122 }, { 218, 122 });
    line("right surface across mouth and head", { 339, 122 }, { 509, 122 });
    line("left joint to the screw", { 49, 219 }, { 112, 219 });
    line("left joint from the screw", { 155, 219 }, { 218, 219 });
    line("right joint to the screw", { 339, 219 }, { 402, 219 });
    line("right joint from the screw", { 446, 219 }, { 509, 219 });
    line("left counterbore wall x 94", { 94, 122 }, { 94, 167 });
    line("left counterbore wall x 172", { 172, 122 }, { 172, 167 });
    line("left counterbore floor", { 94, 167 }, { 172, 167 });
    line("right counterbore wall x 385", { 385, 122 }, { 385, 161 });
    line("right counterbore wall x 463", { 463, 122 }, { 463, 161 });
    line("right counterbore floor", { 385, 161 }, { 463, 161 });
    line("left head top face", { 104, 124 }, { 163, 124 });
    line("left head chamfer edge", { 99, 128 }, { 168, 128 });
    line("left head side x 99", { 99, 128 }, { 99, 167 });
    line("left head side x 168", { 168, 128 }, { 168, 167 });
    line("right head top face", { 395, 117 }, { 453, 117 });
    line("right head side x 389", { 389, 122 }, { 389, 161 });
    line("right head side x 459", { 459, 122 }, { 459, 161 });
    line("left hole wall x 107", { 107, 167 }, { 107, 219 });
    line("left hole wall x 159", { 159, 167 }, { 159, 219 });
    line("right hole wall x 398", { 398, 161 }, { 398, 219 });
    line("right hole wall x 450", { 450, 161 }, { 450, 219 });
    line("left screw outline x 112", { 112, 167 }, { 112, 272 });
    line("left screw outline x 155", { 155, 167 }, { 155, 272 });
    line("right screw outline x 402", { 402, 161 }, { 402, 272 });
    line("right screw outline x 446", { 446, 161 }, { 446, 272 });
    line("left thread start", { 112, 210 }, { 155, 210 });
    line("right thread start", { 402, 210 }, { 446, 210 });
    line("left thread root x 115", { 115, 210 }, { 115, 275 });
    line("left thread root x 152", { 152, 210 }, { 152, 275 });
    line("right thread root x 405", { 405, 210 }, { 405, 275 });
    line("right thread root x 442", { 442, 210 }, { 442, 275 });
    line("left end face", { 115, 275 }, { 152, 275 });
    line("right end face", { 405, 275 }, { 442, 275 });
    // Dimensions.
    line("D left extension x 94", { 94, 50 }, { 94, 117 }, true, true);
    line("D left extension x 172", { 172, 50 }, { 172, 117 }, true, true);
    line("D left dimension line", { 94, 59 }, { 172, 59 }, true, true);
    line("D right extension x 385", { 385, 50 }, { 385, 117 }, true, true);
    line("D right extension x 463", { 463, 50 }, { 463, 117 }, true, true);
    line("D right dimension line", { 385, 59 }, { 463, 59 }, true, true);
    line("dk left extension x 99", { 99, 85 }, { 99, 110 }, true);
    line("dk left extension x 168", { 168, 85 }, { 168, 110 }, true);
    line("dk left dimension line", { 99, 93 }, { 168, 93 }, true, true);
    line("dk right extension x 389", { 389, 85 }, { 389, 110 }, true);
    line("dk right extension x 459", { 459, 85 }, { 459, 110 }, true);
    line("dk right dimension line", { 389, 93 }, { 459, 93 }, true, true);
    line("H'' extension y 122", { 222, 122 }, { 254, 122 }, true, true);
    line("H'' extension y 167", { 177, 167 }, { 254, 167 }, false, true);
    line("H'' dimension line", { 245, 91 }, { 245, 167 }, true);
    line("H' extension y 122", { 296, 122 }, { 335, 122 }, true, true);
    line("H' extension y 161", { 296, 161 }, { 381, 161 }, true);
    line("H' dimension line", { 305, 91 }, { 305, 161 }, true);
    line("ds left line", { 112, 181 }, { 254, 181 }, false, true);
    line("ds right line", { 304, 181 }, { 446, 181 }, true);
    line("d' left line", { 107, 198 }, { 226, 198 });
    line("d' left drop", { 226, 198 }, { 226, 220 });
    line("d' left run to the label", { 226, 220 }, { 254, 220 }, false, true);
    line("d' right line", { 331, 198 }, { 450, 198 });
    line("d' right drop", { 331, 198 }, { 331, 220 });
    line("d' right run to the label", { 304, 220 }, { 331, 220 }, true);
}

void counterborePixels()
{
    const QString body = QStringLiteral("body");
    const QString background = QStringLiteral("background");
    const QString clear = QStringLiteral("clear");
    both(bore, "left head", QPoint(120, 150), body);
    both(bore, "left shank", QPoint(125, 190), body);
    both(bore, "left thread", QPoint(125, 240), body);
    both(bore, "right head", QPoint(410, 140), body);
    both(bore, "right head above the surface", QPoint(410, 119), body);
    both(bore, "right shank", QPoint(415, 190), body);
    both(bore, "left counterbore gap beside the head", QPoint(96, 145), background);
    both(bore, "left counterbore gap above the head", QPoint(120, 123), background);
    both(bore, "left clearance gap", QPoint(109, 190), background);
    both(bore, "right counterbore gap", QPoint(387, 140), background);
    both(bore, "right clearance gap", QPoint(400, 190), background);
    both(bore, "left head corner chamfered", QPoint(99, 124), clear);
    both(bore, "left head corner chamfered, right", QPoint(168, 124), clear);
    both(bore, "right head corner chamfered", QPoint(390, 117), clear);
    both(bore, "right head corner chamfered, below", QPoint(389, 119), clear);
    both(bore, "right head corner chamfered, right", QPoint(458, 117), clear);
    both(bore, "right head corner chamfered, right below", QPoint(459, 119), clear);
    both(bore, "left joint stops at the screw", QPoint(130, 219), body);
    both(bore, "right joint stops at the screw", QPoint(420, 219), body);
}

void counterboreDashes()
{
    const QString centre = QStringLiteral("centre");
    const QPoint none(-1, -1);
    both(bore, "left centre line", QPoint(133, 112), QPoint(133, 288), centre, none);
    both(bore, "right centre line", QPoint(424, 106), QPoint(424, 288), centre, none);
}

void counterboreArrows()
{
    auto arrow = [](const char* name, QPoint tip, QPoint tail) { both(bore, name, tip, tail); };
    arrow("D left at x 94", { 94, 59 }, { 172, 59 });
    arrow("D left at x 172", { 172, 59 }, { 94, 59 });
    arrow("D right at x 385", { 385, 59 }, { 463, 59 });
    arrow("D right at x 463", { 463, 59 }, { 385, 59 });
    arrow("dk left at x 99", { 99, 93 }, { 168, 93 });
    arrow("dk left at x 168", { 168, 93 }, { 99, 93 });
    arrow("dk right at x 389", { 389, 93 }, { 459, 93 });
    arrow("dk right at x 459", { 459, 93 }, { 389, 93 });
    arrow("H'' at y 122", { 245, 122 }, { 245, 167 });
    arrow("H'' at y 167", { 245, 167 }, { 245, 122 });
    arrow("H' at y 122", { 305, 122 }, { 305, 161 });
    arrow("H' at y 161", { 305, 161 }, { 305, 122 });
    arrow("ds left at x 112", { 112, 181 }, { 155, 181 });
    arrow("ds left at x 155", { 155, 181 }, { 112, 181 });
    arrow("ds right at x 402", { 402, 181 }, { 446, 181 });
    arrow("ds right at x 446", { 446, 181 }, { 402, 181 });
    arrow("d' left at x 107", { 107, 198 }, { 159, 198 });
    arrow("d' left at x 159", { 159, 198 }, { 107, 198 });
    arrow("d' right at x 398", { 398, 198 }, { 450, 198 });
    arrow("d' right at x 450", { 450, 198 }, { 398, 198 });
}

void counterboreLabels()
{
    auto label = [](const char* name, QRect twips) { both(bore, name, twips); };
    label("Label16(0) D", { 1635, 510, 735, 300 });
    label("Label16(1) D", { 6000, 510, 720, 300 });
    label("Label17(0) dk", { 1650, 1020, 720, 300 });
    label("Label17(1) dk", { 6000, 1020, 720, 300 });
    label("Label20 H''", { 3390, 1140, 600, 300 });
    label("Label21 H'", { 4290, 1140, 600, 300 });
    label("Label18 ds", { 3840, 2565, 780, 300 });
    label("Label19 d'", { 3840, 3150, 780, 300 });
}

void counterboreHatching()
{
    constexpr int every95 = 19;
    both(bore, "left upper plate left of the counterbore", 140, 50, 92, every95, true);
    both(bore, "left upper plate right of the counterbore", 150, 174, 217, every95, true);
    both(bore, "left upper plate beside the hole", 205, 50, 105, every95, true);
    both(bore, "left lower plate beside the screw", 250, 50, 110, every95, false);
    both(bore, "left lower plate below the screw end", 285, 50, 130, every95, false);
    both(bore, "right upper plate left of the counterbore", 140, 340, 383, every95, true);
    both(bore, "right upper plate right of the hole", 205, 452, 508, every95, true);
    both(bore, "right lower plate beside the screw", 250, 448, 508, every95, false);
    both(bore, "right lower plate below the screw end", 285, 340, 421, every95, false);
}

void counterborePlateEnds()
{
    both(bore, "left plate, left end", 49, 123, 292, -1, 0);
    both(bore, "left plate, right end", 218, 123, 292, 1, 0);
    both(bore, "right plate, left end", 339, 123, 292, -1, 0);
    both(bore, "right plate, right end", 509, 123, 292, 1, 0);
}

} // namespace rows
