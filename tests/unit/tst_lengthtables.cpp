// The length tables: the rows the reference tables quote, and properties over all 726 rows
// that a wrong pitch, thread length or length set would break.

#include "lengthtables.h"
#include "testmain.h"

#include <QObject>
#include <QTest>

using namespace quill::lengths;

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
};

ROSTARI_TEST_MAIN(TestLengthTables)
#include "tst_lengthtables.moc"
