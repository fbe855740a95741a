#include "atomicfile.h"
#include "cells.h"
#include "jetwriter.h"
#include "layout.h"
#include "pages.h"
#include "rowencoder.h"
#include "schema.h"
#include "tabledef.h"

#include <algorithm>
#include <cctype>

namespace jet {

namespace detail {
namespace {

// The page plan. Readers look for the catalog's definition at page 2; the rest is free.
constexpr std::uint32_t kGlobalMapPage = 1;
constexpr std::uint32_t kCatalogDefPage = 2;
constexpr std::uint32_t kMapPage = 3;
constexpr std::uint32_t kCatalogDataPage = 4;
constexpr std::uint32_t kUserDefPage = 5;
constexpr std::uint32_t kFirstUserDataPage = 6;

// Rows of the usage-map page.
constexpr unsigned kCatalogOwnedRow = 0;
constexpr unsigned kCatalogFreeRow = 1;
constexpr unsigned kUserOwnedRow = 2;
constexpr unsigned kUserFreeRow = 3;

// Catalog ids and flags as Access uses them.
constexpr std::int32_t kTablesId = 0x0F000001;
constexpr std::int32_t kDatabasesId = 0x0F000002;
constexpr std::int32_t kRootId = 0x0F000000;
constexpr std::int32_t kSystemObject = static_cast<std::int32_t>(0x80000000u);
constexpr std::int16_t kContainerType = 3;
constexpr std::int16_t kTableType = 1;
constexpr unsigned kCatalogNameChars = 255;
constexpr std::size_t kMaxColumns = 255;

Bytes int32Bytes(std::int32_t value)
{
    Bytes out;
    append32(out, static_cast<std::uint32_t>(value));
    return out;
}
Bytes int16Bytes(std::int16_t value)
{
    Bytes out;
    append16(out, static_cast<std::uint16_t>(value));
    return out;
}

std::string asciiLower(std::string_view text)
{
    std::string out(text);
    std::transform(
        out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The minimal MSysObjects: columns looked up by name, rows found by a full scan.
struct Catalog {
    TableDef def;
    std::vector<Bytes> rows;
};

Catalog makeCatalog(const Layout& layout, CellEncoder& encoder, const Bytes& userTableName)
{
    Catalog catalog;
    TableDef& def = catalog.def;
    def.tableType = kSystemTable;
    def.name = encoder.encodeName("MSysObjects", "the catalog name");
    const unsigned nameBytes = layout.format == Format::Jet4 ? 2 * kCatalogNameChars : kCatalogNameChars;
    addColumn(def, encoder.encodeName("Id", "a catalog column"), kTypeLong);
    addColumn(def, encoder.encodeName("ParentId", "a catalog column"), kTypeLong);
    addColumn(def, encoder.encodeName("Name", "a catalog column"), kTypeText, nameBytes);
    addColumn(def, encoder.encodeName("Type", "a catalog column"), kTypeInt);
    addColumn(def, encoder.encodeName("Flags", "a catalog column"), kTypeLong);
    addColumn(def, encoder.encodeName("LvProp", "a catalog column"), kTypeOle);

    auto row = [&](std::int32_t id, std::int32_t parent, Bytes name, std::int16_t type, std::int32_t flags) {
        const RowValues values { int32Bytes(id), int32Bytes(parent), std::move(name), int16Bytes(type),
            int32Bytes(flags), std::nullopt };
        catalog.rows.push_back(encodeRow(layout, def, values));
    };
    row(kTablesId, kRootId, encoder.encodeName("Tables", "a catalog name"), kContainerType, kSystemObject);
    row(kDatabasesId, kRootId, encoder.encodeName("Databases", "a catalog name"), kContainerType, kSystemObject);
    row(static_cast<std::int32_t>(kCatalogDefPage), kTablesId, def.name, kTableType, kSystemObject);
    row(static_cast<std::int32_t>(kUserDefPage), kTablesId, userTableName, kTableType, 0);
    return catalog;
}

TableDef makeUserTableDef(const Table& table, Format format, CellEncoder& encoder)
{
    TableDef def;
    def.tableType = kUserTable;
    def.name = encoder.encodeName(table.name, "the table name");
    if (asciiLower(table.name) == "msysobjects")
        throw Error("the table name \"" + table.name + "\" is the catalog's");
    if (table.columns.empty())
        throw Error("the table has no columns");
    if (table.columns.size() > kMaxColumns)
        throw Error("the table has " + std::to_string(table.columns.size()) + " columns; at most "
            + std::to_string(kMaxColumns) + " are allowed");

    const Layout& layout = layoutOf(format);
    std::vector<std::string> seen;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const Column& column = table.columns[c];
        Bytes name;
        try {
            name = encoder.encodeName(column.name, "the column name");
        } catch (const Error& e) {
            throw Error(e.what(), Error::npos, c);
        }
        // Readers match column names ignoring ASCII case.
        const std::string key = asciiLower(column.name);
        if (std::find(seen.begin(), seen.end(), key) != seen.end())
            throw Error("the column name \"" + column.name + "\" appears twice", Error::npos, c);
        seen.push_back(key);
        if (column.type == ColumnType::Text
            && (column.textLength < 1 || static_cast<std::size_t>(column.textLength) > layout.maxTextLength))
            throw Error("the text column \"" + column.name + "\" has size " + std::to_string(column.textLength)
                    + "; it must be 1 to " + std::to_string(layout.maxTextLength),
                Error::npos, c);
        addColumn(def, std::move(name), typeByte(column.type), textBytes(column, format));
    }
    return def;
}

std::vector<Bytes> encodeUserRows(const Table& table, const Layout& layout, const TableDef& def, CellEncoder& encoder)
{
    std::vector<Bytes> rows;
    rows.reserve(table.rows.size());
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const Row& row = table.rows[r];
        if (row.size() != table.columns.size())
            throw Error("the row has " + std::to_string(row.size()) + " cells; the table has "
                    + std::to_string(table.columns.size()) + " columns",
                r);
        RowValues values;
        values.reserve(row.size());
        for (std::size_t c = 0; c < row.size(); ++c) {
            try {
                values.push_back(encoder.encode(table.columns[c], row[c]));
            } catch (const Error& e) {
                throw Error(e.what(), r, c);
            }
        }
        try {
            rows.push_back(encodeRow(layout, def, values));
        } catch (const Error& e) {
            throw Error(e.what(), r);
        }
    }
    return rows;
}

std::vector<std::uint32_t> pageRange(std::uint32_t first, std::size_t count)
{
    std::vector<std::uint32_t> pages(count);
    for (std::size_t i = 0; i < count; ++i)
        pages[i] = first + static_cast<std::uint32_t>(i);
    return pages;
}

} // namespace
} // namespace detail

void checkCell(const Column& column, const Cell& cell, Format format)
{
    detail::CellEncoder encoder(format);
    encoder.encode(column, cell);
}

std::vector<std::uint8_t> writeDatabase(const Table& table, Format format)
{
    using namespace detail;
    const Layout& layout = layoutOf(format);
    CellEncoder encoder(format);

    const TableDef userDef = makeUserTableDef(table, format, encoder);
    const std::vector<Bytes> userRows = encodeUserRows(table, layout, userDef, encoder);
    const std::vector<std::vector<Bytes>> userPages = groupRowsIntoPages(layout, userRows);
    const Catalog catalog = makeCatalog(layout, encoder, userDef.name);

    const std::size_t pageCount = kFirstUserDataPage + userPages.size();
    if (pageCount > usageMapCapacity(layout))
        throw Error("the table needs " + std::to_string(pageCount) + " pages; this writer writes at most "
            + std::to_string(usageMapCapacity(layout)));

    // The global map marks free pages: none inside the file, all beyond it.
    const std::vector<std::uint32_t> pagesBeyondEnd
        = pageRange(static_cast<std::uint32_t>(pageCount), usageMapCapacity(layout) - pageCount);
    const std::vector<std::uint32_t> catalogPages { kCatalogDataPage };
    // Owned-page maps list data pages only; readers reject any other page type in them.
    const std::vector<std::uint32_t> userDataPages = pageRange(kFirstUserDataPage, userPages.size());

    std::vector<Bytes> pages(pageCount);
    pages[0] = headerPage(layout);
    // Access marks the global map's page as belonging to table 1.
    pages[kGlobalMapPage] = dataPage(layout, 1, { usageMapRow(layout, pagesBeyondEnd) });
    pages[kCatalogDefPage] = tableDefinitionPage(layout, catalog.def, static_cast<std::uint32_t>(catalog.rows.size()),
        { pageRow(kMapPage, kCatalogOwnedRow), pageRow(kMapPage, kCatalogFreeRow) });
    pages[kMapPage] = dataPage(layout, 0,
        { usageMapRow(layout, catalogPages), usageMapRow(layout, catalogPages), usageMapRow(layout, userDataPages),
            usageMapRow(layout, userDataPages) });
    pages[kCatalogDataPage] = dataPage(layout, kCatalogDefPage, catalog.rows);
    pages[kUserDefPage] = tableDefinitionPage(layout, userDef, static_cast<std::uint32_t>(userRows.size()),
        { pageRow(kMapPage, kUserOwnedRow), pageRow(kMapPage, kUserFreeRow) });
    for (std::size_t i = 0; i < userPages.size(); ++i)
        pages[kFirstUserDataPage + i] = dataPage(layout, kUserDefPage, userPages[i]);

    std::vector<std::uint8_t> file;
    file.reserve(pageCount * layout.pageSize);
    for (const Bytes& page : pages)
        file.insert(file.end(), page.begin(), page.end());
    return file;
}

void writeDatabaseFile(const Table& table, Format format, const std::filesystem::path& path)
{
    detail::writeFileAtomically(path, writeDatabase(table, format));
}

} // namespace jet
