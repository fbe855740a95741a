// The CSV side of quilldb: the reader's syntax and line numbers, the writer's quoting,
// and the mapping of the header onto the table's fields.

#include "csv.h"
#include "sizecsv.h"
#include "sizefields.h"
#include "testmain.h"

#include <QStringList>

#include <algorithm>

namespace {

// Records as "line:field|field", one record a line, for comparing.
QString describe(const std::vector<quilldb::CsvRecord>& records)
{
    QStringList lines;
    for (const auto& record : records) {
        QStringList fields;
        for (const auto& field : record.fields)
            fields << QString::fromStdString(field.text);
        lines << QString::number(record.line()) + QLatin1Char(':') + fields.join(QLatin1Char('|'));
    }
    return lines.join(QLatin1Char('\n'));
}

std::string header()
{
    return "size,P,s,e,dk,v,t,w,da,ds,k,d',D,H',H'',D1,h1,t1,D2,h2,t2,h3,t3,D3,h4,t4";
}

} // namespace

class CsvTest : public QObject {
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("records");
        QTest::newRow("LF") << QByteArray("a,b\nc,d\n") << QStringLiteral("1:a|b\n2:c|d");
        QTest::newRow("CRLF") << QByteArray("a,b\r\nc,d\r\n") << QStringLiteral("1:a|b\n2:c|d");
        QTest::newRow("CR") << QByteArray("a,b\rc,d") << QStringLiteral("1:a|b\n2:c|d");
        QTest::newRow("no final line end") << QByteArray("a,b\nc,d") << QStringLiteral("1:a|b\n2:c|d");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF"
                                                       "a,b\n")
                                         << QStringLiteral("1:a|b");
        QTest::newRow("empty lines skipped, still counted")
            << QByteArray("\na,b\r\n\r\nc,d\n\n") << QStringLiteral("2:a|b\n4:c|d");
        QTest::newRow("empty fields") << QByteArray(",,\nx,,\n") << QStringLiteral("1:||\n2:x||");
        QTest::newRow("quoted comma and quote")
            << QByteArray("\"a,b\",\"say \"\"hi\"\"\"\n") << QStringLiteral("1:a,b|say \"hi\"");
        QTest::newRow("quoted empty") << QByteArray("\"\",x\n") << QStringLiteral("1:|x");
        QTest::newRow("quoted line breaks keep the count") << QByteArray("\"one\ntwo\",x\r\n\"three\r\nfour\",y\nz\n")
                                                           << QStringLiteral("1:one\ntwo|x\n3:three\r\nfour|y\n5:z");
        QTest::newRow("blanks are data") << QByteArray(" a , b \n") << QStringLiteral("1: a | b ");
    }

    void parse()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, records);
        QCOMPARE(describe(quilldb::parseCsv(csv.toStdString())), records);
    }

    void fieldLines()
    {
        const auto records = quilldb::parseCsv("\"a\nb\",c\n");
        QCOMPARE(records.at(0).fields.at(0).line, std::size_t(1));
        QCOMPARE(records.at(0).fields.at(1).line, std::size_t(2));
    }

    void errors_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("message");
        QTest::newRow("no closing quote")
            << QByteArray("a,b\nc,\"d\ne\n") << 2 << 2 << QStringLiteral("the quoted field has no closing quote");
        QTest::newRow("text after the closing quote")
            << QByteArray("a,\"b\"c\n") << 1 << 2 << QStringLiteral("text after the closing quote");
        QTest::newRow("quote inside a field")
            << QByteArray("a,b\nc,d\"e\n") << 2 << 2 << QStringLiteral("a quote inside a field");
    }

    void errors()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, message);
        try {
            quilldb::parseCsv(csv.toStdString());
            QFAIL("parsed");
        } catch (const quilldb::CsvError& e) {
            QCOMPARE(int(e.line()), line);
            QCOMPARE(int(e.column()), column);
            QVERIFY2(QString::fromUtf8(e.what()).contains(message), e.what());
        }
    }

    void quoting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << QStringLiteral("M3") << QStringLiteral("M3");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("comma") << QStringLiteral("a,b") << QStringLiteral("\"a,b\"");
        QTest::newRow("quote") << QStringLiteral("H\"") << QStringLiteral("\"H\"\"\"");
        QTest::newRow("line break") << QStringLiteral("a\nb") << QStringLiteral("\"a\nb\"");
        QTest::newRow("apostrophes stay bare") << QStringLiteral("H''") << QStringLiteral("H''");
    }

    void quoting()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        const std::string quoted = quilldb::csvField(text.toStdString());
        QCOMPARE(QString::fromStdString(quoted), field);
        QCOMPARE(QString::fromStdString(quilldb::parseCsv(quoted + ",x\n").at(0).fields.at(0).text), text);
    }

    // Columns map by name: the header's order decides nothing about the table's.
    void headerInAnyOrder()
    {
        const std::string row = "M5,0.8,4,4.58,8.5,0.5,2.5,1.9,5.7,5,5,5.5,9.5,4.6,5.4,10.5,6.7,1.3,,,,,,11,6.4,1";
        const auto straight
            = quilldb::sizeTableFromCsv(quilldb::parseCsv(header() + "\n" + row + "\n"), jet::Format::Jet4, false);

        // The same data with the first and the last column swapped.
        auto swapEnds = [](std::string line) {
            const auto first = line.find(',');
            const auto last = line.rfind(',');
            return line.substr(last + 1) + line.substr(first, last - first + 1) + line.substr(0, first);
        };
        const auto swapped = quilldb::sizeTableFromCsv(
            quilldb::parseCsv(swapEnds(header()) + "\n" + swapEnds(row) + "\n"), jet::Format::Jet4, false);
        QVERIFY(straight.table.rows == swapped.table.rows);
        QCOMPARE(straight.table.rows.at(0).at(0), jet::Cell("M5"));
        QCOMPARE(straight.table.rows.at(0).at(25), jet::Cell("1")); // ｔ４
        QCOMPARE(straight.table.rows.at(0).at(11), jet::Cell("9.5")); // Ｄ, CSV column 13
        QCOMPARE(straight.table.rows.at(0).at(14), jet::Cell("5.5")); // ｄ', CSV column 12
        QCOMPARE(straight.table.rows.at(0).at(18), jet::Cell()); // Ｄ２ empty: NULL
        QCOMPARE(straight.table.columns.at(0).type, jet::ColumnType::Text);
        QCOMPARE(straight.table.columns.at(0).textLength, 10);
        QCOMPARE(straight.table.columns.at(1).type, jet::ColumnType::Double);
        const auto single
            = quilldb::sizeTableFromCsv(quilldb::parseCsv(header() + "\n" + row + "\n"), jet::Format::Jet4, true);
        QCOMPARE(single.table.columns.at(1).type, jet::ColumnType::Single);
    }
};

ROSTARI_TEST_MAIN(CsvTest)
#include "quilldb_csv_test.moc"
