// The length tables: the rows the reference tables quote, and properties over all 726 rows
// that a wrong pitch, thread length or length set would break; the length a joint takes,
// over joints worked by hand, and numbers as typed.

#include "lengthchoice.h"
#include "lengthtables.h"
#include "numberinput.h"
#include "testmain.h"

#include <QObject>
#include <QTest>

using namespace quill::lengths;
using quill::NumberProblem;

namespace {

QString q(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const SizeParameters& size(const char* designation)
{
    const SizeParameters* s = findSize(designation);
    if (!s)
        qFatal("no size %s", designation);
    return *s;
}

// Value in quarter millimetres of a table text, or -1 when it is no plain decimal of quarters.
int quarters(const std::string& text)
{
    const QString t = QString::fromStdString(text);
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || t.contains(QLatin1Char('e')) || t.startsWith(QLatin1Char('-')))
        return -1;
    const double qv = v * 4;
    if (qv != static_cast<int>(qv))
        return -1;
    return static_cast<int>(qv);
}

} // namespace

class TestLengthTables : public QObject {
    Q_OBJECT
private slots:
    void quotedRows_data()
    {
        QTest::addColumn<QString>("designation");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("shank");
        QTest::addColumn<QString>("grip");
        QTest::addColumn<QString>("thread");
        auto row = [](const char* d, const char* l, const char* a, const char* b, const char* c) {
            QTest::addRow("%s at '%s'", d, l)
                << QString::fromLatin1(d) << QString::fromLatin1(l) << QString::fromLatin1(a) << QString::fromLatin1(b)
                << QString::fromLatin1(c);
        };
        row("M3", "  25", "4.5", "7", "18");
        row("M3", "  30", "9.5", "12", "18");
        row("M8", "  45", "10.75", "17", "28");
        row("M12", "  50", "5.25", "14", "36");
        row("M42", " 120", "1.5", "24", "96");
        row("M27", " 300", "219", "234", "66");
        row("M14", "  55", "---", "---", "55");
        row("M14", "  60", "10", "20", "40");
        row("M4", "  35", "11.5", "15", "20");
        row("M16", "  35", "---", "---", "35");
        row("M22", "  35", "---", "---", "---");
        row("M24", "  35", "---", "---", "---");
        row("M3", "  35", "---", "---", "---");
        row("M3", "   5", "---", "---", "5");
        row("M3", "  40", "---", "---", "---");
        row("M3", " 300", "---", "---", "---");
        row("M5", "   5", "---", "---", "5");
        row("M5", "   6", "---", "---", "---");
        row("M5", "   8", "---", "---", "8");
        row("M33", "  50", "---", "---", "---");
        row("M39", " 100", "---", "---", "---");
        row("M39", " 110", "---", "---", "110");
        row("M52", "  80", "---", "---", "---");
        row("M27", "   5", "---", "---", "---");
        row("M18", " 100", "39.5", "52", "48");
        row("M20", " 100", "35.5", "48", "52");
    }
    void quotedRows()
    {
        QFETCH(QString, designation);
        QFETCH(QString, length);
        const auto result = lookup(size(designation.toLatin1().constData()), length.toLatin1().toStdString());
        QVERIFY(result);
        QFETCH(QString, shank);
        QFETCH(QString, grip);
        QFETCH(QString, thread);
        QCOMPARE(QString::fromStdString(result->shank), shank);
        QCOMPARE(QString::fromStdString(result->grip), grip);
        QCOMPARE(QString::fromStdString(result->thread), thread);
    }

    void textsThatAreNoKey_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("no leading blanks") << QStringLiteral("25");
        QTest::newRow("trailing blank") << QStringLiteral("  25 ");
        QTest::newRow("empty") << QString();
        QTest::newRow("three characters") << QStringLiteral(" 25");
        QTest::newRow("full-width digits") << QStringLiteral("  ２５");
    }
    void textsThatAreNoKey()
    {
        QFETCH(QString, text);
        for (const SizeParameters& s : sizes())
            QVERIFY(!lookup(s, text.toStdString()));
    }

    void everyRowIsConsistent()
    {
        int rows = 0;
        for (const SizeParameters& s : sizes()) {
            const int d
                = QString::fromLatin1(s.designation.data() + 1, static_cast<qsizetype>(s.designation.size() - 1))
                      .toInt();
            QCOMPARE(s.threadLength, 2 * d + 12);
            int longestThreaded = 0;
            int shortestDimensioned = 1000;
            for (std::size_t k = 0; k < kLengthItems.size(); ++k) {
                const auto r = lookup(s, kLengthItems[k]);
                QVERIFY2(r, qPrintable(q(s.designation) + q(kLengthItems[k])));
                ++rows;
                const int l = q(kLengthItems[k]).trimmed().toInt();
                const std::string none(kNotApplicable);
                if (r->shank == none) {
                    QCOMPARE(r->grip, none);
                    if (r->thread != none) {
                        QCOMPARE(QString::fromStdString(r->thread), QString::number(l));
                        longestThreaded = std::max(longestThreaded, l);
                    }
                    continue;
                }
                shortestDimensioned = std::min(shortestDimensioned, l);
                const int ls = quarters(r->shank);
                const int lg = quarters(r->grip);
                const int b = quarters(r->thread);
                QVERIFY2(ls >= 6 && lg >= 6 && b >= 6 && ls <= 936 && lg <= 936 && b <= 936,
                    qPrintable(q(s.designation) + q(kLengthItems[k])));
                QCOMPARE(lg + b, 4 * l); // lg + b = l
                QCOMPARE((lg - ls) * 100, 20 * s.pitchHundredths); // lg − ls = 5·P
                QCOMPARE(b, 4 * s.threadLength);
            }
            QVERIFY2(longestThreaded < shortestDimensioned, s.designation.data());
        }
        QCOMPARE(rows, 726);
    }

    void smallestAndLargestValues()
    {
        int smallest = 1 << 30;
        int largest = 0;
        for (const SizeParameters& s : sizes())
            for (std::string_view key : kLengthItems)
                for (const std::string& text : { lookup(s, key)->shank, lookup(s, key)->grip }) {
                    if (text == kNotApplicable)
                        continue;
                    smallest = std::min(smallest, quarters(text));
                    largest = std::max(largest, quarters(text));
                }
        QCOMPARE(smallest, 6); // 1.5, M42 at 120
        QCOMPARE(largest, 936); // 234, M27 at 300
    }

    void formatQuarters_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 28 << QStringLiteral("7");
        QTest::newRow("quarter") << 21 << QStringLiteral("5.25");
        QTest::newRow("half") << 18 << QStringLiteral("4.5");
        QTest::newRow("three quarters") << 43 << QStringLiteral("10.75");
        QTest::newRow("below one") << 2 << QStringLiteral("0.5");
        QTest::newRow("zero") << 0 << QStringLiteral("0");
        QTest::newRow("negative") << -6 << QStringLiteral("-1.5");
        QTest::newRow("hundreds") << 936 << QStringLiteral("234");
    }
    void formatQuarters()
    {
        QFETCH(int, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(quill::lengths::formatQuarters(value)), text);
    }

    void lookupIsExactAndCaseSensitive()
    {
        QVERIFY(findSize("M3"));
        QVERIFY(!findSize("m3"));
        QVERIFY(!findSize("M3 "));
        QVERIFY(!findSize(" M3"));
        QVERIFY(!findSize("M7"));
        QCOMPARE(sizes().size(), std::size_t(22));
    }

    // Joints worked by hand from the published lengths (b = 2d + 12, lg = l − b, ls = lg − 5P)
    // and the washer thicknesses of cap-screw-sizes.csv. depth < 0: a through tapped hole.
    void chooseLength_data()
    {
        QTest::addColumn<QString>("designation");
        QTest::addColumn<double>("thickness");
        QTest::addColumn<QString>("washer"); // symbol=thickness, or empty
        QTest::addColumn<double>("factor");
        QTest::addColumn<double>("depth");
        QTest::addColumn<int>("fit");
        QTest::addColumn<int>("length"); // the length looked at, 0 for none
        QTest::addColumn<QString>("designated"); // empty unless it fits
        QTest::addColumn<QString>("engaged");
        QTest::addColumn<QString>("row"); // ls/lg/b
        QTest::addColumn<QString>("said"); // in the last sentence
        auto row = [](const char* tag, const char* d, double t, const char* w, double k, double depth, Fit fit, int l,
                       const char* designated, const char* engaged, const char* lengths, const char* said) {
            QTest::newRow(tag) << QString::fromLatin1(d) << t << QString::fromLatin1(w) << k << depth << int(fit) << l
                               << QString::fromUtf8(designated) << QString::fromLatin1(engaged)
                               << QString::fromLatin1(lengths) << QString::fromUtf8(said);
        };
        // 12 + 2 + 1 × 8 = 22 → 25, threaded to the head; 25 − 14 = 11 engaged.
        row("M8 through, spring washer, steel", "M8", 12, "t1=2", 1.0, -1, Fit::Fits, 25, "M8×25", "11", "---/---/25",
            "ねじ込み長さ：25 − 14 = 11 mm");
        // 20 + 2 + 1.5 × 10 = 37 → 40 (full thread) ≤ 20 + 2 + 20 = 42.
        row("M10 blind, plain washer, cast iron", "M10", 20, "t2=2", 1.5, 20, Fit::Fits, 40, "M10×40", "18",
            "---/---/40", "18 mm");
        // 30 + 2 × 12 = 54 → 55: lg 55 − 36 = 19 ≤ 30, ls 19 − 5 × 1.75 = 10.25.
        row("M12 through, no washer, aluminium", "M12", 30, "", 2.0, -1, Fit::Fits, 55, "M12×55", "25", "10.25/19/36",
            "25 mm");
        // 40 + 3 + 1.2 × 16 = 62.2 → 65: lg 21 ≤ 43, ls 21 − 10 = 11.
        row("M16 through, small plain washer, own factor", "M16", 40, "t4=3", 1.2, -1, Fit::Fits, 65, "M16×65", "22",
            "11/21/44", "22 mm");
        // 50 + 8.3 + 20 = 78.3 → 80 ≤ 50 + 8.3 + 30 = 88.3: lg 28, ls 28 − 12.5 = 15.5.
        row("M20 blind, both washers, steel", "M20", 50, "t3=8.3", 1.0, 30, Fit::Fits, 80, "M20×80", "21.7",
            "15.5/28/52", "21.7 mm");
        // 5 + 0.7 + 3 = 8.7 → 10, threaded to the head.
        row("M3 smallest", "M3", 5, "t1=0.7", 1.0, -1, Fit::Fits, 10, "M3×10", "4.3", "---/---/10", "4.3 mm");
        // 100 + 8 + 52 = 160 → 160: lg 44 ≤ 108, ls 44 − 25 = 19.
        row("M52 largest", "M52", 100, "t2=8", 1.0, -1, Fit::Fits, 160, "M52×160", "52", "19/44/116", "52 mm");
        // 17 + 8 = 25 exactly.
        row("exactly a listed length", "M8", 17, "", 1.0, -1, Fit::Fits, 25, "M8×25", "8", "---/---/25", "8 mm");
        // 10 + 22 = 32 → 40: M22 lists no 35.
        row("a hole in the list is skipped", "M22", 10, "", 1.0, -1, Fit::Fits, 40, "M22×40", "30", "---/---/40",
            "30 mm");
        // 11.3 + 4.9 + 1.1 × 8 = 25, which doubles sum to 25.000000000000004: typed decimals still
        // meet a listed length.
        row("decimals add up", "M8", 11.3, "t1=4.9", 1.1, -1, Fit::Fits, 25, "M8×25", "8.8", "---/---/25", "8.8 mm");
        // 12 + 8 = 20 > 12 + 6 = 18.
        row("hole shallower than the engagement", "M8", 12, "", 1.0, 6, Fit::HoleTooShallow, 0, "", "", "",
            "めねじが浅い");
        // 12 + 2 + 8 = 22 → 25 > 12 + 2 + 10 = 24.
        row("next listed length too long for the hole", "M8", 12, "t1=2", 1.0, 10, Fit::HoleTooShallow, 25, "", "",
            "---/---/25", "めねじが浅い");
        // 25 + 2 × 3 = 31 > 30, M3's longest.
        row("longer than the longest listed", "M3", 25, "", 2.0, -1, Fit::LongerThanListed, 0, "", "", "",
            "30 mm まで");
        row("longer than M52's longest", "M52", 260, "", 1.0, -1, Fit::LongerThanListed, 0, "", "", "", "300 mm まで");
        // 11.5 + 3 × 8 = 35.5 → 40: lg 40 − 28 = 12 > 11.5 (ls 12 − 5 × 1.25 = 5.75).
        row("plain shank would reach the thread", "M8", 11.5, "", 3.0, -1, Fit::ShankInThread, 40, "", "", "5.75/12/28",
            "円筒部がめねじに入る");
    }
    void chooseLength()
    {
        QFETCH(QString, designation);
        QFETCH(double, thickness);
        QFETCH(QString, washer);
        QFETCH(double, factor);
        QFETCH(double, depth);
        Joint joint;
        joint.thickness = thickness;
        if (!washer.isEmpty()) {
            joint.washerSymbol = washer.section(QLatin1Char('='), 0, 0);
            joint.washer = washer.section(QLatin1Char('='), 1).toDouble();
        }
        joint.factor = factor;
        if (depth >= 0)
            joint.depth = depth;
        const LengthChoice choice = quill::lengths::chooseLength(size(designation.toLatin1().constData()), joint);
        QFETCH(int, fit);
        QFETCH(int, length);
        QFETCH(QString, designated);
        QFETCH(QString, engaged);
        QFETCH(QString, row);
        QFETCH(QString, said);
        QCOMPARE(int(choice.fit), fit);
        QCOMPARE(choice.key < 0 ? 0 : choice.length, length);
        QCOMPARE(choice.designation, designated);
        if (!engaged.isEmpty())
            QCOMPARE(millimetres(choice.engaged), engaged);
        if (!row.isEmpty())
            QCOMPARE(QString::fromStdString(choice.row.shank + '/' + choice.row.grip + '/' + choice.row.thread), row);
        QVERIFY2(!choice.rules.isEmpty() && choice.rules.last().contains(said),
            qPrintable(choice.rules.join(QLatin1Char('\n'))));
    }

    void readPositive_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("problem");
        auto row = [](const char* typed, double value, NumberProblem problem) {
            QTest::addRow("'%s'", typed) << QString::fromUtf8(typed) << value << int(problem);
        };
        row("12", 12, NumberProblem::None);
        row("１２．５", 12.5, NumberProblem::None);
        row("　１２　", 12, NumberProblem::None);
        row(" 0.5 ", 0.5, NumberProblem::None);
        row(".5", 0.5, NumberProblem::None);
        row("12.", 12, NumberProblem::None);
        row("1000", 1000, NumberProblem::None);
        row("", 0, NumberProblem::Empty);
        row("　", 0, NumberProblem::Empty);
        row("abc", 0, NumberProblem::NotANumber);
        row("12mm", 0, NumberProblem::NotANumber);
        row("1e3", 0, NumberProblem::NotANumber);
        row("１２ａ", 0, NumberProblem::NotANumber);
        row(".", 0, NumberProblem::NotANumber);
        row("0", 0, NumberProblem::Zero);
        row("０．０", 0, NumberProblem::Zero);
        row("-5", 0, NumberProblem::Negative);
        row("－５", 0, NumberProblem::Negative);
        row("1000.01", 0, NumberProblem::TooLarge);
        row("1.2.3", 0, NumberProblem::TwoPoints);
        row("１．２．３", 0, NumberProblem::TwoPoints);
    }
    void readPositive()
    {
        QFETCH(QString, typed);
        QFETCH(double, value);
        QFETCH(int, problem);
        const quill::TypedNumber read = quill::readPositive(typed, 1000);
        QCOMPARE(int(read.problem), problem);
        QCOMPARE(read.value.has_value(), problem == int(NumberProblem::None));
        if (read.value)
            QCOMPARE(*read.value, value);
        QCOMPARE(quill::problemText(read.problem, QStringLiteral("1000 mm")).isEmpty(), read.value.has_value());
    }
};

ROSTARI_TEST_MAIN(TestLengthTables)
#include "tst_lengthtables.moc"
