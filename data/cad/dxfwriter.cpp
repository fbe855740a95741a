#include "dxfwriter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace quill::cad {

namespace {

// The centre line's pattern in millimetres: a long dash, a gap, a short dash, a gap.
constexpr std::array<double, 4> kCentrePattern { 12.0, -3.0, 2.0, -3.0 };

// Group code and value pairs, each on its own line; handles numbered as they are given out.
class Tags {
public:
    void code(int group, std::string_view value)
    {
        std::array<char, 8> number {};
        const auto end = std::to_chars(number.data(), number.data() + number.size(), group).ptr;
        const std::string_view digits(number.data(), std::size_t(end - number.data()));
        m_text.append(std::max<std::size_t>(3, digits.size()) - digits.size(), ' ');
        m_text.append(digits);
        m_text.append("\r\n");
        m_text.append(value);
        m_text.append("\r\n");
    }
    void code(int group, int value)
    {
        std::array<char, 16> number {};
        const auto end = std::to_chars(number.data(), number.data() + number.size(), value).ptr;
        code(group, std::string_view(number.data(), std::size_t(end - number.data())));
    }
    // The shortest text that reads back as the same double.
    void real(int group, double value)
    {
        std::array<char, 32> number {};
        const auto end = std::to_chars(number.data(), number.data() + number.size(), value == 0 ? 0.0 : value).ptr;
        code(group, std::string_view(number.data(), std::size_t(end - number.data())));
    }
    void point(int group, Point p)
    {
        real(group, p.x);
        real(group + 10, p.y);
        real(group + 20, 0.0);
    }
    std::string handle() { return hex(m_nextHandle++); }
    std::string nextHandle() const { return hex(m_nextHandle); }

    const std::string& text() const { return m_text; }

    static std::string hex(unsigned value)
    {
        std::array<char, 16> number {};
        const auto end = std::to_chars(number.data(), number.data() + number.size(), value, 16).ptr;
        std::string text(number.data(), end);
        std::transform(text.begin(), text.end(), text.begin(), [](char c) { return char(std::toupper(c)); });
        return text;
    }

private:
    std::string m_text;
    unsigned m_nextHandle = 1;
};

struct Extents {
    Point min { std::numeric_limits<double>::max(), std::numeric_limits<double>::max() };
    Point max { std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest() };
    void add(Point p)
    {
        min = { std::min(min.x, p.x), std::min(min.y, p.y) };
        max = { std::max(max.x, p.x), std::max(max.y, p.y) };
    }
    bool empty() const { return min.x > max.x; }
};

// A symbol table: its head, then records made by `entry`, each given the table's handle.
template <typename Entries>
void table(Tags& out, std::string_view name, int count, Entries entries, bool dimStyle = false)
{
    out.code(0, "TABLE");
    out.code(2, name);
    const std::string handle = out.handle();
    out.code(5, handle);
    out.code(330, "0");
    out.code(100, "AcDbSymbolTable");
    out.code(70, count);
    if (dimStyle)
        out.code(100, "AcDbDimStyleTable");
    entries(handle);
    out.code(0, "ENDTAB");
}

void record(Tags& out, std::string_view type, std::string_view subclass, const std::string& owner, int handleCode = 5)
{
    out.code(0, type);
    out.code(handleCode, out.handle());
    out.code(330, owner);
    out.code(100, "AcDbSymbolTableRecord");
    out.code(100, subclass);
}

void lineType(Tags& out, const std::string& owner, std::string_view name, std::string_view description,
    const double* pattern, int count)
{
    record(out, "LTYPE", "AcDbLinetypeTableRecord", owner);
    out.code(2, name);
    out.code(70, 0);
    out.code(3, description);
    out.code(72, 65);
    out.code(73, count);
    double total = 0;
    for (int i = 0; i < count; ++i)
        total += std::abs(pattern[i]);
    out.real(40, total);
    for (int i = 0; i < count; ++i) {
        out.real(49, pattern[i]);
        out.code(74, 0);
    }
}

void entityHead(Tags& out, std::string_view type, const std::string& owner, std::string_view layer)
{
    out.code(0, type);
    out.code(5, out.handle());
    out.code(330, owner);
    out.code(100, "AcDbEntity");
    out.code(8, layer);
}

void headerVariable(Tags& out, std::string_view name)
{
    out.code(9, name);
}

} // namespace

DxfDrawing::DxfDrawing(std::vector<Layer> layers)
    : m_layers(std::move(layers))
{
}

void DxfDrawing::addLine(int layer, Point from, Point to, double lineTypeScale)
{
    m_lines.push_back({ layer, from, to, lineTypeScale });
}

void DxfDrawing::addCircle(int layer, Point centre, double radius)
{
    m_circles.push_back({ layer, centre, radius });
}

QByteArray DxfDrawing::text() const
{
    Extents extents;
    for (const Line& line : m_lines) {
        extents.add(line.from);
        extents.add(line.to);
    }
    for (const Circle& circle : m_circles) {
        extents.add({ circle.centre.x - circle.radius, circle.centre.y - circle.radius });
        extents.add({ circle.centre.x + circle.radius, circle.centre.y + circle.radius });
    }
    if (extents.empty())
        extents.add({ 0, 0 });

    // Handles are given out in the order the file names them; the seed, written first, is
    // known only at the end, so the header is written last and put in front.
    Tags body;

    body.code(0, "SECTION");
    body.code(2, "CLASSES");
    body.code(0, "ENDSEC");

    body.code(0, "SECTION");
    body.code(2, "TABLES");

    table(body, "VPORT", 1, [&](const std::string& owner) {
        record(body, "VPORT", "AcDbViewportTableRecord", owner);
        body.code(2, "*ACTIVE");
        body.code(70, 0);
        body.point(10, { 0, 0 });
        body.point(11, { 1, 1 });
        body.real(12, (extents.min.x + extents.max.x) / 2);
        body.real(22, (extents.min.y + extents.max.y) / 2);
        body.real(40, std::max(extents.max.y - extents.min.y, extents.max.x - extents.min.x) * 1.2);
        body.real(41, 1.5);
    });

    table(body, "LTYPE", 4, [&](const std::string& owner) {
        lineType(body, owner, "ByBlock", "", nullptr, 0);
        lineType(body, owner, "ByLayer", "", nullptr, 0);
        lineType(body, owner, kContinuous, "Solid line", nullptr, 0);
        lineType(body, owner, kCentre, "Center ____ _ ____ _", kCentrePattern.data(), int(kCentrePattern.size()));
    });

    table(body, "LAYER", int(m_layers.size()) + 1, [&](const std::string& owner) {
        auto layer = [&](std::string_view name, int colour, std::string_view type, int weight) {
            record(body, "LAYER", "AcDbLayerTableRecord", owner);
            body.code(2, name);
            body.code(70, 0);
            body.code(62, colour);
            body.code(6, type);
            body.code(370, weight);
        };
        layer("0", 7, kContinuous, -3);
        for (const Layer& l : m_layers)
            layer(l.name, l.colour, l.lineType, l.lineWeight);
    });

    table(body, "STYLE", 1, [&](const std::string& owner) {
        record(body, "STYLE", "AcDbTextStyleTableRecord", owner);
        body.code(2, "Standard");
        body.code(70, 0);
        body.real(40, 0);
        body.real(41, 1);
        body.real(50, 0);
        body.code(71, 0);
        body.real(42, 2.5);
        body.code(3, "txt");
        body.code(4, "");
    });

    table(body, "VIEW", 0, [](const std::string&) {});
    table(body, "UCS", 0, [](const std::string&) {});

    table(body, "APPID", 1, [&](const std::string& owner) {
        record(body, "APPID", "AcDbRegAppTableRecord", owner);
        body.code(2, "ACAD");
        body.code(70, 0);
    });

    table(
        body, "DIMSTYLE", 1,
        [&](const std::string& owner) {
            record(body, "DIMSTYLE", "AcDbDimStyleTableRecord", owner, 105);
            body.code(2, "Standard");
            body.code(70, 0);
        },
        true);

    std::string modelRecord, paperRecord;
    table(body, "BLOCK_RECORD", 2, [&](const std::string& owner) {
        modelRecord = body.nextHandle();
        record(body, "BLOCK_RECORD", "AcDbBlockTableRecord", owner);
        body.code(2, "*Model_Space");
        paperRecord = body.nextHandle();
        record(body, "BLOCK_RECORD", "AcDbBlockTableRecord", owner);
        body.code(2, "*Paper_Space");
    });

    body.code(0, "ENDSEC");

    body.code(0, "SECTION");
    body.code(2, "BLOCKS");
    auto block = [&](std::string_view name, const std::string& owner, bool paper) {
        // BLOCK and ENDBLK open alike: handle, owner, paper space flag, layer, then their own class.
        auto opening = [&](std::string_view type, std::string_view subclass) {
            body.code(0, type);
            body.code(5, body.handle());
            body.code(330, owner);
            body.code(100, "AcDbEntity");
            if (paper)
                body.code(67, 1);
            body.code(8, "0");
            body.code(100, subclass);
        };
        opening("BLOCK", "AcDbBlockBegin");
        body.code(2, name);
        body.code(70, 0);
        body.point(10, { 0, 0 });
        body.code(3, name);
        body.code(1, "");
        opening("ENDBLK", "AcDbBlockEnd");
    };
    block("*Model_Space", modelRecord, false);
    block("*Paper_Space", paperRecord, true);
    body.code(0, "ENDSEC");

    body.code(0, "SECTION");
    body.code(2, "ENTITIES");
    for (const Line& line : m_lines) {
        entityHead(body, "LINE", modelRecord, m_layers.at(std::size_t(line.layer)).name);
        if (line.lineTypeScale != 1.0)
            body.real(48, line.lineTypeScale);
        body.code(100, "AcDbLine");
        body.point(10, line.from);
        body.point(11, line.to);
    }
    for (const Circle& circle : m_circles) {
        entityHead(body, "CIRCLE", modelRecord, m_layers.at(std::size_t(circle.layer)).name);
        body.code(100, "AcDbCircle");
        body.point(10, circle.centre);
        body.real(40, circle.radius);
    }
    body.code(0, "ENDSEC");

    body.code(0, "SECTION");
    body.code(2, "OBJECTS");
    const std::string root = body.handle();
    const std::string groups = body.nextHandle();
    body.code(0, "DICTIONARY");
    body.code(5, root);
    body.code(330, "0");
    body.code(100, "AcDbDictionary");
    body.code(281, 1);
    body.code(3, "ACAD_GROUP");
    body.code(350, groups);
    body.code(0, "DICTIONARY");
    body.code(5, body.handle());
    body.code(330, root);
    body.code(100, "AcDbDictionary");
    body.code(281, 1);
    body.code(0, "ENDSEC");
    body.code(0, "EOF");

    Tags head;
    head.code(0, "SECTION");
    head.code(2, "HEADER");
    headerVariable(head, "$ACADVER");
    head.code(1, "AC1015");
    headerVariable(head, "$DWGCODEPAGE");
    head.code(3, "ANSI_1252");
    headerVariable(head, "$INSBASE");
    head.point(10, { 0, 0 });
    headerVariable(head, "$EXTMIN");
    head.point(10, extents.min);
    headerVariable(head, "$EXTMAX");
    head.point(10, extents.max);
    headerVariable(head, "$LTSCALE");
    head.real(40, 1);
    headerVariable(head, "$LUNITS");
    head.code(70, 2);
    headerVariable(head, "$INSUNITS");
    head.code(70, 4);
    headerVariable(head, "$MEASUREMENT");
    head.code(70, 1);
    headerVariable(head, "$HANDSEED");
    head.code(5, body.nextHandle());
    head.code(0, "ENDSEC");

    return QByteArray::fromStdString(head.text() + body.text());
}

} // namespace quill::cad
