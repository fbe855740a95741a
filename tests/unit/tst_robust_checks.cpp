// Damage the reader refuses before libmdb would crash on it or read rows at made-up places: a
// page map of length zero (for the catalog and for the size table), column definitions no
// Access file has, long texts whose pages are missing or run in a circle. The same damage to
// the free-space maps, which reading does not follow, must still read.

#include "fixtures.h"
#include "mdbtable.h"
#include "sizefields.h"
#include "testmain.h"

#include <cstdint>
#include <vector>

using quill::MdbTable;

Q_DECLARE_METATYPE(jet::Format)

namespace {

struct Layout {
    std::size_t pageSize;
    std::size_t rowCountOffset; // on a data page
    // In a table definition (without indexes):
    std::size_t ownedMapOffset;
    std::size_t freeMapOffset;
    std::size_t columnCountOffset;
    std::size_t columnsOffset;
    std::size_t columnEntrySize;
    std::size_t nameLengthSize; // names follow the column entries, each after its byte length
};

Layout layoutOf(jet::Format format)
{
    return format == jet::Format::Jet4 ? Layout { 4096, 12, 55, 59, 45, 63, 25, 2 }
                                       : Layout { 2048, 8, 35, 39, 25, 43, 18, 1 };
}

unsigned le16(const std::uint8_t* p)
{
    return p[0] | p[1] << 8;
}
std::uint32_t le32(const std::uint8_t* p)
{
    return std::uint32_t(le16(p)) | std::uint32_t(le16(p + 2)) << 16;
}
void put16(std::uint8_t* p, unsigned value)
{
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}
void put32(std::uint8_t* p, std::uint32_t value)
{
    put16(p, value & 0xffff);
    put16(p + 2, value >> 16);
}

// The definition page of the size table: the first definition after the catalog's.
std::size_t sizeTableDefinition(const std::vector<std::uint8_t>& file, const Layout& layout)
{
    for (std::size_t page = 3; page < file.size() / layout.pageSize; ++page)
        if (file[page * layout.pageSize] == 0x02)
            return page;
    return 0;
}

// Points one page map of a table at a new row of length zero on the map's own page: the
// new row starts where the page's last row starts.
void pointAtEmptyRow(
    std::vector<std::uint8_t>& file, const Layout& layout, std::size_t definitionPage, std::size_t mapOffset)
{
    std::uint8_t* definition = file.data() + definitionPage * layout.pageSize;
    const std::uint32_t pageRow = le32(definition + mapOffset);
    std::uint8_t* page = file.data() + (pageRow >> 8) * layout.pageSize;
    const unsigned rows = le16(page + layout.rowCountOffset);
    std::uint8_t* offsets = page + layout.rowCountOffset + 2;
    put16(offsets + 2 * rows, le16(offsets + 2 * (rows - 1)));
    put16(page + layout.rowCountOffset, rows + 1);
    put32(definition + mapOffset, (pageRow & ~0xffu) | rows);
}

// Where each column name's bytes start in the definition, with their length.
std::vector<std::pair<std::size_t, std::size_t>> columnNames(
    const std::vector<std::uint8_t>& file, const Layout& layout, std::size_t definitionPage)
{
    const std::uint8_t* definition = file.data() + definitionPage * layout.pageSize;
    const unsigned columns = le16(definition + layout.columnCountOffset);
    std::size_t at = layout.columnsOffset + columns * layout.columnEntrySize;
    std::vector<std::pair<std::size_t, std::size_t>> names;
    for (unsigned i = 0; i < columns; ++i) {
        const std::size_t length = layout.nameLengthSize == 2 ? le16(definition + at) : definition[at];
        at += layout.nameLengthSize;
        names.emplace_back(definitionPage * layout.pageSize + at, length);
        at += length;
    }
    return names;
}

// A table with two Memo texts kept outside their rows: one on a long-value page of its own,
// one spread over a chain of such pages.
jet::Table longTexts()
{
    return { "Long", { { "id", jet::ColumnType::Long, 0 }, { "text", jet::ColumnType::Memo, 0 } },
        { { "1", std::string(500, 'a') }, { "2", std::string(9000, 'b') } } };
}

// The long-value pages, in file order: data pages that carry "LVAL" where a table's page number goes.
std::vector<std::size_t> longValuePages(const std::vector<std::uint8_t>& file, const Layout& layout)
{
    std::vector<std::size_t> pages;
    for (std::size_t page = 1; page < file.size() / layout.pageSize; ++page) {
        const std::uint8_t* p = file.data() + page * layout.pageSize;
        if (p[0] == 0x01 && std::equal(p + 4, p + 8, "LVAL"))
            pages.push_back(page);
    }
    return pages;
}

} // namespace

class TestRobustChecks : public QObject {
    Q_OBJECT
private slots:
    void emptyPageMaps_data()
    {
        QTest::addColumn<jet::Format>("format");
        QTest::addColumn<bool>("catalog");
        QTest::addColumn<bool>("owned");
        QTest::addColumn<int>("status");
        const int corrupt = int(MdbTable::Status::Corrupt);
        const int ok = int(MdbTable::Status::Ok);
        for (const auto& [format, name] :
            { std::pair { jet::Format::Jet4, "Jet 4" }, { jet::Format::Jet3, "Jet 3" } }) {
            QTest::addRow("%s catalog pages", name) << format << true << true << corrupt;
            QTest::addRow("%s size table pages", name) << format << false << true << corrupt;
            QTest::addRow("%s catalog free space", name) << format << true << false << ok;
            QTest::addRow("%s size table free space", name) << format << false << false << ok;
        }
    }
    void emptyPageMaps()
    {
        QFETCH(jet::Format, format);
        QFETCH(bool, catalog);
        QFETCH(bool, owned);
        QFETCH(int, status);
        const jet::Table table = fixtures::sizeTable();
        std::vector<std::uint8_t> file = jet::writeDatabase(table, format);
        const Layout layout = layoutOf(format);
        const std::size_t definition = catalog ? 2 : sizeTableDefinition(file, layout);
        QVERIFY(definition > 0);
        pointAtEmptyRow(file, layout, definition, owned ? layout.ownedMapOffset : layout.freeMapOffset);

        const MdbTable got = quill::readMdbTableBuffer(file.data(), file.size(), quill::kSizeTableName);
        QVERIFY2(int(got.status) == status, got.detail.c_str());
        if (got.status == MdbTable::Status::Ok) {
            QCOMPARE(got.rows.size(), table.rows.size());
            QCOMPARE(got.rows.front().front(), table.rows.front().front());
        } else {
            QVERIFY(got.rows.empty());
            QVERIFY(got.detail.find("page map is empty") != std::string::npos);
        }
    }

    // libmdb takes a page past the end for "no more rows": the last records would just be missing.
    void cutShort_data()
    {
        QTest::addColumn<jet::Format>("format");
        QTest::addColumn<int>("cut");
        for (const auto& [format, name] :
            { std::pair { jet::Format::Jet4, "Jet 4" }, { jet::Format::Jet3, "Jet 3" } }) {
            QTest::addRow("%s last page missing", name) << format << int(layoutOf(format).pageSize);
            QTest::addRow("%s inside the last page", name) << format << 100;
            QTest::addRow("%s one byte", name) << format << 1;
        }
    }
    void cutShort()
    {
        QFETCH(jet::Format, format);
        QFETCH(int, cut);
        std::vector<std::uint8_t> file = jet::writeDatabase(fixtures::sizeTable(), format);
        file.resize(file.size() - std::size_t(cut));
        const MdbTable got = quill::readMdbTableBuffer(file.data(), file.size(), quill::kSizeTableName);
        QCOMPARE(got.status, MdbTable::Status::Corrupt);
        QCOMPARE(got.detail, std::string("the table's pages lie beyond the end of the file"));
    }

    void damagedColumnDefinitions_data()
    {
        QTest::addColumn<jet::Format>("format");
        QTest::addColumn<QString>("damage");
        for (const auto& [format, name] :
            { std::pair { jet::Format::Jet4, "Jet 4" }, { jet::Format::Jet3, "Jet 3" } }) {
            for (const char* damage : { "type 0", "type 0x1c", "no name", "same name twice" })
                QTest::addRow("%s %s", name, damage) << format << QString::fromLatin1(damage);
        }
    }
    void damagedColumnDefinitions()
    {
        QFETCH(jet::Format, format);
        QFETCH(QString, damage);
        std::vector<std::uint8_t> file = jet::writeDatabase(fixtures::sizeTable(), format);
        const Layout layout = layoutOf(format);
        const std::size_t definition = sizeTableDefinition(file, layout);
        QVERIFY(definition > 0);
        std::uint8_t* firstColumn = file.data() + definition * layout.pageSize + layout.columnsOffset;
        const auto names = columnNames(file, layout, definition);
        QVERIFY(names.size() == quill::kSizeFields.size());
        if (damage == QLatin1String("type 0")) {
            firstColumn[0] = 0x00;
        } else if (damage == QLatin1String("type 0x1c")) {
            firstColumn[layout.columnEntrySize] = 0x1c;
        } else if (damage == QLatin1String("no name")) {
            // The first name made empty: the others are then read from its bytes on.
            std::fill_n(file.data() + names[0].first - layout.nameLengthSize, layout.nameLengthSize, 0);
        } else {
            // "ｅ" becomes a second "ｓ", both one character.
            QCOMPARE(names[2].second, names[3].second);
            std::copy_n(file.data() + names[2].first, names[2].second, file.data() + names[3].first);
        }
        const MdbTable got = quill::readMdbTableBuffer(file.data(), file.size(), quill::kSizeTableName);
        QCOMPARE(got.status, MdbTable::Status::Corrupt);
        QCOMPARE(got.detail, std::string("the column definitions are damaged"));
    }

    // libmdb would show a long text whose pages cannot be read as blank or cut short, and
    // would follow a chain that comes back on itself.
    void damagedLongTexts_data()
    {
        QTest::addColumn<jet::Format>("format");
        QTest::addColumn<QString>("damage");
        for (const auto& [format, name] :
            { std::pair { jet::Format::Jet4, "Jet 4" }, { jet::Format::Jet3, "Jet 3" } }) {
            for (const char* damage : { "none", "chain back to its start", "chain past the end", "page row missing" })
                QTest::addRow("%s %s", name, damage) << format << QString::fromLatin1(damage);
        }
    }
    void damagedLongTexts()
    {
        QFETCH(jet::Format, format);
        QFETCH(QString, damage);
        const jet::Table table = longTexts();
        std::vector<std::uint8_t> file = jet::writeDatabase(table, format);
        const Layout layout = layoutOf(format);
        // The 500-byte text is row 0 of the first long-value page; the chain's parts, each a
        // page's row 0, fill the pages after it.
        const std::vector<std::size_t> pages = longValuePages(file, layout);
        QVERIFY(pages.size() >= 3);
        auto rowStart = [&](std::size_t page) {
            const std::uint8_t* at = file.data() + page * layout.pageSize + layout.rowCountOffset + 2;
            return file.data() + page * layout.pageSize + le16(at);
        };
        if (damage == QLatin1String("chain back to its start")) {
            // The last part's link (0, the end) points at the first part again.
            std::uint8_t* last = rowStart(pages.back());
            QCOMPARE(le32(last), std::uint32_t(0));
            put32(last, std::uint32_t(pages[1]) << 8);
        } else if (damage == QLatin1String("chain past the end")) {
            put32(rowStart(pages[1]), std::uint32_t(file.size() / layout.pageSize + 3) << 8);
        } else if (damage == QLatin1String("page row missing")) {
            // The 500-byte text's row offset points outside the page.
            put16(file.data() + pages[0] * layout.pageSize + layout.rowCountOffset + 2, 0x1FFF);
        }
        const MdbTable got = quill::readMdbTableBuffer(file.data(), file.size(), "Long");
        if (damage == QLatin1String("none")) {
            QVERIFY2(got.status == MdbTable::Status::Ok, got.detail.c_str());
            QCOMPARE(got.rows.size(), std::size_t(2));
            QCOMPARE(got.rows[0][1], table.rows[0][1]);
            QCOMPARE(got.rows[1][1], table.rows[1][1]);
        } else {
            QCOMPARE(got.status, MdbTable::Status::Corrupt);
            QCOMPARE(got.detail, std::string("a long text's pages are damaged"));
        }
    }
};

ROSTARI_TEST_MAIN(TestRobustChecks)
#include "tst_robust_checks.moc"
