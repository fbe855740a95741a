// The writer's own rules: number and text conversion, the limits it enforces, the
// header mask, page limits, determinism and the all-or-nothing file write. Read-back
// through independent readers is in quilldb_readback_test.

#include "mdbtable.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <jetwriter.h>
#include <numbers.h>
#include <rc4.h>
#include <string>
#include <textcodec.h>

Q_DECLARE_METATYPE(jet::Format)
Q_DECLARE_METATYPE(jet::Table)

using jet::ColumnType;
using jet::Format;
using jet::detail::NumberError;

namespace {

constexpr std::size_t npos = jet::Error::npos;

std::uint32_t bitsOf(float f)
{
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

QByteArray hex(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())).toHex(' ');
}

jet::Table oneColumn(ColumnType type, jet::Cell cell, int textLength = 10)
{
    return { "T", { { "c", type, type == ColumnType::Text ? textLength : 0 } }, { { std::move(cell) } } };
}

jet::Table smallTable()
{
    return { "Small", { { "name", ColumnType::Text, 10 }, { "value", ColumnType::Double, 0 } },
        { { "a", "1.5" }, { std::nullopt, "-2" }, { "c", std::nullopt } } };
}

std::uint32_t le32(const std::vector<std::uint8_t>& file, std::size_t at)
{
    return std::uint32_t(file[at]) | std::uint32_t(file[at + 1]) << 8 | std::uint32_t(file[at + 2]) << 16
        | std::uint32_t(file[at + 3]) << 24;
}

} // namespace

class JetWriterTest : public QObject {
    Q_OBJECT

private slots:
    void rc4Keystream()
    {
        const std::array<std::uint8_t, 4> key { 0xC7, 0xDA, 0x39, 0x6B };
        std::vector<std::uint8_t> data(128, 0);
        jet::detail::rc4Xor(key, data);
        QCOMPARE(hex({ data.begin(), data.begin() + 8 }), QByteArray("b5 6f 03 62 61 08 c2 55"));
        jet::detail::rc4Xor(key, data);
        QVERIFY(std::all_of(data.begin(), data.end(), [](std::uint8_t b) { return b == 0; }));
    }

    void header_data()
    {
        QTest::addColumn<Format>("format");
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("codePage");
        QTest::newRow("jet4") << Format::Jet4 << 4096 << 1 << 1252;
        QTest::newRow("jet3") << Format::Jet3 << 2048 << 0 << 932;
    }

    // Unmasked, the header names the version, the code page and database key 0 (no encryption).
    void header()
    {
        QFETCH(Format, format);
        QFETCH(int, pageSize);
        QFETCH(int, version);
        QFETCH(int, codePage);
        std::vector<std::uint8_t> file = jet::writeDatabase(smallTable(), format);
        QCOMPARE(file.size() % static_cast<std::size_t>(pageSize), std::size_t(0));
        QCOMPARE(file[0x14], std::uint8_t(version));
        QCOMPARE(std::string(reinterpret_cast<const char*>(&file[4]), 15), std::string("Standard Jet DB"));
        const std::array<std::uint8_t, 4> key { 0xC7, 0xDA, 0x39, 0x6B };
        jet::detail::rc4Xor(key, std::span(file).subspan(0x18, format == Format::Jet4 ? 128 : 126));
        QCOMPARE(int(file[0x3C] | file[0x3D] << 8), codePage);
        QCOMPARE(le32(file, 0x3E), std::uint32_t(0));
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");
        QTest::addColumn<double>("value");
        const int ok = int(NumberError::None);
        const int nan = int(NumberError::NotANumber);
        const int range = int(NumberError::OutOfRange);
        auto row = [](const char* tag, const char* type, const char* text, int error, double value = 0) {
            QTest::newRow(tag) << QString::fromLatin1(type) << QString::fromLatin1(text) << error << value;
        };
        row("integer", "double", "3", ok, 3);
        row("negative fraction", "double", "-0.5", ok, -0.5);
        row("plus sign", "double", "+2", ok, 2);
        row("leading point", "double", ".5", ok, 0.5);
        row("trailing point", "double", "5.", ok, 5);
        row("exponent", "double", "1.25E-3", ok, 0.00125);
        row("leading zeros", "double", "00012", ok, 12);
        row("zero with huge exponent", "double", "0e-500", ok, 0);
        row("empty", "double", "", nan);
        row("blank before", "double", " 1", nan);
        row("blank after", "double", "1 ", nan);
        row("decimal comma", "double", "1,5", nan);
        row("word", "double", "abc", nan);
        row("nan", "double", "nan", nan);
        row("inf", "double", "inf", nan);
        row("minus infinity", "double", "-infinity", nan);
        row("hexadecimal", "double", "0x10", nan);
        row("exponent without digits", "double", "1e", nan);
        row("two signs", "double", "+-1", nan);
        row("two points", "double", "1.2.3", nan);
        row("lone point", "double", ".", nan);
        row("double overflow", "double", "1e309", range);
        row("double negative overflow", "double", "-1e309", range);
        row("double underflow to zero", "double", "1e-400", range);
        row("single", "single", "2.5", ok, 2.5);
        row("single largest", "single", "3.4028234e38", ok, 3.4028234663852886e38);
        row("single overflow", "single", "3.5e38", range);
        row("single underflow to zero", "single", "1e-50", range);
        row("single nan", "single", "NaN", nan);
        row("int16 largest", "int16", "32767", ok, 32767);
        row("int16 smallest", "int16", "-32768", ok, -32768);
        row("int16 plus", "int16", "+5", ok, 5);
        row("int16 overflow", "int16", "32768", range);
        row("int16 underflow", "int16", "-32769", range);
        row("int16 huge", "int16", "99999999999999999999", range);
        row("int16 fraction", "int16", "1.5", nan);
        row("int16 exponent", "int16", "1e3", nan);
        row("int16 sign only", "int16", "-", nan);
        row("int16 empty", "int16", "", nan);
    }

    void numbers()
    {
        QFETCH(QString, type);
        QFETCH(QString, text);
        QFETCH(int, error);
        QFETCH(double, value);
        const std::string s = text.toStdString();
        if (type == QLatin1String("double")) {
            const auto parsed = jet::detail::parseDouble(s);
            QCOMPARE(int(parsed.error), error);
            if (error == int(NumberError::None))
                QCOMPARE(parsed.value, value);
        } else if (type == QLatin1String("single")) {
            const auto parsed = jet::detail::parseSingle(s);
            QCOMPARE(int(parsed.error), error);
            if (error == int(NumberError::None))
                QCOMPARE(double(parsed.value), value);
        } else {
            const auto parsed = jet::detail::parseInteger(s, -32768, 32767);
            QCOMPARE(int(parsed.error), error);
            if (error == int(NumberError::None))
                QCOMPARE(double(parsed.value), value);
        }
    }

    // Just above the midpoint of 1 and the next float: one rounding gives the float above;
    // rounding to double first lands on the midpoint, which then rounds (to even) down to 1.
    void singleRoundsOnce()
    {
        const char* text = "1.0000000596046447753906250001";
        QCOMPARE(bitsOf(jet::detail::parseSingle(text).value), std::uint32_t(0x3F800001));
        QCOMPARE(bitsOf(static_cast<float>(jet::detail::parseDouble(text).value)), std::uint32_t(0x3F800000));
    }

    void texts_data()
    {
        QTest::addColumn<Format>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("length");
        QTest::newRow("jet3 ascii") << Format::Jet3 << QStringLiteral("M3") << QByteArray("4d 33") << 2;
        // The Windows-31J codes; plain Shift-JIS has other characters or none at these.
        QTest::newRow("jet3 windows-31j")
            << Format::Jet3 << QStringLiteral("～－①") << QByteArray("81 60 81 7c 87 40") << 6;
        QTest::newRow("jet3 table name") << Format::Jet3 << QStringLiteral("六角穴付ボルト")
                                         << QByteArray("98 5a 8a 70 8c 8a 95 74 83 7b 83 8b 83 67") << 14;
        QTest::newRow("jet3 half-width katakana") << Format::Jet3 << QStringLiteral("ｱ") << QByteArray("b1") << 1;
        QTest::newRow("jet4 full-width and apostrophe")
            << Format::Jet4 << QStringLiteral("ｄ'") << QByteArray("44 ff 27 00") << 2;
        QTest::newRow("jet4 beyond the BMP") << Format::Jet4 << QStringLiteral("😀") << QByteArray("3d d8 00 de") << 2;
        QTest::newRow("jet4 empty") << Format::Jet4 << QString() << QByteArray() << 0;
    }

    void texts()
    {
        QFETCH(Format, format);
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        QFETCH(int, length);
        jet::detail::TextEncoder encoder(format);
        const auto bytes = encoder.encode(text.toStdString());
        QCOMPARE(hex(bytes), stored);
        QCOMPARE(int(encoder.lengthOf(bytes)), length);
    }

    void badTexts_data()
    {
        QTest::addColumn<Format>("format");
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QString>("message");
        QTest::newRow("no code in 932") << Format::Jet3 << QByteArray("price €") << QStringLiteral("U+20AC");
        // iconv would store these as another character's code; they would read back changed.
        QTest::newRow("yen sign in 932") << Format::Jet3 << QByteArray("\xc2\xa5") << QStringLiteral("U+00A5");
        QTest::newRow("overline in 932") << Format::Jet3 << QByteArray("\xe2\x80\xbe") << QStringLiteral("U+203E");
        QTest::newRow("emoji in 932") << Format::Jet3 << QByteArray("\xf0\x9f\x98\x80") << QStringLiteral("U+1F600");
        for (const Format format : { Format::Jet4, Format::Jet3 }) {
            const char* f = format == Format::Jet4 ? "jet4 " : "jet3 ";
            const QString invalid = QStringLiteral("not valid UTF-8");
            QTest::newRow((std::string(f) + "stray byte").c_str()) << format << QByteArray("a\xff") << invalid;
            QTest::newRow((std::string(f) + "overlong").c_str()) << format << QByteArray("\xc0\xaf") << invalid;
            QTest::newRow((std::string(f) + "surrogate").c_str()) << format << QByteArray("\xed\xa0\x80") << invalid;
            QTest::newRow((std::string(f) + "cut short").c_str()) << format << QByteArray("\xe3\x81") << invalid;
            QTest::newRow((std::string(f) + "beyond U+10FFFF").c_str())
                << format << QByteArray("\xf4\x90\x80\x80") << invalid;
        }
    }

    void badTexts()
    {
        QFETCH(Format, format);
        QFETCH(QByteArray, utf8);
        QFETCH(QString, message);
        jet::detail::TextEncoder encoder(format);
        try {
            encoder.encode(utf8.toStdString());
            QFAIL("accepted");
        } catch (const jet::Error& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(message), e.what());
        }
    }

    // What libmdb and the writer take from iconv (glibc's, on Windows the layer in
    // third_party/iconv_win): the conversion, and where and why it stops.
    void iconvStops_data()
    {
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("room");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("consumed");
        QTest::addColumn<int>("error");
        const QByteArray name("\x98\x5a\x8a\x70\x8c\x8a\x95\x74\x83\x7b\x83\x8b\x83\x67");
        QTest::newRow("name from 932") << QByteArray("UTF-8") << QByteArray("CP932") << name << 64
                                       << QByteArray("六角穴付ボルト") << 14 << 0;
        QTest::newRow("Windows-31J signs to 932") << QByteArray("CP932") << QByteArray("UTF-8") << QByteArray("～－①")
                                                  << 64 << QByteArray("\x81\x60\x81\x7c\x87\x40") << 9 << 0;
        QTest::newRow("UCS-2LE") << QByteArray("UTF-8") << QByteArray("UCS-2LE") << QByteArray("\x6d\x51\xd2\x89", 4)
                                 << 64 << QByteArray("六角") << 4 << 0;
        QTest::newRow("UCS-2LE surrogate")
            << QByteArray("UTF-8") << QByteArray("UCS-2LE") << QByteArray("A\0\x3d\xd8\x00\xde", 6) << 64
            << QByteArray("A") << 2 << EILSEQ;
        QTest::newRow("cut short") << QByteArray("CP932") << QByteArray("UTF-8") << QByteArray("a\xe3\x81") << 64
                                   << QByteArray("a") << 1 << EINVAL;
        QTest::newRow("no room") << QByteArray("CP932") << QByteArray("UTF-8") << QByteArray("a六") << 2
                                 << QByteArray("a") << 1 << E2BIG;
        QTest::newRow("no code") << QByteArray("CP932") << QByteArray("UTF-8") << QByteArray("a€") << 64
                                 << QByteArray("a") << 1 << EILSEQ;
    }
    void iconvStops()
    {
        QFETCH(QByteArray, to);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, input);
        QFETCH(int, room);
        QFETCH(QByteArray, output);
        QFETCH(int, consumed);
        QFETCH(int, error);
        const iconv_t cd = iconv_open(to.constData(), from.constData());
        QVERIFY(cd != reinterpret_cast<iconv_t>(-1));
        char* in = input.data();
        std::size_t inLeft = static_cast<std::size_t>(input.size());
        QByteArray buffer(room, '\0');
        char* out = buffer.data();
        std::size_t outLeft = static_cast<std::size_t>(room);
        errno = 0;
        const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        const int got = result == static_cast<std::size_t>(-1) ? errno : 0;
        iconv_close(cd);
        QCOMPARE(got, error);
        QCOMPARE(int(in - input.data()), consumed);
        QCOMPARE(buffer.left(int(out - buffer.data())).toHex(' '), output.toHex(' '));
    }

    void rejectedTables_data()
    {
        QTest::addColumn<Format>("format");
        QTest::addColumn<jet::Table>("table");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("message");
        const int none = -1;
        auto add = [](const char* tag, Format format, jet::Table table, int row, int column, const char* message) {
            QTest::newRow(tag) << format << std::move(table) << row << column << QString::fromUtf8(message);
        };
        add("text too long", Format::Jet4, oneColumn(ColumnType::Text, "ABCDEFGHIJK"), 0, 0,
            "takes 11 characters; the field holds 10");
        add("jet3 counts bytes", Format::Jet3, oneColumn(ColumnType::Text, "六角穴付ボル"), 0, 0,
            "takes 12 bytes in code page 932; the field holds 10");
        add("not a number", Format::Jet4, oneColumn(ColumnType::Double, "12mm"), 0, 0, "\"12mm\" is not a number");
        add("single out of range", Format::Jet4, oneColumn(ColumnType::Single, "1e39"), 0, 0,
            "out of range for Single");
        add("int out of range", Format::Jet3, oneColumn(ColumnType::Int, "40000"), 0, 0, "out of range for Integer");
        add("long out of range", Format::Jet4, oneColumn(ColumnType::Long, "2147483648"), 0, 0,
            "out of range for Long Integer");
        add("empty number", Format::Jet4, oneColumn(ColumnType::Double, ""), 0, 0, "\"\" is not a number");

        jet::Table ragged = smallTable();
        ragged.rows[1].pop_back();
        add("ragged row", Format::Jet4, ragged, 1, none, "the row has 1 cells; the table has 2 columns");

        jet::Table twice = smallTable();
        twice.columns[1].name = "NAME";
        add("duplicate column", Format::Jet4, twice, none, 1, "\"NAME\" appears twice");
        jet::Table unnamed = smallTable();
        unnamed.columns[0].name.clear();
        add("empty column name", Format::Jet4, unnamed, none, 0, "is empty");
        jet::Table dotted = smallTable();
        dotted.columns[1].name = "a.b";
        add("dot in a name", Format::Jet3, dotted, none, 1, "holds a character names may not have");
        jet::Table longName = smallTable();
        longName.columns[1].name = std::string(65, 'n');
        add("name too long", Format::Jet4, longName, none, 1, "longer than 64 characters");
        jet::Table catalog = smallTable();
        catalog.name = "msysobjects";
        add("catalog's name", Format::Jet4, catalog, none, none, "is the catalog's");
        jet::Table noColumns { "T", {}, {} };
        add("no columns", Format::Jet4, noColumns, none, none, "has no columns");
        jet::Table zeroText = oneColumn(ColumnType::Text, "x", 0);
        add("text size 0", Format::Jet4, zeroText, none, 0, "has size 0; it must be 1 to 255");
        jet::Table bigText = oneColumn(ColumnType::Text, "x", 256);
        add("text size 256", Format::Jet3, bigText, none, 0, "has size 256");

        jet::Table wide;
        wide.name = "Wide";
        for (int i = 0; i < 9; ++i)
            wide.columns.push_back({ "t" + std::to_string(i), ColumnType::Text, 255 });
        wide.rows.emplace_back(9, std::string(255, 'w'));
        add("jet3 row too large", Format::Jet3, wide, 0, none, "a row may take at most 2012");

        jet::Table manyColumns;
        manyColumns.name = "Many";
        for (int i = 0; i < 150; ++i)
            manyColumns.columns.push_back({ "column number " + std::to_string(i), ColumnType::Double, 0 });
        add("definition beyond one page", Format::Jet4, manyColumns, none, none, "it must fit one page of 4096");
        manyColumns.columns.resize(256, { "x", ColumnType::Double, 0 });
        add("256 columns", Format::Jet4, manyColumns, none, none, "at most 255 are allowed");

        // One row of about 2 KiB a page: 507 data pages after the six fixed ones exceed 512.
        jet::Table pages;
        pages.name = "Pages";
        for (int i = 0; i < 4; ++i)
            pages.columns.push_back({ "t" + std::to_string(i), ColumnType::Text, 255 });
        pages.rows.assign(507, jet::Row(4, std::string(255, 'p')));
        add("more pages than the map holds", Format::Jet4, pages, none, none, "need 513 pages");

        jet::Table memo { "M", { { "id", ColumnType::Long, 0 }, { "m", ColumnType::Memo, 0 } }, {} };
        memo.rows = { { "1", "short" }, { "2", std::string(jet::kMaxMemoLength + 1, 'm') } };
        add("memo too long", Format::Jet4, memo, 1, 1, "takes 65536 characters; a Memo field holds 65535");
        std::string wide932;
        for (int i = 0; i < 32768; ++i)
            wide932 += "あ";
        memo.rows[1][1] = wide932;
        add("jet3 memo counts bytes", Format::Jet3, memo, 1, 1, "takes 65536 bytes in code page 932");
    }

    void rejectedTables()
    {
        QFETCH(Format, format);
        QFETCH(jet::Table, table);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, message);
        try {
            jet::writeDatabase(table, format);
            QFAIL("written");
        } catch (const jet::Error& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(message), e.what());
            QCOMPARE(e.row(), row < 0 ? npos : std::size_t(row));
            QCOMPARE(e.column(), column < 0 ? npos : std::size_t(column));
        }
    }

    // Problems that concern the set of tables: the error names the table.
    void rejectedTableSets_data()
    {
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("message");
        QTest::newRow("no table") << QStringLiteral("none") << -1 << -1 << QStringLiteral("there is no table");
        QTest::newRow("same name in other case")
            << QStringLiteral("twice") << 1 << -1 << QStringLiteral("\"SMALL\" appears twice");
        QTest::newRow("bad cell in the second table")
            << QStringLiteral("cell") << 1 << 2 << QStringLiteral("\"x\" is not a number");
    }

    void rejectedTableSets()
    {
        QFETCH(QString, problem);
        QFETCH(int, table);
        QFETCH(int, row);
        QFETCH(QString, message);
        std::vector<jet::Table> tables { smallTable(), smallTable() };
        if (problem == QLatin1String("none")) {
            tables.clear();
        } else if (problem == QLatin1String("twice")) {
            tables[1].name = "SMALL";
        } else {
            tables[1].name = "Second";
            tables[1].rows[2][1] = "x";
        }
        for (const Format format : { Format::Jet4, Format::Jet3 }) {
            try {
                jet::writeDatabase(tables, format);
                QFAIL("written");
            } catch (const jet::Error& e) {
                QVERIFY2(QString::fromUtf8(e.what()).contains(message), e.what());
                QCOMPARE(e.table(), table < 0 ? npos : std::size_t(table));
                QCOMPARE(e.row(), row < 0 ? npos : std::size_t(row));
            }
        }
    }

    void acceptedLimits_data()
    {
        QTest::addColumn<Format>("format");
        QTest::addColumn<jet::Table>("table");
        QTest::newRow("jet4 ten characters") << Format::Jet4 << oneColumn(ColumnType::Text, "六角穴付ボルトＭ３Ｘ");
        QTest::newRow("jet3 ten bytes") << Format::Jet3 << oneColumn(ColumnType::Text, "六角穴付ボ");
        QTest::newRow("jet4 255 characters") << Format::Jet4 << oneColumn(ColumnType::Text, std::string(255, 'x'), 255);
        jet::Table longName = smallTable();
        longName.name = std::string(64, 'n');
        QTest::newRow("jet4 64-character table name") << Format::Jet4 << longName;
        QTest::newRow("jet3 64-character table name") << Format::Jet3 << longName;
        // The longest Memo: three UTF-8 bytes a character, beyond libmdb's default of 16 KiB.
        std::string longest;
        for (std::size_t i = 0; i < jet::kMaxMemoLength; ++i)
            longest += "あ";
        QTest::newRow("jet4 longest memo") << Format::Jet4 << oneColumn(ColumnType::Memo, longest);
        QTest::newRow("jet3 longest memo")
            << Format::Jet3 << oneColumn(ColumnType::Memo, std::string(jet::kMaxMemoLength, 'x'));
    }

    // What the writer accepts at its limits reads back through libmdb (via the viewer's reader).
    void acceptedLimits()
    {
        QFETCH(Format, format);
        QFETCH(jet::Table, table);
        const auto file = jet::writeDatabase(table, format);
        const quill::MdbTable read = quill::readMdbTableBuffer(file.data(), file.size(), table.name);
        QCOMPARE(int(read.status), int(quill::MdbTable::Status::Ok));
        QCOMPARE(read.rows.size(), table.rows.size());
        QCOMPARE(read.rows.front().front(), table.rows.front().front());
    }

    // Row numbers are one byte in row pointers, so no data page may hold more than 255.
    void rowsPerPage_data()
    {
        QTest::addColumn<Format>("format");
        QTest::newRow("jet4") << Format::Jet4;
        QTest::newRow("jet3") << Format::Jet3;
    }

    void rowsPerPage()
    {
        QFETCH(Format, format);
        const std::size_t pageSize = format == Format::Jet4 ? 4096 : 2048;
        const std::size_t rowCountAt = format == Format::Jet4 ? 12 : 8;
        jet::Table table { "Short", { { "n", ColumnType::Int, 0 } }, {} };
        for (int i = 0; i < 1000; ++i)
            table.rows.push_back({ std::to_string(i) });
        const auto file = jet::writeDatabase(table, format);
        std::size_t rows = 0;
        for (std::size_t page = 0; page < file.size() / pageSize; ++page) {
            const std::uint8_t* p = &file[page * pageSize];
            if (p[0] != 0x01 || le32(file, page * pageSize + 4) == 2)
                continue; // not a data page, or the catalog's
            const std::size_t count = p[rowCountAt] | p[rowCountAt + 1] << 8;
            QVERIFY(count <= 255);
            rows += count;
        }
        QVERIFY(rows >= 1000);
        const quill::MdbTable read = quill::readMdbTableBuffer(file.data(), file.size(), "Short");
        QCOMPARE(read.rows.size(), std::size_t(1000));
        QCOMPARE(read.rows.back().front(), std::optional<std::string>("999"));
    }

    void deterministic_data() { rowsPerPage_data(); }

    void deterministic()
    {
        QFETCH(Format, format);
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("d.mdb")).toStdString();
        const auto first = jet::writeDatabase(smallTable(), format);
        jet::writeDatabaseFile(smallTable(), format, path);
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QCOMPARE(written, QByteArray(reinterpret_cast<const char*>(first.data()), qsizetype(first.size())));
        QVERIFY(jet::writeDatabase(smallTable(), format) == first);
        const quill::MdbTable read = quill::readMdbTableBuffer(first.data(), first.size(), "Small");
        QCOMPARE(read.fields, (std::vector<std::string> { "name", "value" }));
        QCOMPARE(read.rows.size(), std::size_t(3));
        QCOMPARE(read.rows[1][1], std::optional<std::string>("-2"));
    }

    // A write either replaces the target with the whole file or leaves everything as it was.
    void fileWrite()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("out.mdb"));
        QVERIFY(QFile(target).open(QIODevice::WriteOnly));
        jet::writeDatabaseFile(smallTable(), Format::Jet4, target.toStdString());
        QCOMPARE(QFileInfo(target).size(), qint64(jet::writeDatabase(smallTable(), Format::Jet4).size()));

        const QString folderTarget = dir.filePath(QStringLiteral("folder.mdb"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.mdb")));
        QVERIFY_THROWS_EXCEPTION(
            jet::Error, jet::writeDatabaseFile(smallTable(), Format::Jet4, folderTarget.toStdString()));
        QVERIFY(QFileInfo(folderTarget).isDir());

        const QString missingFolder = dir.filePath(QStringLiteral("no/such/out.mdb"));
        try {
            jet::writeDatabaseFile(smallTable(), Format::Jet4, missingFolder.toStdString());
            QFAIL("written");
        } catch (const jet::Error& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(missingFolder), e.what());
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({ QStringLiteral("folder.mdb"), QStringLiteral("out.mdb") }));
    }
};

ROSTARI_TEST_MAIN(JetWriterTest)
#include "jetwriter_test.moc"
