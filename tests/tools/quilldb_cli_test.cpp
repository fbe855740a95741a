// quilldb from the outside: what build refuses (with file, line and column, exit 1, no
// output left behind), what it takes as the same input, and what dump prints.

#include "csv.h"
#include "files.h"
#include "jet_testsupport.h"
#include "sizefields.h"
#include "testmain.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <jetwriter.h>

namespace {

// The reviewed CSV as lines of fields, to derive inputs from.
using Lines = QList<QByteArrayList>;

Lines reviewedLines()
{
    Lines lines;
    for (const QByteArray& line : testfiles::readFile(jettest::reviewedCsvPath()).split('\n')) {
        if (!line.trimmed().isEmpty())
            lines << line.trimmed().split(',');
    }
    return lines;
}

QByteArray joined(const Lines& lines, const QByteArray& lineEnd = "\n")
{
    QByteArray out;
    for (const auto& fields : lines)
        out += fields.join(',') + lineEnd;
    return out;
}

// The reviewed CSV with one field changed; line and column count from 1.
QByteArray withField(int line, int column, const QByteArray& value)
{
    Lines lines = reviewedLines();
    lines[line - 1][column - 1] = value;
    return joined(lines);
}

// The reviewed source CSV as records of fields (its texts hold commas, so parsed, not split).
QList<QStringList> sourceLines()
{
    const QByteArray text = testfiles::readFile(jettest::reviewedSourcesPath());
    QList<QStringList> lines;
    for (const auto& record : quilldb::parseCsv(text.toStdString())) {
        QStringList fields;
        for (const auto& field : record.fields)
            fields << QString::fromStdString(field.text);
        lines << fields;
    }
    return lines;
}

QByteArray sourceCsv(const QList<QStringList>& lines)
{
    QByteArray out;
    for (const QStringList& fields : lines) {
        QByteArrayList quoted;
        for (const QString& field : fields)
            quoted << QByteArray::fromStdString(quilldb::csvField(field.toStdString()));
        out += quoted.join(',') + "\r\n";
    }
    return out;
}

// The reviewed source CSV with one field changed; line and column count from 1.
QByteArray withSource(int line, int column, const QString& value)
{
    QList<QStringList> lines = sourceLines();
    lines[line - 1][column - 1] = value;
    return sourceCsv(lines);
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT

private:
    QStringList entries(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    jettest::ToolRun quilldb(const QStringList& args, const QString& workingDir = {})
    {
        return jettest::run(jettest::quilldbPath(), args, {}, workingDir);
    }

private slots:
    void badInput_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message"); // %F stands for the CSV's path

        const QStringList none;
        const QStringList jet3 { QStringLiteral("--format"), QStringLiteral("jet3") };
        const Lines lines = reviewedLines();
        auto add = [](const char* tag, const QByteArray& csv, const QStringList& options, const char* message) {
            QTest::newRow(tag) << csv << options << QString::fromUtf8(message);
        };

        add("empty file", "", none, "%F: the file is empty; the first line must be the header size,P,s,e,dk,");
        add("only a byte order mark", "\xEF\xBB\xBF\r\n", none, "%F: the file is empty");
        add("header only", joined(lines.mid(0, 1)), none, "%F: line 1: the file holds no records after the header");
        add("no header", joined(lines.mid(1)), none,
            "%F: line 1, column 1: \"M3\" is not a column name; the first line must be the header size,P,");
        add("misspelt column", withField(1, 5, "dK"), none, "%F: line 1, column 5: \"dK\" is not a column name");
        add("column twice", withField(1, 3, "P"), none,
            "%F: line 1, column 3: the column \"P\" appears twice (also column 2)");
        Lines shortHeader = lines;
        for (auto& fields : shortHeader)
            fields.removeLast();
        add("column missing", joined(shortHeader), none, "%F: line 1, column 26: the header lacks the column(s) t4");

        Lines ragged = lines;
        ragged[4].removeLast();
        add("record too short", joined(ragged), none,
            "%F: line 5, column 26: the record ends after 25 fields; the header has 26");
        ragged = lines;
        ragged[2] << "1";
        add("record too long", joined(ragged), none,
            "%F: line 3, column 27: the record has 27 fields; the header has 26");

        add("unit in a number", withField(4, 4, "4.58mm"), none,
            "%F: line 4, column 4 (e): \"4.58mm\" is not a number");
        add("decimal comma", withField(4, 4, "\"4,58\""), none, "%F: line 4, column 4 (e): \"4,58\" is not a number");
        add("nan", withField(2, 2, "nan"), none, "%F: line 2, column 2 (P): \"nan\" is not a number");
        add("inf", withField(9, 20, "inf"), none, "%F: line 9, column 20 (h2): \"inf\" is not a number");
        add("blank in a number", withField(2, 3, " 2.5"), none, "%F: line 2, column 3 (s): \" 2.5\" is not a number");
        add("too large for Double", withField(6, 13, "1e999"), none,
            "%F: line 6, column 13 (D): \"1e999\" is out of range for Double");
        add("too large for Single", withField(6, 13, "1e39"), { QStringLiteral("--single") },
            "%F: line 6, column 13 (D): \"1e39\" is out of range for Single");
        add("not a designation", withField(2, 1, "M7"), none,
            "%F: line 2, column 1 (size): \"M7\" is not a thread designation; expected one of M3,M4,");
        add("designation in lower case", withField(3, 1, "m4"), none,
            "%F: line 3, column 1 (size): \"m4\" is not a thread designation");
        add("designation with a blank", withField(3, 1, "M4 "), none,
            "%F: line 3, column 1 (size): \"M4 \" is not a thread designation");
        add("designation empty", withField(3, 1, ""), none,
            "%F: line 3, column 1 (size): \"\" is not a thread designation");
        add("designation twice", withField(4, 1, "M3"), none,
            "%F: line 4, column 1 (size): \"M3\" appears again; first on line 2");
        add("text too long", withField(2, 1, "M3 cap screw"), none,
            "%F: line 2, column 1 (size): \"M3 cap screw\" takes 12 characters; the field holds 10");
        // Six characters fit ten UCS-2 characters but not ten bytes of code page 932.
        add("text too long for jet3", withField(2, 1, "Ｍ３３３３３"), jet3,
            "%F: line 2, column 1 (size): \"Ｍ３３３３３\" takes 12 bytes in code page 932; the field holds 10");
        add("no code in 932", withField(2, 1, "M3€"), jet3,
            "%F: line 2, column 1 (size): the character U+20AC \"€\" has no code in code page 932");
        add("invalid UTF-8", withField(2, 1, "M\xff"), none,
            "%F: line 2, column 1 (size): the text \"M\xff\" is not valid UTF-8");
        add("no closing quote", withField(23, 1, "\"M52"), none,
            "%F: line 23, column 1: the quoted field has no closing quote");
        add("text after a quote", withField(2, 1, "\"M3\"x"), none,
            "%F: line 2, column 1: text after the closing quote");
        add("quote inside a field", withField(2, 1, "M\"3"), none, "%F: line 2, column 1: a quote inside a field");
        add("line counted with CRLF", joined(Lines(lines).mid(0, 7) << QByteArrayList(26, "x"), "\r\n"), none,
            "%F: line 8, column 1 (size): \"x\" is not a thread designation");
    }

    void badInput()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("sizes.csv"));
        QVERIFY(testfiles::writeFile(input, csv));
        const auto result = quilldb(
            QStringList { QStringLiteral("build"), input, dir.filePath(QStringLiteral("out.mdb")) } + options);
        QCOMPARE(result.exitCode, 1);
        const QString err = QString::fromUtf8(result.err);
        QVERIFY2(err.startsWith(QStringLiteral("quilldb: ") + QString(message).replace(QStringLiteral("%F"), input)),
            qPrintable(err));
        QCOMPARE(err.count(QLatin1Char('\n')), 1);
        QVERIFY(result.out.isEmpty());
        QCOMPARE(entries(dir.path()), QStringList { QStringLiteral("sizes.csv") });
    }

    void badSources_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message"); // %F stands for the source CSV's path
        const QStringList none;
        const QList<QStringList> lines = sourceLines();
        auto add = [](const char* tag, const QByteArray& csv, const QStringList& options, const char* message) {
            QTest::newRow(tag) << csv << options << QString::fromUtf8(message);
        };
        // Line 5 is M3 ｄｋ 5.5 公表値; line 19 is M3 Ｄ２, blank, 規格なし.
        QCOMPARE(lines[4].mid(0, 4).join(QLatin1Char(',')), QStringLiteral("M3,ｄｋ,5.5,公表値"));
        QCOMPARE(lines[18].mid(0, 4).join(QLatin1Char(',')), QStringLiteral("M3,Ｄ２,,規格なし"));
        add("value not the size table's", withSource(5, 3, QStringLiteral("5.50")), none,
            "%F: line 5, column 3 (値): \"5.50\" is not the size table's M3 ｄｋ (\"5.5\")");
        add("value for no standard", withSource(19, 3, QStringLiteral("1")), none,
            "%F: line 19, column 3 (値): 規格なし vouches for no value; \"1\" must be empty");
        QList<QStringList> claimed = lines;
        claimed[4][2].clear();
        claimed[4][3] = QStringLiteral("規格なし");
        add("no standard for a value", sourceCsv(claimed), none,
            "%F: line 5, column 4 (区分): the size table has 5.5 for M3 ｄｋ; 規格なし claims none");
        add("unknown category", withSource(5, 4, QStringLiteral("公表")), none,
            "%F: line 5, column 4 (区分): \"公表\" is not one of 公表値, 導出値, 規格なし");
        add("unknown size", withSource(5, 1, QStringLiteral("M7")), none,
            "%F: line 5, column 1 (ネジの呼び): \"M7\" is no size of the size table");
        add("half-width field name", withSource(5, 2, QStringLiteral("dk")), none,
            "%F: line 5, column 2 (項目): \"dk\" is not a value field of the size table");
        add("designation is no value field", withSource(5, 2, QStringLiteral("ネジの呼び")), none,
            "%F: line 5, column 2 (項目): \"ネジの呼び\" is not a value field");
        add("no basis", withSource(5, 5, QString()), none, "%F: line 5, column 5 (根拠): the row gives no 根拠");
        QList<QStringList> twice = lines;
        twice.insert(3, lines[1]);
        add("row twice", sourceCsv(twice), none,
            "%F: line 4, column 2 (項目): M3 ネジのピッチ appears again; first on line 2");
        add("row missing", sourceCsv(lines.mid(0, lines.size() - 1)), none, "%F: the file has no row for M52 ｔ４");
        QList<QStringList> noBasis = lines;
        for (QStringList& fields : noBasis)
            fields.removeLast();
        add("column missing", sourceCsv(noBasis), none, "%F: line 1, column 5: the header lacks the column 根拠");
        add("no code in 932", withSource(5, 5, QStringLiteral("price €")),
            { QStringLiteral("--format"), QStringLiteral("jet3") },
            "%F: line 5, column 5 (根拠): the character U+20AC \"€\" has no code in code page 932");
        add("empty file", QByteArray(), none, "%F: the file is empty; the first line must be the header ネジの呼び,");
    }

    // The source table is checked against the size table; a problem leaves no file behind.
    void badSources()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString sources = dir.filePath(QStringLiteral("sources.csv"));
        QVERIFY(testfiles::writeFile(sources, csv));
        const auto result = quilldb(QStringList { QStringLiteral("build"), jettest::reviewedCsvPath(),
                                        dir.filePath(QStringLiteral("out.mdb")), QStringLiteral("--sources"), sources }
            + options);
        QCOMPARE(result.exitCode, 1);
        const QString err = QString::fromUtf8(result.err);
        QVERIFY2(err.startsWith(QStringLiteral("quilldb: ") + QString(message).replace(QStringLiteral("%F"), sources)),
            qPrintable(err));
        QCOMPARE(entries(dir.path()), QStringList { QStringLiteral("sources.csv") });
    }

    void badTarget_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder missing") << QStringLiteral("no/such/folder/out.mdb")
                                        << QStringLiteral("No such file or directory");
        QTest::newRow("target is a folder") << QStringLiteral("taken") << QStringLiteral("Is a directory");
        QTest::newRow("input missing") << QStringLiteral("out.mdb") << QStringLiteral("cannot read");
    }

    void badTarget()
    {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken")));
        const QString input = QString::fromLatin1(QTest::currentDataTag()) == QLatin1String("input missing")
            ? dir.filePath(QStringLiteral("absent.csv"))
            : jettest::reviewedCsvPath();
        const QString output = dir.filePath(target);
        const auto result = quilldb({ QStringLiteral("build"), input, output });
        QCOMPARE(result.exitCode, 1);
        const QString err = QString::fromUtf8(result.err);
        QVERIFY2(err.contains(reason), qPrintable(err));
        QVERIFY2(err.contains(reason == QLatin1String("cannot read") ? input : output), qPrintable(err));
        QCOMPARE(entries(dir.path()), QStringList { QStringLiteral("taken") });
        QVERIFY(entries(dir.filePath(QStringLiteral("taken"))).isEmpty());
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString csv = jettest::reviewedCsvPath();
        QTest::newRow("nothing") << QStringList() << 2 << QStringLiteral("no command");
        QTest::newRow("unknown command") << QStringList { QStringLiteral("make") } << 2
                                         << QStringLiteral("unknown command");
        QTest::newRow("build without output")
            << QStringList { QStringLiteral("build"), csv } << 2 << QStringLiteral("build needs SIZES.csv and OUT.mdb");
        QTest::newRow("unknown format") << QStringList { QStringLiteral("build"), csv, QStringLiteral("x.mdb"),
            QStringLiteral("--format"), QStringLiteral("jet5") }
                                        << 2 << QStringLiteral("unknown format \"jet5\"");
        QTest::newRow("format without value") << QStringList { QStringLiteral("build"), csv, QStringLiteral("x.mdb"),
            QStringLiteral("--format") } << 2 << QStringLiteral("--format needs jet4 or jet3");
        QTest::newRow("unknown option") << QStringList { QStringLiteral("build"), csv, QStringLiteral("x.mdb"),
            QStringLiteral("--double") } << 2
                                        << QStringLiteral("unknown option --double");
        QTest::newRow("dump without file")
            << QStringList { QStringLiteral("dump") } << 2 << QStringLiteral("dump needs one FILE.mdb");
        QTest::newRow("sources without file") << QStringList { QStringLiteral("build"), csv, QStringLiteral("x.mdb"),
            QStringLiteral("--sources") } << 2 << QStringLiteral("--sources needs the source table's CSV");
        QTest::newRow("dump unknown option") << QStringList { QStringLiteral("dump"), QStringLiteral("x.mdb"),
            QStringLiteral("--table") } << 2 << QStringLiteral("unknown option --table");
    }

    void usage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const auto result = quilldb(args, dir.path());
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
        QVERIFY(entries(dir.path()).isEmpty());
    }

    void help()
    {
        const auto result = quilldb({ QStringLiteral("--help") });
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.contains(
            "quilldb build SIZES.csv OUT.mdb [--sources SOURCES.csv] [--format jet4|jet3] [--single]"));
        QVERIFY(result.out.contains("quilldb dump FILE.mdb [--sources]"));
        QVERIFY(result.err.isEmpty());
    }

    void sameInputSameBytes_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("options");
        const Lines lines = reviewedLines();
        const QByteArray reviewed = testfiles::readFile(jettest::reviewedCsvPath());
        for (const char* format : { "jet4", "jet3" }) {
            const QStringList options { QStringLiteral("--format"), QString::fromLatin1(format) };
            auto add = [&](const char* what, const QByteArray& csv) {
                QTest::newRow(qPrintable(QString::fromLatin1(format) + QLatin1Char(' ') + QString::fromLatin1(what)))
                    << csv << options;
            };
            add("the same file", reviewed);
            add("LF line ends", joined(lines));
            add("byte order mark", "\xEF\xBB\xBF" + reviewed);
            add("no final line end", reviewed.chopped(2));
            add("blank lines", joined(lines).replace("\n", "\n\n"));
            Lines quoted = lines;
            for (auto& fields : quoted)
                for (auto& field : fields)
                    field = '"' + field + '"';
            add("every field quoted", joined(quoted, "\r\n"));
            Lines reordered = lines;
            for (auto& fields : reordered)
                std::reverse(fields.begin(), fields.end());
            add("columns in reverse order", joined(reordered));
        }
    }

    // Deterministic output, and CSV spellings of the same data make the same file.
    void sameInputSameBytes()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, options);
        QTemporaryDir dir;
        const QString variant = dir.filePath(QStringLiteral("variant.csv"));
        QVERIFY(testfiles::writeFile(variant, csv));
        const QString reference = dir.filePath(QStringLiteral("reference.mdb"));
        const QString built = dir.filePath(QStringLiteral("built.mdb"));
        const auto first
            = quilldb(QStringList { QStringLiteral("build"), jettest::reviewedCsvPath(), reference } + options);
        QVERIFY2(first.exitCode == 0, first.err.constData());
        const auto second = quilldb(QStringList { QStringLiteral("build"), variant, built } + options);
        QVERIFY2(second.exitCode == 0, second.err.constData());
        QVERIFY(second.out.isEmpty() && second.err.isEmpty());
        QVERIFY(!testfiles::readFile(built).isEmpty());
        QVERIFY(testfiles::readFile(built) == testfiles::readFile(reference));
    }

    // An existing file is replaced whole; no temporary file stays behind.
    void replacesExistingFile()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("quilldat.mdb"));
        QVERIFY(testfiles::writeFile(output, QByteArray(100000, 'x')));
        const auto result = quilldb({ QStringLiteral("build"), jettest::reviewedCsvPath(), output });
        QVERIFY2(result.exitCode == 0, result.err.constData());
        QCOMPARE(entries(dir.path()), QStringList { QStringLiteral("quilldat.mdb") });
        QCOMPARE(QFileInfo(output).size() % 4096, 0);
        QVERIFY(QFileInfo(output).size() < 100000);
        QCOMPARE(quilldb({ QStringLiteral("dump"), output }).out, testfiles::readFile(jettest::reviewedCsvPath()));
    }

    void dumpRoundTrip_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("jet4 double") << QStringList();
        QTest::newRow("jet4 single") << QStringList { QStringLiteral("--single") };
        QTest::newRow("jet3 double") << QStringList { QStringLiteral("--format=jet3") };
        QTest::newRow("jet3 single") << QStringList { QStringLiteral("--format"), QStringLiteral("jet3"),
            QStringLiteral("--single") };
    }

    // build then dump gives back the reviewed CSVs byte for byte; dump takes a relative path, and
    // names beyond ASCII (which Windows would pass in its ANSI code page) are no obstacle.
    void dumpRoundTrip()
    {
        QFETCH(QStringList, options);
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/六角穴付ボルト-XXXXXX"));
        const auto build = quilldb(
            QStringList { QStringLiteral("build"), jettest::reviewedCsvPath(), dir.filePath(QStringLiteral("寸法.mdb")),
                QStringLiteral("--sources"), jettest::reviewedSourcesPath() }
            + options);
        QVERIFY2(build.exitCode == 0, build.err.constData());
        const auto dump = quilldb({ QStringLiteral("dump"), QStringLiteral("寸法.mdb") }, dir.path());
        QVERIFY2(dump.exitCode == 0, dump.err.constData());
        QVERIFY(dump.err.isEmpty());
        QCOMPARE(dump.out, testfiles::readFile(jettest::reviewedCsvPath()));
        const auto sources
            = quilldb({ QStringLiteral("dump"), QStringLiteral("--sources"), QStringLiteral("寸法.mdb") }, dir.path());
        QVERIFY2(sources.exitCode == 0, sources.err.constData());
        QCOMPARE(sources.out, testfiles::readFile(jettest::reviewedSourcesPath()));
    }

    void dumpErrors_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QStringLiteral("absent.mdb") << QStringLiteral("absent.mdb: no such file");
        QTest::newRow("a folder") << QStringLiteral("folder") << QStringLiteral("folder: cannot be read");
        QTest::newRow("not a database") << QStringLiteral("sizes.csv")
                                        << QStringLiteral("sizes.csv: not an Access database");
        QTest::newRow("no size table") << QStringLiteral("other.mdb")
                                       << QStringLiteral("other.mdb: holds no table 六角穴付ボルト");
        QTest::newRow("no source table") << QStringLiteral("--sources sizes.mdb")
                                         << QStringLiteral("sizes.mdb: holds no table 出典");
    }

    void dumpErrors()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        QVERIFY(testfiles::writeFile(
            dir.filePath(QStringLiteral("sizes.csv")), testfiles::readFile(jettest::reviewedCsvPath())));
        jet::Table other = jettest::reviewedSizeTable(false);
        other.name = "六角ボルト";
        jet::writeDatabaseFile(other, jet::Format::Jet4, dir.filePath(QStringLiteral("other.mdb")).toStdString());
        jet::writeDatabaseFile(jettest::reviewedSizeTable(false), jet::Format::Jet4,
            dir.filePath(QStringLiteral("sizes.mdb")).toStdString());

        const auto dump = quilldb(QStringList { QStringLiteral("dump") } + file.split(QLatin1Char(' ')), dir.path());
        QCOMPARE(dump.exitCode, 1);
        QVERIFY2(QString::fromUtf8(dump.err).startsWith(QStringLiteral("quilldb: ") + message), dump.err.constData());
        QVERIFY(dump.out.isEmpty());
    }

    // A table made elsewhere: a field missing is reported (exit 1), the rest still printed;
    // a field the size table does not have comes last; texts are quoted where CSV needs it.
    void dumpForeignTable()
    {
        jet::Table table = jettest::reviewedSizeTable(false);
        table.columns.erase(table.columns.begin() + 4); // ｄｋ
        table.columns.push_back({ "備考", jet::ColumnType::Text, 40 });
        for (auto& row : table.rows) {
            row.erase(row.begin() + 4);
            row.push_back(std::nullopt);
        }
        table.rows[0].back() = "see \"JIS B 1176\", table 1";
        table.rows[1][0] = "M4,x";
        table.rows.resize(2);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("foreign.mdb"));
        jet::writeDatabaseFile(table, jet::Format::Jet4, file.toStdString());

        const auto dump = quilldb({ QStringLiteral("dump"), file });
        QCOMPARE(dump.exitCode, 1);
        QCOMPARE(QString::fromUtf8(dump.err),
            QStringLiteral("quilldb: %1: the table lacks the field ｄｋ (dk)\n").arg(file));
        const QList<QByteArray> lines = dump.out.split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QByteArray("size,P,s,e,v,t,w,da,ds,k,d',D,H',H'',D1,h1,t1,D2,h2,t2,h3,t3,D3,h4,t4,備考\r"));
        QCOMPARE(lines[1],
            QByteArray("M3,0.5,2.5,2.87,0.3,1.3,1.15,3.6,3,3,3.4,6.5,2.7,3.3,7,4,0.7,,,,,,7,3.8,0.5,"
                       "\"see \"\"JIS B 1176\"\", table 1\"\r"));
        QVERIFY(lines[2].startsWith("\"M4,x\",0.7,"));
        QVERIFY(lines[2].endsWith(",0.8,\r"));
    }

    // dump reads Jet 3 texts as Windows-31J, as the viewer does.
    void dumpWindows31J()
    {
        jet::Table table = jettest::reviewedSizeTable(false);
        table.rows[0][0] = "M3～－①";
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("cp932.mdb"));
        jet::writeDatabaseFile(table, jet::Format::Jet3, file.toStdString());
        const auto dump = quilldb({ QStringLiteral("dump"), file });
        QVERIFY2(dump.exitCode == 0, dump.err.constData());
        QVERIFY(dump.out.split('\n').at(1).startsWith("M3～－①,0.5,"));
    }
};

ROSTARI_TEST_MAIN(CliTest)
#include "quilldb_cli_test.moc"
