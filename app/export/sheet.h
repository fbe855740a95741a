#pragma once

#include <QDate>
#include <QList>
#include <QRect>
#include <QString>

#include <array>

class QPainter;

// The printed sheet of the size shown: one A4 landscape page with the title, the three drawings
// with their values, the chosen length, a table of all values with their 区分 and the program.
// Made from the window's data, painted the same way for the printer and the PDF.
namespace sheet {

// A text on a drawing where the window has a label: a value in its framed box or a caption.
struct DrawingText {
    enum class Kind { Value, Caption, WrappedCaption };
    Kind kind;
    QRect box; // pixels inside the picture area's border, as the window places it
    QString text;
    double points; // the window's font size; 0 for its default font
};

struct Drawing {
    QString title; // the tab page's caption
    QString image; // the drawing drawn for twice the window's pixels (resource path)
    QList<DrawingText> texts;
};

// One line of the table: a dimension with its value, its 区分 and, for a blank, why it is blank.
struct Row {
    QString symbol;
    QString name;
    QString value;
    QString category;
    QString reason;
};

struct Content {
    QString designation;
    std::array<Drawing, 3> drawings;
    QList<Row> lengths; // l, ls, lg, b
    QStringList lengthNotes; // where ls, lg and b come from
    QList<Row> values; // every field of the record
    QString program;
    QString version;
    QDate date;
};

// The page size the sheet is laid out for.
inline constexpr double kPageWidthMm = 297;
inline constexpr double kPageHeightMm = 210;

// Paints the sheet on a device whose paper (its top-left corner at the device's origin) has
// dotsPerMm device pixels to the millimetre. Fonts are set in points, so the device's logical
// resolution must be its real one (as for QPdfWriter and QPrinter).
void paint(QPainter& painter, double dotsPerMm, const Content& content);

} // namespace sheet
