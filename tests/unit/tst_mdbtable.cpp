// Reading size tables with libmdb: every value as its display text, in every file form
// the viewer meets, and a clear status for every file it cannot use.

#include "displayvalue.h"
#include "files.h"
#include "fixtures.h"
#include "mdbtable.h"
#include "sizefields.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>

#include <clocale>
#include <cstring>
#include <limits>

using quill::MdbTable;
namespace display = quill::display;

Q_DECLARE_METATYPE(jet::Format)

namespace {

QString s(const std::string& text)
{
    return QString::fromStdString(text);
}
QString s(const std::optional<std::string>& text)
{
    return text ? QString::fromStdString(*text) : QStringLiteral("<NULL>");
}

MdbTable read(const QString& path)
{
    return quill::readMdbTableFile(path.toStdString(), quill::kSizeTableName);
}

// Expected display text of a cell written from the CSV: Single values read back as the
// shortest text of that single, Double values as the shortest text of that double.
QString expectedText(const QString& written, jet::ColumnType type)
{
    if (written.isEmpty() || type == jet::ColumnType::Text)
        return written.isEmpty() ? QStringLiteral("<NULL>") : written;
    return type == jet::ColumnType::Single ? s(display::fromSingle(written.toFloat()))
                                           : s(display::fromDouble(written.toDouble()));
}

} // namespace

class TestMdbTable : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void everyValueComesBack_data()
    {
        QTest::addColumn<jet::Format>("format");
        QTest::addColumn<bool>("single");
        QTest::newRow("Jet 4, Double") << jet::Format::Jet4 << false;
        QTest::newRow("Jet 4, Single") << jet::Format::Jet4 << true;
        QTest::newRow("Jet 3 code page 932, Double") << jet::Format::Jet3 << false;
        QTest::newRow("Jet 3 code page 932, Single") << jet::Format::Jet3 << true;
    }
    void everyValueComesBack()
    {
        QFETCH(jet::Format, format);
        QFETCH(bool, single);
        const jet::Table table = fixtures::sizeTable(single);
        const MdbTable got = read(fixtures::write(m_dir.path(), table, format, QStringLiteral("all.mdb")));
        QCOMPARE(got.status, MdbTable::Status::Ok);
        QCOMPARE(got.fields.size(), std::size_t(26));
        for (std::size_t i = 0; i < quill::kSizeFields.size(); ++i)
            QCOMPARE(s(got.fields[i]), QString::fromUtf8(quill::kSizeFields[i].fieldName.data()));
        QCOMPARE(got.rows.size(), table.rows.size());
        for (std::size_t r = 0; r < table.rows.size(); ++r)
            for (std::size_t c = 0; c < table.columns.size(); ++c) {
                const QString written = table.rows[r][c] ? QString::fromStdString(*table.rows[r][c]) : QString();
                QCOMPARE(s(got.rows[r][c]), expectedText(written, table.columns[c].type));
            }
        // The texts a user reads: shortest form, no float noise.
        QCOMPARE(s(got.rows[0][got.fieldIndex("ｅ")]), QStringLiteral("2.87"));
        QCOMPARE(s(got.rows[0][got.fieldIndex("ネジのピッチ")]), QStringLiteral("0.5"));
        QCOMPARE(s(got.rows[5][got.fieldIndex("ネジの呼び")]), QStringLiteral("M10"));
        QCOMPARE(s(got.rows[5][got.fieldIndex("ｄｋ")]), QStringLiteral("16"));
        QCOMPARE(s(got.rows[0][got.fieldIndex("Ｄ２")]), QStringLiteral("<NULL>"));
    }

    void windows31JTextsInJet3()
    {
        jet::Table table;
        table.name = std::string(quill::kSizeTableName);
        table.columns = { { "ネジの呼び", jet::ColumnType::Text, 10 }, { "備考～－①", jet::ColumnType::Text, 40 } };
        table.rows = { { std::string("M3"), std::string("～－① ＼") } };
        const MdbTable got = read(fixtures::write(m_dir.path(), table, jet::Format::Jet3, QStringLiteral("cp932.mdb")));
        QCOMPARE(got.status, MdbTable::Status::Ok);
        QCOMPARE(s(got.fields[1]), QStringLiteral("備考～－①"));
        QCOMPARE(s(got.rows[0][1]), QStringLiteral("～－① ＼"));
    }

    void integerColumns()
    {
        jet::Table table;
        table.name = std::string(quill::kSizeTableName);
        table.columns = { { "a", jet::ColumnType::Int, 0 }, { "b", jet::ColumnType::Long, 0 } };
        table.rows = { { std::string("-32768"), std::string("2147483647") }, { std::string("7"), std::nullopt } };
        const MdbTable got = read(fixtures::write(m_dir.path(), table, jet::Format::Jet4, QStringLiteral("int.mdb")));
        QCOMPARE(got.status, MdbTable::Status::Ok);
        QCOMPARE(s(got.rows[0][0]), QStringLiteral("-32768"));
        QCOMPARE(s(got.rows[0][1]), QStringLiteral("2147483647"));
        QCOMPARE(s(got.rows[1][0]), QStringLiteral("7"));
        QCOMPARE(s(got.rows[1][1]), QStringLiteral("<NULL>"));
    }

    void valuesDoNotFollowTheLocale()
    {
        const char* previous = std::setlocale(LC_ALL, nullptr);
        const std::string saved = previous ? previous : "C";
        // The second name is Windows's own.
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "German_Germany.1252"))
            QSKIP("de_DE.UTF-8 is not generated on this machine");
        const MdbTable got = read(
            fixtures::write(m_dir.path(), fixtures::sizeTable(true), jet::Format::Jet4, QStringLiteral("de.mdb")));
        std::setlocale(LC_ALL, saved.c_str());
        QCOMPARE(got.status, MdbTable::Status::Ok);
        QCOMPARE(s(got.rows[0][got.fieldIndex("ｅ")]), QStringLiteral("2.87"));
        QCOMPARE(s(got.rows[0][got.fieldIndex("ｗ")]), QStringLiteral("1.15"));
    }

    void filesThatCannotBeUsed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("status");
        const QByteArray good = goodFile();
        QTest::newRow("missing") << QStringLiteral("missing.mdb") << QByteArray() << int(MdbTable::Status::Missing);
        QTest::newRow("empty") << QStringLiteral("empty.mdb") << QByteArray("") << int(MdbTable::Status::NotDatabase);
        QTest::newRow("text file") << QStringLiteral("text.mdb") << QByteArray("size,P\nM3,0.5\n")
                                   << int(MdbTable::Status::NotDatabase);
        QTest::newRow("header only") << QStringLiteral("header.mdb") << good.left(64)
                                     << int(MdbTable::Status::NotDatabase);
        QTest::newRow("zeros") << QStringLiteral("zeros.mdb") << QByteArray(8192, '\0')
                               << int(MdbTable::Status::NotDatabase);
        QTest::newRow("truncated after the catalog")
            << QStringLiteral("cut.mdb") << good.left(5 * 4096) << int(MdbTable::Status::Corrupt);
    }
    void filesThatCannotBeUsed()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(int, status);
        const QString path = m_dir.filePath(name);
        if (status != int(MdbTable::Status::Missing)) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const MdbTable got = read(path);
        QCOMPARE(int(got.status), status);
        QVERIFY(got.rows.empty());
        QVERIFY(!got.detail.empty());
    }

    void fileOpenForWritingElsewhere()
    {
#ifndef Q_OS_WIN
        QSKIP("only Windows keeps a reader out of a file another program writes");
#else
        const QString path
            = fixtures::write(m_dir.path(), fixtures::sizeTable(), jet::Format::Jet4, QStringLiteral("busy.mdb"));
        QFile other(path);
        QVERIFY(other.open(QIODevice::ReadWrite));
        const MdbTable got = read(path);
        QCOMPARE(got.status, MdbTable::Status::Locked);
        QVERIFY(got.rows.empty());
        other.close();
        QCOMPARE(read(path).status, MdbTable::Status::Ok);
#endif
    }

    void tableLookupIsExact()
    {
        jet::Table table = fixtures::sizeTable();
        table.name = "六角穴付ボルト ";
        QCOMPARE(read(fixtures::write(m_dir.path(), table, jet::Format::Jet4, QStringLiteral("name.mdb"))).status,
            MdbTable::Status::NoTable);
    }

    void emptyTable()
    {
        jet::Table table = fixtures::sizeTable();
        table.rows.clear();
        const MdbTable got = read(fixtures::write(m_dir.path(), table, jet::Format::Jet4, QStringLiteral("none.mdb")));
        QCOMPARE(got.status, MdbTable::Status::Ok);
        QCOMPARE(got.fields.size(), std::size_t(26));
        QVERIFY(got.rows.empty());
    }

    void folderAndRelativePath()
    {
        QCOMPARE(read(m_dir.path()).status, MdbTable::Status::Unreadable);
        QCOMPARE(read(QStringLiteral("quilldat.mdb")).status, MdbTable::Status::Missing);
#ifndef Q_OS_WIN // devices have no place among Windows's files
        QCOMPARE(read(QStringLiteral("/dev/zero")).status, MdbTable::Status::NotDatabase);
#endif
    }

    void displayTexts_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("double 10.75") << s(display::fromDouble(10.75)) << QStringLiteral("10.75");
        QTest::newRow("double 0.5") << s(display::fromDouble(0.5)) << QStringLiteral("0.5");
        QTest::newRow("double 10") << s(display::fromDouble(10)) << QStringLiteral("10");
        QTest::newRow("double -0") << s(display::fromDouble(-0.0)) << QStringLiteral("0");
        QTest::newRow("double 0.1+0.2") << s(display::fromDouble(0.1 + 0.2)) << QStringLiteral("0.30000000000000004");
        QTest::newRow("double 1e21, no exponent")
            << s(display::fromDouble(1e21)) << QStringLiteral("1000000000000000000000");
        QTest::newRow("double 1e-7") << s(display::fromDouble(1e-7)) << QStringLiteral("0.0000001");
        QTest::newRow("single 2.87") << s(display::fromSingle(2.87f)) << QStringLiteral("2.87");
        QTest::newRow("single 1.15") << s(display::fromSingle(1.15f)) << QStringLiteral("1.15");
        QTest::newRow("single 0.7") << s(display::fromSingle(0.7f)) << QStringLiteral("0.7");
        QTest::newRow("currency 10.7500") << s(display::fromCurrency(107500)) << QStringLiteral("10.75");
        QTest::newRow("currency -0.5") << s(display::fromCurrency(-5000)) << QStringLiteral("-0.5");
        QTest::newRow("currency 3") << s(display::fromCurrency(30000)) << QStringLiteral("3");
        QTest::newRow("currency smallest") << s(display::fromCurrency(std::numeric_limits<std::int64_t>::min()))
                                           << QStringLiteral("-922337203685477.5808");
        QTest::newRow("integer") << s(display::fromInteger(-42)) << QStringLiteral("-42");
        QTest::newRow("scaled 0.05") << s(display::fromScaled(false, "5", 2)) << QStringLiteral("0.05");
        QTest::newRow("scaled -123.450") << s(display::fromScaled(true, "123450", 3)) << QStringLiteral("-123.45");
        QTest::newRow("scaled negative zero") << s(display::fromScaled(true, "000", 2)) << QStringLiteral("0");
        QTest::newRow("nan") << s(display::fromDouble(std::numeric_limits<double>::quiet_NaN()))
                             << QStringLiteral("NaN");
    }
    void displayTexts()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void jetDecimal()
    {
        // 1075 at scale 2, stored as four little-endian words, most significant first.
        unsigned char bytes[17] = {};
        bytes[13] = 1075 & 0xff;
        bytes[14] = 1075 >> 8;
        QCOMPARE(s(display::fromJetDecimal(bytes, 2)), QStringLiteral("10.75"));
        bytes[0] = 0x80;
        QCOMPARE(s(display::fromJetDecimal(bytes, 2)), QStringLiteral("-10.75"));
        // 2^96 in the most significant word.
        unsigned char big[17] = {};
        big[1] = 1;
        QCOMPARE(s(display::fromJetDecimal(big, 0)), QStringLiteral("79228162514264337593543950336"));
    }

private:
    QByteArray goodFile()
    {
        return testfiles::readFile(
            fixtures::write(m_dir.path(), fixtures::sizeTable(), jet::Format::Jet4, QStringLiteral("good.mdb")));
    }

    QTemporaryDir m_dir;
};

ROSTARI_TEST_MAIN(TestMdbTable)
#include "tst_mdbtable.moc"
