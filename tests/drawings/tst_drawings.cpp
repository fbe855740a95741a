#include "drawings.h"
#include "testmain.h"
#include "tst_drawings_probe.h"
#include "tst_drawings_rows.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

// The drawings and the icon as the program loads them from its resources, checked against the description
// of each drawing: listed pixels and lines, dashes, arrowheads, hatching, colours and the 2x variants.
class TestDrawings : public QObject {
    Q_OBJECT

private:
    std::map<std::pair<QString, int>, probe::Sheet> sheets_;

    static QString imagePath(const QString& picture, int scale)
    {
        return QStringLiteral(":/drawings/") + picture
            + (scale == 2 ? QStringLiteral("@2x.bmp") : QStringLiteral(".bmp"));
    }

    const probe::Sheet& sheet(const QString& picture, int scale)
    {
        auto it = sheets_.find({ picture, scale });
        if (it == sheets_.end()) {
            it = sheets_.emplace(std::make_pair(picture, scale), probe::Sheet(QImage(imagePath(picture, scale)), scale))
                     .first;
        }
        return it->second;
    }

    static void pictureColumns()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<int>("scale");
    }

    static void eachImage()
    {
        pictureColumns();
        QTest::addColumn<QSize>("size");
        for (int scale : { 1, 2 }) {
            const char* suffix = scale == 1 ? " @1x" : " @2x";
            QTest::newRow(QByteArray("picture1").append(suffix)) << "picture1" << scale << QSize(597, 391) * scale;
            QTest::newRow(QByteArray("picture2").append(suffix)) << "picture2" << scale << QSize(576, 367) * scale;
            QTest::newRow(QByteArray("picture3").append(suffix)) << "picture3" << scale << QSize(570, 365) * scale;
        }
    }

private slots:
    // 8-bit indexed, the listed size, exactly the three colours, all drawn content inside x 13-545, y 20-320,
    // and no body grey touching the background (every body has its outline).
    void images_data() { eachImage(); }
    void images()
    {
        QFETCH(QString, picture);
        QFETCH(int, scale);
        QFETCH(QSize, size);
        QImageReader reader(imagePath(picture, scale));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), size);
        QCOMPARE(image.format(), QImage::Format_Indexed8);
        const QList<QRgb> table = image.colorTable();
        const std::set<QRgb> colours(table.begin(), table.end());
        QCOMPARE(colours, (std::set<QRgb> { probe::background, probe::body, probe::ink }));

        const probe::Sheet& s = sheet(picture, scale);
        const QRect content(QPoint(13 * scale, 20 * scale), QPoint(546 * scale - 1, 321 * scale - 1));
        std::set<QRgb> used;
        for (int y = 0; y < s.height(); ++y) {
            for (int x = 0; x < s.width(); ++x) {
                const QRgb c = s.at(x, y);
                used.insert(c);
                if (c != probe::background && !content.contains(x, y))
                    QFAIL(qPrintable(QStringLiteral("drawn pixel outside the content area at %1,%2").arg(x).arg(y)));
                if (c == probe::body)
                    for (QPoint d : { QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1) })
                        if (s.at(x + d.x(), y + d.y()) == probe::background)
                            QFAIL(qPrintable(QStringLiteral("body grey meets the background at %1,%2").arg(x).arg(y)));
            }
        }
        QCOMPARE(used, colours);
    }

    void solidLines_data()
    {
        pictureColumns();
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<bool>("openStart");
        QTest::addColumn<bool>("openEnd");
        rows::screwLines();
        rows::counterboreLines();
        rows::washerLines();
    }
    void solidLines()
    {
        QFETCH(QString, picture);
        QFETCH(int, scale);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(bool, openStart);
        QFETCH(bool, openEnd);
        QVERIFY(from.x() == to.x() || from.y() == to.y());
        const probe::Sheet& s = sheet(picture, scale);
        const QPoint step((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
        for (QPoint p = from;; p += step) {
            if (!s.blockAll(p, probe::ink))
                QFAIL(qPrintable(QStringLiteral("no ink at %1,%2").arg(p.x()).arg(p.y())));
            if (p == to)
                break;
        }
        // At 2x a slanted line close by may touch a corner of the block: the line itself would fill it.
        if (openStart)
            QVERIFY2(s.inkShare(from - step) <= 0.5, "the line goes on before its start");
        if (openEnd)
            QVERIFY2(s.inkShare(to + step) <= 0.5, "the line goes on past its end");
    }

    void pixels_data()
    {
        pictureColumns();
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("kind");
        rows::screwPixels();
        rows::counterborePixels();
        rows::washerPixels();
    }
    void pixels()
    {
        QFETCH(QString, picture);
        QFETCH(int, scale);
        QFETCH(QPoint, point);
        QFETCH(QString, kind);
        const probe::Sheet& s = sheet(picture, scale);
        if (kind == QLatin1String("body"))
            QVERIFY(s.blockAll(point, probe::body));
        else if (kind == QLatin1String("background"))
            QVERIFY(s.blockAll(point, probe::background));
        else if (kind == QLatin1String("ink"))
            QVERIFY(s.blockAll(point, probe::ink));
        else if (kind == QLatin1String("clear"))
            QVERIFY(s.inkShare(point) <= 0.5);
        else if (kind == QLatin1String("near ink")) {
            bool found = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    found = found || s.blockAny(point + QPoint(dx, dy), probe::ink);
            QVERIFY(found);
        } else {
            QFAIL("unknown kind of pixel");
        }
    }

    // Centre lines: long dashes of 30 to 45, short ones of 6 or 7, gaps of 4 or 5, long and short in turn,
    // a short dash where two centre lines cross. Hidden edges: 7-pixel dashes, 2-pixel gaps.
    void dashes_data()
    {
        pictureColumns();
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QPoint>("crossing");
        rows::screwDashes();
        rows::counterboreDashes();
    }
    void dashes()
    {
        QFETCH(QString, picture);
        QFETCH(int, scale);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QString, kind);
        QFETCH(QPoint, crossing);
        const probe::Sheet& s = sheet(picture, scale);
        const std::vector<probe::Run> runs = probe::runsAlong(s, from, to);
        QVERIFY(!runs.empty());
        QVERIFY2(runs.front().dash && runs.back().dash, "the line does not begin and end with a dash");
        const bool centre = kind == QLatin1String("centre");
        int longs = 0, shorts = 0, gaps = 0;
        const probe::Run* previousDash = nullptr;
        for (const probe::Run& run : runs) {
            const QString where = QStringLiteral(" at %1..%2 (device)").arg(run.first).arg(run.last);
            if (!run.measured) {
                if (run.dash)
                    previousDash = nullptr;
                continue;
            }
            const double len = double(run.length()) / scale;
            if (!run.dash) {
                ++gaps;
                const bool ok = centre ? len >= 4 && len <= 5 : len == 2;
                QVERIFY2(ok, qPrintable(QStringLiteral("gap of %1").arg(len) + where));
                continue;
            }
            const bool isLong = len >= 30 && len <= 45;
            const bool isShort = len >= 6 && len <= 7;
            if (centre) {
                QVERIFY2(isLong || isShort, qPrintable(QStringLiteral("dash of %1").arg(len) + where));
                longs += isLong;
                shorts += isShort;
                if (previousDash) {
                    const double before = double(previousDash->length()) / scale;
                    QVERIFY2(
                        (before <= 7) != isShort, qPrintable(QStringLiteral("long and short not in turn") + where));
                }
                previousDash = &run;
            } else {
                QVERIFY2(len == 7, qPrintable(QStringLiteral("hidden dash of %1").arg(len) + where));
                ++longs;
            }
        }
        QVERIFY2(longs >= 1 && gaps >= 1, "too few dashes and gaps seen to judge the pattern");
        const int length = std::abs(to.x() - from.x()) + std::abs(to.y() - from.y()) + 1;
        if (centre && length > 100)
            QVERIFY2(shorts >= 1, "no short dash seen");
        if (crossing != QPoint(-1, -1)) {
            const bool horizontal = from.y() == to.y();
            const int at = (horizontal ? crossing.x() : crossing.y()) * scale;
            const auto hit = std::find_if(
                runs.begin(), runs.end(), [at](const probe::Run& r) { return r.first <= at && at <= r.last; });
            QVERIFY(hit != runs.end());
            QVERIFY2(hit->dash && hit->measured && hit->length() <= 7 * scale && hit->length() >= 6 * scale,
                "the crossing does not fall on a short dash");
        }
    }

    void arrowheads_data()
    {
        pictureColumns();
        QTest::addColumn<QPoint>("tip");
        QTest::addColumn<QPoint>("tail");
        rows::screwArrows();
        rows::counterboreArrows();
        rows::washerArrows();
    }
    void arrowheads()
    {
        QFETCH(QString, picture);
        QFETCH(int, scale);
        QFETCH(QPoint, tip);
        QFETCH(QPoint, tail);
        const probe::ArrowFit fit = probe::fitArrow(sheet(picture, scale), tip, tail, 3.0);
        QVERIFY2(fit.distance >= 0, qPrintable(fit.why));
    }

    // Every filled area of ink is one of the listed arrowheads, and every listed arrowhead is there.
    void arrowheadCount_data()
    {
        pictureColumns();
        QTest::addColumn<int>("count");
        for (int scale : { 1, 2 }) {
            const QByteArray suffix = scale == 1 ? " @1x" : " @2x";
            QTest::newRow(QByteArray("picture1: 26 arrowheads" + suffix)) << "picture1" << scale << 26;
            QTest::newRow(QByteArray("picture2: 20 arrowheads" + suffix)) << "picture2" << scale << 20;
            QTest::newRow(QByteArray("picture3: 24 arrowheads" + suffix)) << "picture3" << scale << 24;
        }
    }
    void arrowheadCount()
    {
        QFETCH(QString, picture);
        QFETCH(int, scale);
        QFETCH(int, count);
        QCOMPARE(probe::inkAreas(sheet(picture, scale)).areas, count);
    }

    // The window lays its value labels over the drawings; none of them may cover any arrowhead pixel.
    void labelsClearOfArrowheads_data()
    {
        pictureColumns();
        QTest::addColumn<QRect>("twips");
        rows::screwLabels();
        rows::counterboreLabels();
        rows::washerLabels();
    }
    void labelsClearOfArrowheads()
    {
        QFETCH(QString, picture);
        QFETCH(int, scale);
        QFETCH(QRect, twips);
        const auto key = std::make_pair(picture, scale);
        if (!areas_.count(key))
            areas_.emplace(key, probe::inkAreas(sheet(picture, scale)));
        const probe::InkAreas& areas = areas_.at(key);
        QCOMPARE(twips.x() % 15 + twips.y() % 15 + twips.width() % 15 + twips.height() % 15, 0);
        const QRect spot(
            twips.x() / 15 * scale, twips.y() / 15 * scale, twips.width() / 15 * scale, twips.height() / 15 * scale);
        for (int y = spot.top(); y <= spot.bottom(); ++y)
            for (int x = spot.left(); x <= spot.right(); ++x)
                if (areas.covers(x, y))
                    QFAIL(qPrintable(QStringLiteral("the label covers an arrowhead at %1,%2 (device)").arg(x).arg(y)));
    }

    // 45-degree hatch lines at the listed spacing along a row, rising or falling to the right.
    void hatching_data()
    {
        pictureColumns();
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("x0");
        QTest::addColumn<int>("x1");
        QTest::addColumn<int>("spacingHalves");
        QTest::addColumn<bool>("rising");
        rows::counterboreHatching();
        rows::washerHatching();
    }
    void hatching()
    {
        QFETCH(QString, picture);
        QFETCH(int, scale);
        QFETCH(int, y);
        QFETCH(int, x0);
        QFETCH(int, x1);
        QFETCH(int, spacingHalves);
        QFETCH(bool, rising);
        const probe::Sheet& s = sheet(picture, scale);
        const std::vector<double> centres = probe::hatchCrossings(s, y, x0, x1);
        QVERIFY2(centres.size() >= 3, "fewer than three hatch lines");
        const double spacing = spacingHalves / 2.0;
        for (std::size_t i = 1; i < centres.size(); ++i) {
            const double gap = (centres[i] - centres[i - 1]) / scale;
            QVERIFY2(std::abs(gap - spacing) <= 0.75, qPrintable(QStringLiteral("hatch lines %1 apart").arg(gap)));
        }
        const double mean = (centres.back() - centres.front()) / scale / double(centres.size() - 1);
        if (centres.size() >= 5)
            QVERIFY2(std::abs(mean - spacing) <= 0.3, qPrintable(QStringLiteral("mean spacing %1").arg(mean)));
        // Each crossing continues diagonally one and two pixels up and down, and not along the other diagonal.
        const int row = y * scale;
        const int dir = rising ? -1 : 1;
        for (double c : centres) {
            const int x = int(std::floor(c));
            if (x < (x0 + 2) * scale || x > (x1 - 2) * scale)
                continue;
            for (int k : { -2, -1, 1, 2 }) {
                QVERIFY2(s.black(x + k * scale, row + dir * k * scale),
                    qPrintable(QStringLiteral("hatch line at device x %1 is not at 45 degrees").arg(x)));
                QVERIFY2(!s.black(x + k * scale, row - dir * k * scale),
                    qPrintable(QStringLiteral("hatch line at device x %1 runs the other way").arg(x)));
            }
        }
    }

    // Plates have no outline at their ends: the hatching stops at the end column, nothing runs down it and
    // only crossing lines lie beyond it.
    void plateEnds_data()
    {
        pictureColumns();
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y0");
        QTest::addColumn<int>("y1");
        QTest::addColumn<int>("outward");
        QTest::addColumn<int>("tolerance");
        rows::counterborePlateEnds();
        rows::washerPlateEnds();
    }
    void plateEnds()
    {
        QFETCH(QString, picture);
        QFETCH(int, scale);
        QFETCH(int, x);
        QFETCH(int, y0);
        QFETCH(int, y1);
        QFETCH(int, outward);
        QFETCH(int, tolerance);
        const probe::Sheet& s = sheet(picture, scale);
        // The outermost column that the hatching reaches, within the tolerance of the listed end.
        int end = x - tolerance * outward;
        const int expectRows = (y1 - y0 + 1) / 20;
        for (int c = x - tolerance * outward; c != x + (tolerance + 1) * outward; c += outward)
            if (probe::inkRows(s, c, y0, y1) >= expectRows)
                end = c;
        QVERIFY2(std::abs(end - x) <= tolerance, qPrintable(QStringLiteral("the hatching ends at x %1").arg(end)));
        QVERIFY2(probe::inkRows(s, end, y0, y1) >= expectRows, "the hatching does not reach the end");
        QVERIFY2(probe::longestInkRun(s, end, y0, y1) <= 3, "an outline runs down the plate's end");
        QVERIFY2(probe::longestInkRun(s, end + outward, y0, y1) <= 1, "something runs down beside the plate's end");
        QVERIFY2(probe::inkRows(s, end + outward, y0, y1) <= 4, "the hatching goes on past the end");
    }

    // The head in the end view: a circle of diameter 76 over x 28-103, y 105-180.
    void headCircle_data()
    {
        pictureColumns();
        rows::both("picture1", "head circle");
    }
    void headCircle()
    {
        QFETCH(QString, picture);
        QFETCH(int, scale);
        const probe::Sheet& s = sheet(picture, scale);
        const QRect extent(28, 105, 76, 76);
        auto firstInk = [&](QPoint from, QPoint step) {
            for (QPoint p = from; extent.adjusted(-10, -10, 10, 10).contains(p); p += step)
                if (s.blockAny(p, probe::ink))
                    return p;
            return QPoint(-1, -1);
        };
        // Along rows and columns next to the centre lines, which run through the extremes.
        for (int k : { 138, 141, 143, 146 }) {
            QCOMPARE(firstInk({ 20, k }, { 1, 0 }).x(), extent.left());
            QCOMPARE(firstInk({ 110, k }, { -1, 0 }).x(), extent.right());
        }
        for (int k : { 61, 64, 66, 69 }) {
            QCOMPARE(firstInk({ k, 98 }, { 0, 1 }).y(), extent.top());
            QCOMPARE(firstInk({ k, 187 }, { 0, -1 }).y(), extent.bottom());
        }
        // Round all the way: ink on the circle, body inside it and none outside, every 10 degrees.
        const QPointF centre(66.0, 143.0);
        const double r = 37.5;
        for (int deg = 5; deg < 360; deg += 10) {
            const double a = deg * std::numbers::pi / 180;
            auto at = [&](double radius) {
                return QPoint(int(std::floor(centre.x() + radius * std::cos(a))),
                    int(std::floor(centre.y() + radius * std::sin(a))));
            };
            bool onCircle = false;
            for (double d = r - 1; d <= r + 1; d += 0.25)
                onCircle = onCircle || s.blockAny(at(d), probe::ink);
            QVERIFY2(onCircle, qPrintable(QStringLiteral("no circle at %1 degrees").arg(deg)));
            QVERIFY2(
                !s.blockAny(at(r - 3), probe::background), qPrintable(QStringLiteral("not inside at %1").arg(deg)));
            QVERIFY2(!s.blockAny(at(r + 3), probe::body), qPrintable(QStringLiteral("not outside at %1").arg(deg)));
        }
    }

    // The socket's conical bottom: hidden arcs reaching x 281 (outer) and 276 (inner) at the centre line.
    void socketBottom_data()
    {
        pictureColumns();
        QTest::addColumn<int>("y0");
        QTest::addColumn<int>("y1");
        QTest::addColumn<int>("x0");
        QTest::addColumn<int>("x1");
        QTest::addColumn<int>("reach");
        rows::both("picture1", "outer arc", 121, 164, 273, 294, 281);
        rows::both("picture1", "inner arc", 131, 153, 273, 278, 276);
    }
    void socketBottom()
    {
        QFETCH(QString, picture);
        QFETCH(int, scale);
        QFETCH(int, y0);
        QFETCH(int, y1);
        QFETCH(int, x0);
        QFETCH(int, x1);
        QFETCH(int, reach);
        const probe::Sheet& s = sheet(picture, scale);
        int furthest = -1;
        int rowsWithInk = 0;
        for (int y = y0; y <= y1; ++y) {
            if (y == 142) // the centre line
                continue;
            bool any = false;
            for (int x = x0; x <= x1; ++x)
                if (s.blockAny({ x, y }, probe::ink)) {
                    furthest = std::max(furthest, x);
                    any = true;
                }
            rowsWithInk += any;
        }
        QVERIFY2(std::abs(furthest - reach) <= 1, qPrintable(QStringLiteral("the arc reaches x %1").arg(furthest)));
        // Dashed: some rows of its height are gaps, most are not.
        const int height = y1 - y0;
        QVERIFY2(rowsWithInk >= height / 2 && rowsWithInk < height, "the arc is not a dashed curve");
    }

    // A spring washer shows its split as two strokes about 4 apart rising to the right; a plain one is bare.
    void washerSplit_data()
    {
        pictureColumns();
        QTest::addColumn<QRect>("washer");
        QTest::addColumn<bool>("spring");
        rows::washerSplits();
    }
    void washerSplit()
    {
        QFETCH(QString, picture);
        QFETCH(int, scale);
        QFETCH(QRect, washer);
        QFETCH(bool, spring);
        const probe::Sheet& s = sheet(picture, scale);
        std::vector<std::vector<int>> strokes;
        for (int y = washer.top() + 1; y < washer.bottom(); ++y) {
            std::vector<int> xs; // where each stroke starts along the row
            bool previous = false;
            for (int x = washer.left() + 1; x < washer.right(); ++x) {
                const bool inked = s.blockAny({ x, y }, probe::ink);
                if (inked && !previous)
                    xs.push_back(x);
                previous = inked;
            }
            strokes.push_back(xs);
        }
        if (!spring) {
            for (const auto& xs : strokes)
                QVERIFY2(xs.empty(), "a mark on a plain washer");
            return;
        }
        const int middle = (washer.left() + washer.right()) / 2;
        for (const auto& xs : strokes) {
            QCOMPARE(int(xs.size()), 2);
            QVERIFY2(xs[1] - xs[0] >= 3 && xs[1] - xs[0] <= 5, "strokes not about 4 apart");
            QVERIFY2(std::abs((xs[0] + xs[1]) / 2 - middle) <= 8, "split not near the middle");
        }
        QVERIFY2(strokes.front()[0] > strokes.back()[0], "the split does not rise to the right");
    }

    // The 2x images: the same drawing, every line two device pixels wide at the doubled coordinates.
    void doubleSizeMatches_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::newRow("picture1") << "picture1";
        QTest::newRow("picture2") << "picture2";
        QTest::newRow("picture3") << "picture3";
    }
    void doubleSizeMatches()
    {
        QFETCH(QString, picture);
        const probe::Sheet& one = sheet(picture, 1);
        const probe::Sheet& two = sheet(picture, 2);
        QCOMPARE(QSize(two.width(), two.height()), QSize(one.width(), one.height()) * 2);
        auto inkNear1 = [&](int x, int y) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (one.black(x + dx, y + dy))
                        return true;
            return false;
        };
        auto inkNear2 = [&](int x, int y) {
            for (int dy = -1; dy <= 2; ++dy)
                for (int dx = -1; dx <= 2; ++dx)
                    if (two.black(2 * x + dx, 2 * y + dy))
                        return true;
            return false;
        };
        int mismatches = 0;
        QString first;
        for (int y = 0; y < one.height(); ++y) {
            for (int x = 0; x < one.width(); ++x) {
                const QRgb c = one.at(x, y);
                bool ok = true;
                // Both follow the same lines through the same pixel centres: every 1x pixel of ink keeps some
                // ink in its own 2x block, and 2x ink lies next to 1x ink.
                if (c == probe::ink)
                    ok = two.blockAny({ x, y }, probe::ink);
                else if (two.blockAny({ x, y }, probe::ink))
                    ok = inkNear1(x, y);
                else if (!inkNear1(x, y) && !inkNear2(x, y))
                    ok = two.blockAll({ x, y }, c);
                if (!ok && mismatches++ == 0)
                    first = QStringLiteral("%1,%2").arg(x).arg(y);
            }
        }
        QVERIFY2(
            mismatches == 0, qPrintable(QStringLiteral("%1 pixels differ, first at %2").arg(mismatches).arg(first)));
    }

    // 32 x 32, colours of the standard 16, transparent exactly outside the book, with the green cover, white
    // and greys of the pages, and the yellow and olive gear on the right.
    void icon()
    {
        const QImage image = windowIconImage().pixmap(32, 32).toImage();
        QCOMPARE(image.size(), QSize(32, 32));
        QVERIFY(image.hasAlphaChannel());
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        const std::set<QRgb> vga { 0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080,
            0xffc0c0c0, 0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff,
            0xffffffff };
        std::map<QRgb, int> counts;
        std::map<QRgb, int> leftmost;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb c = argb.pixel(x, y);
                QVERIFY2(qAlpha(c) == 0 || qAlpha(c) == 255, "partial transparency");
                if (qAlpha(c) == 0)
                    continue;
                QVERIFY2(vga.count(c), qPrintable(QStringLiteral("colour %1 outside the 16").arg(c, 8, 16)));
                ++counts[c];
                leftmost.try_emplace(c, x);
                leftmost[c] = std::min(leftmost[c], x);
            }
        }
        for (QRgb needed :
            { 0xff000000u, 0xff00ff00u, 0xffffffffu, 0xffc0c0c0u, 0xff808080u, 0xffffff00u, 0xff808000u })
            QVERIFY2(counts[needed] >= 4, qPrintable(QStringLiteral("too little of %1").arg(needed, 8, 16)));
        QVERIFY2(leftmost[0xff00ff00] < 8, "the green cover edge is not at the left");
        QVERIFY2(leftmost[0xffffff00] >= 12, "the yellow gear is not on the right-hand page");
        QCOMPARE(qAlpha(argb.pixel(0, 0)) + qAlpha(argb.pixel(31, 0)) + qAlpha(argb.pixel(31, 31)), 0);
        // Transparent only around the book: every transparent pixel connects to the border.
        std::array<std::array<bool, 32>, 32> outside {};
        std::vector<QPoint> stack;
        for (int i = 0; i < 32; ++i)
            for (QPoint p : { QPoint(i, 0), QPoint(i, 31), QPoint(0, i), QPoint(31, i) })
                stack.push_back(p);
        while (!stack.empty()) {
            const QPoint p = stack.back();
            stack.pop_back();
            if (!argb.rect().contains(p) || outside[p.y()][p.x()] || qAlpha(argb.pixel(p)) != 0)
                continue;
            outside[p.y()][p.x()] = true;
            for (QPoint d : { QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1) })
                stack.push_back(p + d);
        }
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (qAlpha(argb.pixel(x, y)) == 0 && !outside[y][x])
                    QFAIL(qPrintable(QStringLiteral("a transparent hole inside the book at %1,%2").arg(x).arg(y)));
    }

    // The shipped .ico: one 32 x 32 4-bit image with its mask; it and the shipped PNG read back as the same
    // pixels as the window's icon.
    void iconFile()
    {
        QFile file(QStringLiteral(ROSTARI_SOURCE_DIR "/resources/rostari-bolt.ico"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.size() > 22 + 40);
        const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
        QCOMPARE(qFromLittleEndian<quint16>(b + 0), quint16(0));
        QCOMPARE(qFromLittleEndian<quint16>(b + 2), quint16(1)); // icon
        QCOMPARE(qFromLittleEndian<quint16>(b + 4), quint16(1)); // one image
        QCOMPARE(int(b[6]), 32);
        QCOMPARE(int(b[7]), 32);
        QCOMPARE(int(b[8]), 16);
        QCOMPARE(qFromLittleEndian<quint16>(b + 12), quint16(4));
        const quint32 size = qFromLittleEndian<quint32>(b + 14);
        const quint32 offset = qFromLittleEndian<quint32>(b + 18);
        QCOMPARE(qint64(offset + size), qint64(bytes.size()));
        QCOMPARE(qFromLittleEndian<qint32>(b + offset + 8), 64); // colour rows and mask rows
        QCOMPARE(qFromLittleEndian<quint16>(b + offset + 14), quint16(4));
        // 40 header + 64 palette + 32 rows of 16 colour bytes + 32 rows of 4 mask bytes.
        QCOMPARE(size, quint32(40 + 64 + 32 * 16 + 32 * 4));

        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer, "ico");
        const QImage ico = reader.read().convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!ico.isNull(), qPrintable(reader.errorString()));
        const QImage png = QImage(QStringLiteral(ROSTARI_SOURCE_DIR "/resources/rostari-bolt.png"), "png")
                               .convertToFormat(QImage::Format_ARGB32);
        const QImage window = windowIconImage().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        for (const QImage* file : { &ico, &png }) {
            QCOMPARE(file->size(), window.size());
            for (int y = 0; y < 32; ++y) {
                for (int x = 0; x < 32; ++x) {
                    const QRgb a = file->pixel(x, y);
                    const QRgb p = window.pixel(x, y);
                    QCOMPARE(qAlpha(a), qAlpha(p));
                    if (qAlpha(p))
                        QCOMPARE(a, p);
                }
            }
        }
    }

    // The images are kept in the repository; writing them anew from the generator gives the same bytes.
    void regeneratesIdentically()
    {
        QTemporaryDir out;
        QVERIFY(out.isValid());
        const QString source = QStringLiteral(ROSTARI_SOURCE_DIR "/resources");
        QProcess drawgen;
        drawgen.start(QStringLiteral(DRAWGEN_PATH), { out.path(), source + QStringLiteral("/rostari-bolt.xpm") });
        QVERIFY(drawgen.waitForFinished(60000));
        QVERIFY2(drawgen.exitStatus() == QProcess::NormalExit && drawgen.exitCode() == 0,
            drawgen.readAllStandardError().constData());
        const QStringList files { QStringLiteral("drawings/picture1.bmp"), QStringLiteral("drawings/picture1@2x.bmp"),
            QStringLiteral("drawings/picture2.bmp"), QStringLiteral("drawings/picture2@2x.bmp"),
            QStringLiteral("drawings/picture3.bmp"), QStringLiteral("drawings/picture3@2x.bmp"),
            QStringLiteral("rostari-bolt.png"), QStringLiteral("rostari-bolt.ico") };
        for (const QString& name : files) {
            QFile fresh(out.filePath(name));
            QFile kept(source + QLatin1Char('/') + name);
            QVERIFY2(fresh.open(QIODevice::ReadOnly), qPrintable(name));
            QVERIFY2(kept.open(QIODevice::ReadOnly), qPrintable(name));
            QVERIFY2(fresh.readAll() == kept.readAll(), qPrintable(name + QStringLiteral(" is out of date")));
        }
        QCOMPARE(QDir(out.filePath(QStringLiteral("drawings"))).entryList(QDir::Files).size(), 6);
    }

private:
    std::map<std::pair<QString, int>, probe::InkAreas> areas_;
};

ROSTARI_TEST_MAIN(TestDrawings)
#include "tst_drawings.moc"
