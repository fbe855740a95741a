#pragma once

#include <QByteArray>

#include <string>
#include <vector>

namespace quill::cad {

struct Point {
    double x = 0;
    double y = 0;
};

// A layer of the drawing: its colour (the 256-colour index), its line type (one of kContinuous
// and kCentre, the two the file defines) and its plotted line weight in 1/100 mm.
struct Layer {
    std::string name;
    int colour;
    std::string lineType;
    int lineWeight;
};

inline constexpr const char* kContinuous = "Continuous";
inline constexpr const char* kCentre = "CENTER";

// A 2D drawing in millimetres at 1:1, written as DXF R2000 (AC1015): plain text that every
// common 2D CAD program reads. Only what a drawing of lines and circles needs: the header with its
// units, the required tables, the two layouts' blocks, the entities and the root dictionary.
class DxfDrawing {
public:
    explicit DxfDrawing(std::vector<Layer> layers);

    // lineTypeScale scales the layer's dash pattern for this line alone.
    void addLine(int layer, Point from, Point to, double lineTypeScale = 1.0);
    void addCircle(int layer, Point centre, double radius);

    QByteArray text() const;

private:
    struct Line {
        int layer;
        Point from, to;
        double lineTypeScale;
    };
    struct Circle {
        int layer;
        Point centre;
        double radius;
    };

    std::vector<Layer> m_layers;
    std::vector<Line> m_lines;
    std::vector<Circle> m_circles;
};

} // namespace quill::cad
