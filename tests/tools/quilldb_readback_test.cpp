// Files from the writer, read back by readers that share no code with it: libmdb's
// command-line tools and, for Jet 4 (and ASCII-only Jet 3), the JavaScript mdb-reader.

#include "files.h"
#include "jet_testsupport.h"
#include "testmain.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <jetwriter.h>
#include <string>

Q_DECLARE_METATYPE(jet::Format)
Q_DECLARE_METATYPE(std::vector<jet::Table>)

using jet::Format;

namespace {

QString formatName(Format format)
{
    return format == Format::Jet3 ? QStringLiteral("jet3") : QStringLiteral("jet4");
}

// A Jet 3 table whose rows cross the 256, 512 and 768 byte marks in small steps, with the
// variable data spread over one to three text columns and NULLs between them.
jet::Table wideRowsTable()
{
    jet::Table table;
    table.name = "Wide";
    table.columns = { { "id", jet::ColumnType::Long, 0 }, { "a", jet::ColumnType::Text, 255 },
        { "x", jet::ColumnType::Double, 0 }, { "b", jet::ColumnType::Text, 255 }, { "c", jet::ColumnType::Text, 255 },
        { "y", jet::ColumnType::Single, 0 } };
    const std::vector<std::vector<int>> spreads { { 1 }, { 1, 3 }, { 3, 4 }, { 1, 3, 4 }, { 4 }, { 1, 4 } };
    int id = 0;
    for (const auto& [from, to] :
        { std::pair { 0, 3 }, std::pair { 226, 248 }, std::pair { 481, 504 }, std::pair { 736, 760 } }) {
        for (int length = from; length <= to; ++length, ++id) {
            std::vector<int> texts = spreads[static_cast<std::size_t>(id) % spreads.size()];
            while (length > 255 * static_cast<int>(texts.size()))
                texts = { 1, 3, 4 };
            jet::Row row(table.columns.size());
            row[0] = std::to_string(id);
            row[2] = std::to_string(id) + ".25";
            if (id % 3 != 0)
                row[5] = "0." + std::to_string(id);
            int left = length;
            for (std::size_t i = 0; i < texts.size(); ++i) {
                const int part = i + 1 == texts.size() ? left : length / static_cast<int>(texts.size());
                left -= part;
                // Each text its own letter, so a value read from the wrong offset shows.
                row[static_cast<std::size_t>(texts[i])]
                    = std::string(static_cast<std::size_t>(part), static_cast<char>('A' + (id + texts[i]) % 26));
            }
            table.rows.push_back(std::move(row));
        }
    }
    return table;
}

jet::Table integerTable()
{
    jet::Table table;
    table.name = "Counts";
    table.columns = { { "small", jet::ColumnType::Int, 0 }, { "large", jet::ColumnType::Long, 0 },
        { "note", jet::ColumnType::Text, 40 } };
    table.rows = { { "-32768", "-2147483648", "lowest" }, { "32767", "2147483647", "highest" }, { "0", "0", "zero" },
        { "-1", "+17", std::nullopt }, { std::nullopt, std::nullopt, "quote \" and, comma" } };
    return table;
}

jet::Table nullsTable()
{
    jet::Table table;
    table.name = "Gaps";
    table.columns = { { "t1", jet::ColumnType::Text, 10 }, { "d", jet::ColumnType::Double, 0 },
        { "t2", jet::ColumnType::Text, 255 }, { "s", jet::ColumnType::Single, 0 } };
    table.rows = { { std::nullopt, std::nullopt, std::nullopt, std::nullopt }, { "", "0", "", "0" },
        { std::nullopt, "-0.125", "last column set", std::nullopt }, { "first", std::nullopt, std::nullopt, "1e-3" },
        { "0123456789", "1e300", std::string(255, 'z'), "3.4e38" } };
    return table;
}

jet::Table emptyTable()
{
    jet::Table table;
    table.name = "Nothing Yet";
    table.columns = { { "d", jet::ColumnType::Double, 0 }, { "t", jet::ColumnType::Text, 10 } };
    return table;
}

// Many short rows: more than the 255 a data page may hold.
jet::Table shortRowsTable()
{
    jet::Table table;
    table.name = "Short";
    table.columns = { { "n", jet::ColumnType::Int, 0 } };
    for (int i = 0; i < 600; ++i)
        table.rows.push_back({ std::to_string(i) });
    return table;
}

// The size table as another program might have left it: a field missing, another name,
// the records in reverse order.
jet::Table reorderedSizeTable()
{
    jet::Table table = jettest::reviewedSizeTable(false);
    table.name = "六角穴付ボルト 旧";
    table.columns.erase(table.columns.begin() + 4);
    for (auto& row : table.rows)
        row.erase(row.begin() + 4);
    std::reverse(table.rows.begin(), table.rows.end());
    return table;
}

// Memo texts of every length that changes how they are kept: in the row (up to 64 bytes),
// on a long-value page of their own, or spread over several; 2040 UTF-16 characters fill a
// Jet 4 page exactly, 2036 bytes a Jet 3 one; 65535 is the most a Memo holds. A second table
// with a Memo of its own follows.
std::vector<jet::Table> memoTables()
{
    jet::Table notes;
    notes.name = "Notes";
    notes.columns = { { "id", jet::ColumnType::Long, 0 }, { "note", jet::ColumnType::Memo, 0 },
        { "tag", jet::ColumnType::Text, 10 } };
    notes.rows.push_back({ "0", std::nullopt, "null" });
    int id = 1;
    for (const int length : { 0, 1, 32, 33, 64, 65, 2000, 2036, 2037, 2040, 2041, 30000, 65535 }) {
        std::string text;
        for (int i = 0; i < length; ++i)
            text += static_cast<char>('A' + (i / 7 + id) % 26); // a misplaced part shows
        notes.rows.push_back({ std::to_string(id++), text, std::to_string(length) });
    }
    jet::Table other;
    other.name = "Other";
    other.columns = { { "m", jet::ColumnType::Memo, 0 }, { "k", jet::ColumnType::Text, 10 } };
    other.rows = { { std::string(300, 'z'), "first" }, { "short", std::nullopt } };
    return { notes, other };
}

bool isAscii(const jet::Table& table)
{
    auto ascii = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    };
    bool all = ascii(table.name);
    for (const auto& column : table.columns)
        all = all && ascii(column.name);
    for (const auto& row : table.rows)
        for (const auto& cell : row)
            all = all && (!cell || ascii(*cell));
    return all;
}

} // namespace

class ReadbackTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString path(const QString& name) const { return dir_.filePath(name); }

    // Checks with every reader that can: mdb-reader decodes Jet 3 texts as windows-1252.
    void verifyEverywhere(const QString& file, const std::vector<jet::Table>& tables, Format format)
    {
        const QString libmdb = jettest::checkWithMdbTools(file, tables);
        QVERIFY2(libmdb.isEmpty(), qPrintable(libmdb));
        if (format == Format::Jet4 || std::all_of(tables.begin(), tables.end(), isAscii)) {
            const QString reader = jettest::checkWithMdbReader(file, tables);
            QVERIFY2(reader.isEmpty(), qPrintable(reader));
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        for (const char* tool : { "mdb-tables", "mdb-schema", "mdb-export", "node" })
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(),
                qPrintable(
                    QStringLiteral("%1 is not installed (Debian: mdbtools, nodejs)").arg(QString::fromLatin1(tool))));
        QVERIFY2(QFileInfo::exists(QStringLiteral(QUILLDB_READBACK_DIR "/node_modules/mdb-reader/package.json")),
            "mdb-reader is not installed; the test quilldb_readback_npm installs it");
    }

    void sizeTableFromQuilldb_data()
    {
        QTest::addColumn<Format>("format");
        QTest::addColumn<bool>("single");
        QTest::addColumn<bool>("sources");
        // 22 rows of Single fit one 4 KiB page; the others do not.
        QTest::addColumn<int>("minDataPages");
        QTest::newRow("jet4 double") << Format::Jet4 << false << false << 2;
        QTest::newRow("jet4 single") << Format::Jet4 << true << false << 1;
        QTest::newRow("jet3 double") << Format::Jet3 << false << false << 2;
        QTest::newRow("jet3 single") << Format::Jet3 << true << false << 2;
        // And the 550 rows of the source table, its 根拠 a Memo.
        QTest::newRow("jet4 with sources") << Format::Jet4 << false << true << 3;
        QTest::newRow("jet3 with sources") << Format::Jet3 << false << true << 3;
    }

    // The 22 reviewed records through the command line, in CSV order, on several pages; with
    // the 550 source rows when asked.
    void sizeTableFromQuilldb()
    {
        QFETCH(Format, format);
        QFETCH(bool, single);
        QFETCH(bool, sources);
        QFETCH(int, minDataPages);
        const QString file
            = path(QStringLiteral("sizes-%1-%2-%3.mdb").arg(formatName(format)).arg(single).arg(sources));
        QStringList args { QStringLiteral("build"), jettest::reviewedCsvPath(), file, QStringLiteral("--format"),
            formatName(format) };
        if (single)
            args << QStringLiteral("--single");
        if (sources)
            args << QStringLiteral("--sources") << jettest::reviewedSourcesPath();
        const auto build = jettest::run(jettest::quilldbPath(), args);
        QVERIFY2(build.exitCode == 0, build.err.constData());

        std::vector<jet::Table> expected { jettest::reviewedSizeTable(single) };
        QCOMPARE(expected.front().rows.size(), std::size_t(22));
        if (sources) {
            expected.push_back(jettest::reviewedSourceTable(format));
            QCOMPARE(expected.back().rows.size(), std::size_t(22 * 25));
            QCOMPARE(expected.back().columns.back().type, jet::ColumnType::Memo);
        }
        verifyEverywhere(file, expected, format);
        QVERIFY(jettest::dataPageCount(testfiles::readFile(file), format) >= minDataPages);
    }

    void sizeTableOfManyRows_data()
    {
        QTest::addColumn<Format>("format");
        QTest::addColumn<bool>("single");
        QTest::newRow("jet4 double") << Format::Jet4 << false;
        QTest::newRow("jet4 single") << Format::Jet4 << true;
        QTest::newRow("jet3 double") << Format::Jet3 << false;
        QTest::newRow("jet3 single") << Format::Jet3 << true;
    }

    // 66 records (the reviewed ones three times) on several data pages, still in order.
    void sizeTableOfManyRows()
    {
        QFETCH(Format, format);
        QFETCH(bool, single);
        const jet::Table table = jettest::reviewedSizeTable(single, 3);
        QCOMPARE(table.rows.size(), std::size_t(66));
        const QString file = path(QStringLiteral("sizes66-%1-%2.mdb").arg(formatName(format)).arg(single));
        jet::writeDatabaseFile(table, format, file.toStdString());
        verifyEverywhere(file, { table }, format);
        QVERIFY(jettest::dataPageCount(testfiles::readFile(file), format) >= 2);
    }

    // The file the build installs: 22 records and their 550 source rows equal to the reviewed
    // CSVs, and up to date with them.
    void bundledDatabase()
    {
        const QString bundled = QStringLiteral(QUILLDAT_MDB);
        QVERIFY2(QFileInfo::exists(bundled), "the build makes quilldat.mdb");
        verifyEverywhere(
            bundled, { jettest::reviewedSizeTable(false), jettest::reviewedSourceTable(Format::Jet4) }, Format::Jet4);

        const QString fresh = path(QStringLiteral("fresh.mdb"));
        const auto build = jettest::run(jettest::quilldbPath(),
            { QStringLiteral("build"), jettest::reviewedCsvPath(), fresh, QStringLiteral("--sources"),
                jettest::reviewedSourcesPath() });
        QVERIFY2(build.exitCode == 0, build.err.constData());
        QVERIFY2(testfiles::readFile(fresh) == testfiles::readFile(bundled), "quilldat.mdb is older than the CSV");
    }

    // Windows-31J, not plain Shift-JIS: "～", "－" and "①" have codes only in code page 932.
    void jet3Windows31J()
    {
        jet::Table table = jettest::reviewedSizeTable(false);
        table.rows[0][0] = "M3～－①";
        const QString file = path(QStringLiteral("cp932.mdb"));
        jet::writeDatabaseFile(table, Format::Jet3, file.toStdString());

        const QByteArray bytes = testfiles::readFile(file);
        QVERIFY(
            bytes.contains(QByteArray("\x98\x5a\x8a\x70\x8c\x8a\x95\x74\x83\x7b\x83\x8b\x83\x67"))); // 六角穴付ボルト
        QVERIFY(bytes.contains(QByteArray("M3\x81\x60\x81\x7c\x87\x40")));
        const QString libmdb = jettest::checkWithMdbTools(file, { table });
        QVERIFY2(libmdb.isEmpty(), qPrintable(libmdb));

        // The same bytes read as plain Shift-JIS do not give the text back.
        const auto plain = jettest::run(QStringLiteral("mdb-export"), { file, QString::fromStdString(table.name) },
            { QStringLiteral("MDB_JET3_CHARSET=SHIFT_JIS") });
        QVERIFY(!QString::fromUtf8(plain.out).contains(QStringLiteral("M3～－①")));
    }

    void fixtures_data()
    {
        QTest::addColumn<Format>("format");
        QTest::addColumn<std::vector<jet::Table>>("tables");
        QTest::addColumn<int>("minDataPages");
        using Tables = std::vector<jet::Table>;
        for (const Format format : { Format::Jet4, Format::Jet3 }) {
            const QString f = formatName(format) + QLatin1Char(' ');
            QTest::newRow(qPrintable(f + QStringLiteral("empty table"))) << format << Tables { emptyTable() } << 0;
            QTest::newRow(qPrintable(f + QStringLiteral("NULLs and empty texts")))
                << format << Tables { nullsTable() } << 1;
            QTest::newRow(qPrintable(f + QStringLiteral("Integer and Long")))
                << format << Tables { integerTable() } << 1;
            QTest::newRow(qPrintable(f + QStringLiteral("rows across 256-byte marks")))
                << format << Tables { wideRowsTable() } << 2;
            QTest::newRow(qPrintable(f + QStringLiteral("255 rows a page at most")))
                << format << Tables { shortRowsTable() } << 3;
            QTest::newRow(qPrintable(f + QStringLiteral("size table renamed, field missing, reversed")))
                << format << Tables { reorderedSizeTable() } << 1;
            QTest::newRow(qPrintable(f + QStringLiteral("Memo texts in the row, on a page, over pages")))
                << format << memoTables() << 2;
            QTest::newRow(qPrintable(f + QStringLiteral("three tables, one empty")))
                << format << Tables { integerTable(), emptyTable(), nullsTable() } << 2;
        }
    }

    void fixtures()
    {
        QFETCH(Format, format);
        QFETCH(std::vector<jet::Table>, tables);
        QFETCH(int, minDataPages);
        const QString file
            = path(QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'))
                + QStringLiteral(".mdb"));
        jet::writeDatabaseFile(tables, format, file.toStdString());
        verifyEverywhere(file, tables, format);
        QVERIFY(jettest::dataPageCount(testfiles::readFile(file), format) >= minDataPages);
    }
};

ROSTARI_TEST_MAIN(ReadbackTest)
#include "quilldb_readback_test.moc"
