#include "designfont.h"
#include "sheet.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace sheet {

namespace {

// The layout, in millimetres on the page.
constexpr double kMargin = 10;
constexpr double kContentWidth = kPageWidthMm - 2 * kMargin;
constexpr double kTitleTop = kMargin;
constexpr double kDrawingGap = 5;
constexpr double kDrawingTitleTop = 21;
constexpr double kDrawingTop = 25.5;
// What the picture area shows of a drawing: its inner part, inside the border (Part of the window).
constexpr QSize kShownPixels(561, 329);
constexpr double kDrawingWidth = (kContentWidth - 2 * kDrawingGap) / 3;
constexpr double kMmPerPixel = kDrawingWidth / kShownPixels.width();
constexpr double kDrawingHeight = kShownPixels.height() * kMmPerPixel;
constexpr double kLengthsTop = kDrawingTop + kDrawingHeight + 3.5;
constexpr double kRowHeight = 6.0;
constexpr double kTableGap = 6;
constexpr double kFooterTop = kPageHeightMm - kMargin - 4;
// The window's fonts are set for 96 dots to the inch: on paper a drawing pixel is kMmPerPixel.
constexpr double kDrawingFontScale = kMmPerPixel / (25.4 / 96);

constexpr double kThinLine = 0.18;
const QColor kInk(0, 0, 0);
const QColor kHeaderFill(225, 225, 225);

// Table columns as shares of a half's width: symbol, name, value, 区分.
constexpr std::array<double, 4> kColumns { 0.12, 0.53, 0.15, 0.20 };
constexpr int kValueColumn = 2;
constexpr double kTablePoints = 9;

class Page {
public:
    Page(QPainter& painter, double dotsPerMm)
        : m_painter(painter)
        , m_dots(dotsPerMm)
    {
    }

    double mm(double v) const { return v * m_dots; }
    QRectF rect(double left, double top, double width, double height) const
    {
        return { mm(left), mm(top), mm(width), mm(height) };
    }

    QFont font(double points) const { return m_fonts.design(points); }
    QFont defaultFont(double points) const
    {
        QFont f = m_fonts.windowDefault();
        f.setPointSizeF(points);
        return f;
    }

    void pen(double widthMm)
    {
        QPen p(kInk);
        p.setWidthF(mm(widthMm));
        p.setJoinStyle(Qt::MiterJoin);
        m_painter.setPen(p);
    }

    // Text in a box; returns the height it took, in millimetres.
    // Text in a box, aligned, with Qt::TextFlag values such as Qt::TextWordWrap as layout.
    double text(const QRectF& box, Qt::Alignment align, const QString& text, const QFont& font, int layout = 0)
    {
        m_painter.setFont(font);
        m_painter.setPen(kInk);
        QRectF used;
        m_painter.drawText(box, static_cast<int>(align.toInt()) | layout, text, &used);
        return used.height() / m_dots;
    }

    QPainter& painter() { return m_painter; }

private:
    QPainter& m_painter;
    double m_dots;
    DesignFonts m_fonts;
};

// The largest size at or below points at which text fits the width, down to minimum; 0 when
// even that is too wide.
double fittingPoints(
    QPaintDevice* device, const QFont& base, const QString& text, double width, double points, double minimum)
{
    for (double size = points; size >= minimum - 1e-9; size -= 0.25) {
        QFont font = base;
        font.setPointSizeF(size);
        if (QFontMetricsF(font, device).horizontalAdvance(text) <= width)
            return size;
    }
    return 0;
}

void paintDrawing(Page& page, const Drawing& drawing, double left)
{
    page.text(page.rect(left, kDrawingTitleTop, kDrawingWidth, 4), Qt::AlignLeft | Qt::AlignBottom, drawing.title,
        page.font(8));

    QPainter& painter = page.painter();
    const QRectF area = page.rect(left, kDrawingTop, kDrawingWidth, kDrawingHeight);
    QImageReader reader(drawing.image, "bmp");
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    // The "@2x" name gives the image a pixel ratio of 2; Windows printing tiles the picture
    // through a painter that honours it and would fill only a quarter of the area.
    image.setDevicePixelRatio(1);
    // Drawn for twice the window's pixels: the picture area's part of it fills the area.
    const QRectF source(0, 0, kShownPixels.width() * 2.0, kShownPixels.height() * 2.0);
    painter.drawImage(area, image, source);
    page.pen(kThinLine);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);

    const double pixel = page.mm(kMmPerPixel);
    auto place = [&](const QRect& box) {
        return QRectF(area.left() + box.left() * pixel, area.top() + box.top() * pixel, box.width() * pixel,
            box.height() * pixel);
    };
    for (const DrawingText& t : drawing.texts) {
        const QRectF box = place(t.box);
        const double points = (t.points > 0 ? t.points : 9) * kDrawingFontScale;
        const QFont base = t.points > 0 ? page.font(points) : page.defaultFont(points);
        if (t.kind != DrawingText::Kind::Value) {
            const int layout = Qt::TextDontClip | (t.kind == DrawingText::Kind::WrappedCaption ? Qt::TextWordWrap : 0);
            page.text(box, Qt::AlignLeft | Qt::AlignTop, t.text, base, layout);
            continue;
        }
        // A value: white, framed by a line one window pixel wide, the text centred; too wide for
        // the box, smaller, as in the window.
        QPen frame(kInk);
        frame.setWidthF(pixel);
        painter.setPen(frame);
        painter.setBrush(Qt::white);
        painter.drawRect(box.adjusted(pixel / 2, pixel / 2, -pixel / 2, -pixel / 2));
        const double room = box.width() - 4 * pixel;
        const double fits = fittingPoints(painter.device(), base, t.text, room, points, 7 * kDrawingFontScale);
        QFont font = base;
        font.setPointSizeF(fits > 0 ? fits : points);
        page.text(box, Qt::AlignCenter, fits > 0 ? t.text : QStringLiteral("###"), font);
    }
}

// The rows of a half of the table, with its header.
void paintTable(Page& page, const QList<Row>& rows, qsizetype first, qsizetype count, double left, double top,
    double width, const QList<int>& noteOf)
{
    QPainter& painter = page.painter();
    const QStringList header { QStringLiteral("記号"), QStringLiteral("名称"), QStringLiteral("値"),
        QStringLiteral("区分") };
    double columnLeft[5];
    columnLeft[0] = left;
    for (int c = 0; c < 4; ++c)
        columnLeft[c + 1] = columnLeft[c] + kColumns[std::size_t(c)] * width;

    painter.setPen(Qt::NoPen);
    painter.setBrush(kHeaderFill);
    painter.drawRect(page.rect(left, top, width, kRowHeight));
    const QFont font = page.font(kTablePoints);
    const double pad = 1.2;
    for (int c = 0; c < 4; ++c)
        page.text(page.rect(columnLeft[c] + pad, top, columnLeft[c + 1] - columnLeft[c] - 2 * pad, kRowHeight),
            Qt::AlignVCenter | (c == kValueColumn ? Qt::AlignRight : Qt::AlignLeft), header[c], font);

    for (qsizetype i = 0; i < count; ++i) {
        const Row& row = rows[first + i];
        const double y = top + (double(i) + 1) * kRowHeight;
        QString value = row.value;
        if (value.isEmpty()) {
            const int note = noteOf[first + i];
            value = note > 0 ? QStringLiteral("空欄 ※%1").arg(note) : QStringLiteral("空欄");
        }
        const QString cells[] = { row.symbol, row.name, value, row.category };
        for (int c = 0; c < 4; ++c) {
            const double cellWidth = columnLeft[c + 1] - columnLeft[c] - 2 * pad;
            QFont cellFont = font;
            const double fits = fittingPoints(painter.device(), font, cells[c], page.mm(cellWidth), kTablePoints, 5);
            if (fits > 0)
                cellFont.setPointSizeF(fits);
            page.text(page.rect(columnLeft[c] + pad, y, cellWidth, kRowHeight),
                Qt::AlignVCenter | (c == kValueColumn ? Qt::AlignRight : Qt::AlignLeft), cells[c], cellFont);
        }
    }

    page.pen(kThinLine);
    painter.setBrush(Qt::NoBrush);
    const double bottom = top + double(count + 1) * kRowHeight;
    for (qsizetype i = 0; i <= count + 1; ++i) {
        const double y = top + double(i) * kRowHeight;
        painter.drawLine(QPointF(page.mm(left), page.mm(y)), QPointF(page.mm(left + width), page.mm(y)));
    }
    for (double x : columnLeft)
        painter.drawLine(QPointF(page.mm(x), page.mm(top)), QPointF(page.mm(x), page.mm(bottom)));
}

} // namespace

void paint(QPainter& painter, double dotsPerMm, const Content& content)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Line drawings: JPEG would blur every line.
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    Page page(painter, dotsPerMm);

    // Title line.
    const QString title = content.designation + QStringLiteral("　六角穴付ボルト　JIS B 1176(1988)");
    page.text(page.rect(kMargin, kTitleTop, kContentWidth, 8), Qt::AlignLeft | Qt::AlignVCenter, title, page.font(16));
    page.text(page.rect(kMargin, kTitleTop, kContentWidth, 8), Qt::AlignRight | Qt::AlignVCenter,
        QStringLiteral("単位：mm"), page.font(9));
    page.pen(0.35);
    painter.drawLine(QPointF(page.mm(kMargin), page.mm(kTitleTop + 9)),
        QPointF(page.mm(kMargin + kContentWidth), page.mm(kTitleTop + 9)));

    for (std::size_t i = 0; i < content.drawings.size(); ++i)
        paintDrawing(page, content.drawings[i], kMargin + double(i) * (kDrawingWidth + kDrawingGap));

    // The chosen length and its three lengths, with where they come from.
    QStringList parts;
    for (const Row& row : content.lengths)
        parts << row.name + QLatin1Char(' ') + row.symbol + QStringLiteral(" = ") + row.value;
    double y = kLengthsTop;
    y += page.text(page.rect(kMargin, y, kContentWidth, 6), Qt::AlignLeft | Qt::AlignTop,
        parts.join(QStringLiteral("　　")), page.font(9.5));
    if (!content.lengthNotes.isEmpty())
        y += page.text(page.rect(kMargin, y + 0.8, kContentWidth, 12), Qt::AlignLeft | Qt::AlignTop,
            content.lengthNotes.join(QStringLiteral("　")), page.font(7), Qt::TextWordWrap);

    // The blanks' reasons, each written once, numbered in table order.
    QStringList reasons;
    QList<QStringList> reasonSymbols;
    QList<int> noteOf;
    for (const Row& row : content.values) {
        int note = 0;
        if (row.value.isEmpty() && !row.reason.isEmpty()) {
            qsizetype at = reasons.indexOf(row.reason);
            if (at < 0) {
                reasons << row.reason;
                reasonSymbols << QStringList();
                at = reasons.size() - 1;
            }
            reasonSymbols[at] << row.symbol;
            note = int(at) + 1;
        }
        noteOf << note;
    }

    const double tableTop = y + 3.5;
    const double halfWidth = (kContentWidth - kTableGap) / 2;
    const qsizetype firstHalf = (content.values.size() + 1) / 2;
    paintTable(page, content.values, 0, firstHalf, kMargin, tableTop, halfWidth, noteOf);
    paintTable(page, content.values, firstHalf, content.values.size() - firstHalf, kMargin + halfWidth + kTableGap,
        tableTop, halfWidth, noteOf);

    y = tableTop + double(firstHalf + 1) * kRowHeight + 2.5;
    for (qsizetype i = 0; i < reasons.size(); ++i) {
        const QString note
            = QStringLiteral("※%1　%2：%3").arg(i + 1).arg(reasonSymbols[i].join(QStringLiteral("、")), reasons[i]);
        y += page.text(page.rect(kMargin, y, kContentWidth, kFooterTop - y), Qt::AlignLeft | Qt::AlignTop, note,
                 page.font(7.5), Qt::TextWordWrap)
            + 0.8;
    }

    // Footer: the program, its version and the day the sheet was made.
    page.pen(kThinLine);
    painter.drawLine(QPointF(page.mm(kMargin), page.mm(kFooterTop - 1)),
        QPointF(page.mm(kMargin + kContentWidth), page.mm(kFooterTop - 1)));
    const QString footer = content.program + QStringLiteral("　Ver ") + content.version;
    page.text(
        page.rect(kMargin, kFooterTop, kContentWidth, 4), Qt::AlignLeft | Qt::AlignVCenter, footer, page.font(7.5));
    page.text(page.rect(kMargin, kFooterTop, kContentWidth, 4), Qt::AlignRight | Qt::AlignVCenter,
        content.date.toString(Qt::ISODate) + QStringLiteral(" 作成"), page.font(7.5));
    painter.restore();
}

} // namespace sheet
