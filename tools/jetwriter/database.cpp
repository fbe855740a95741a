#include "atomicfile.h"
#include "cells.h"
#include "jetwriter.h"
#include "layout.h"
#include "longvalues.h"
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
// Each table follows as its definition, its long-value pages and its data pages.
constexpr std::uint32_t kGlobalMapPage = 1;
constexpr std::uint32_t kCatalogDefPage = 2;
constexpr std::uint32_t kMapPage = 3;
constexpr std::uint32_t kCatalogDataPage = 4;
constexpr std::uint32_t kFirstTablePage = 5;

// Rows of the usage-map page: the catalog's two maps, then two for each table and for
// each of its Memo columns.
constexpr unsigned kCatalogOwnedRow = 0;
constexpr unsigned kCatalogFreeRow = 1;

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

// A user table laid out on its pages.
struct PlannedTable {
    TableDef def;
    std::uint32_t defPage = 0;
    std::size_t rowCount = 0;
    std::vector<std::pair<unsigned, LongValuePages>> longValues; // by column number
    std::uint32_t firstDataPage = 0;
    std::vector<std::vector<Bytes>> dataPages;

    std::uint32_t endPage() const { return firstDataPage + static_cast<std::uint32_t>(dataPages.size()); }
};

// The minimal MSysObjects: columns looked up by name, rows found by a full scan.
struct Catalog {
    TableDef def;
    std::vector<Bytes> rows;
};

Catalog makeCatalog(const Layout& layout, CellEncoder& encoder, const std::vector<PlannedTable>& tables)
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
    for (const PlannedTable& table : tables)
        row(static_cast<std::int32_t>(table.defPage), kTablesId, table.def.name, kTableType, 0);
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

// Every cell's stored bytes, row by row; Memo cells still hold their text.
std::vector<RowValues> encodeCells(const Table& table, CellEncoder& encoder)
{
    std::vector<RowValues> rows;
    rows.reserve(table.rows.size());
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const Row& row = table.rows[r];
        if (row.size() != table.columns.size())
            throw Error("the row has " + std::to_string(row.size()) + " cells; the table has "
                    + std::to_string(table.columns.size()) + " columns",
                r);
        RowValues& values = rows.emplace_back();
        values.reserve(row.size());
        for (std::size_t c = 0; c < row.size(); ++c) {
            try {
                values.push_back(encoder.encode(table.columns[c], row[c]));
            } catch (const Error& e) {
                throw Error(e.what(), r, c);
            }
        }
    }
    return rows;
}

PlannedTable planTable(const Table& table, const Layout& layout, CellEncoder& encoder, std::uint32_t defPage)
{
    PlannedTable planned;
    planned.def = makeUserTableDef(table, layout.format, encoder);
    planned.defPage = defPage;
    planned.rowCount = table.rows.size();
    std::vector<RowValues> cells = encodeCells(table, encoder);

    // Long values first: their pages come before the data pages, so the rows can point at them.
    std::uint32_t next = defPage + 1;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (table.columns[c].type != ColumnType::Memo)
            continue;
        LongValuePages pages(layout, next);
        for (RowValues& values : cells) {
            if (values[c])
                values[c] = pages.store(*values[c]);
        }
        next += static_cast<std::uint32_t>(pages.pageCount());
        planned.longValues.emplace_back(static_cast<unsigned>(c), std::move(pages));
    }

    std::vector<Bytes> rows;
    rows.reserve(cells.size());
    for (std::size_t r = 0; r < cells.size(); ++r) {
        try {
            rows.push_back(encodeRow(layout, planned.def, cells[r]));
        } catch (const Error& e) {
            throw Error(e.what(), r);
        }
    }
    planned.firstDataPage = next;
    planned.dataPages = groupRowsIntoPages(layout, rows);
    return planned;
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

std::vector<std::uint8_t> writeDatabase(const std::vector<Table>& tables, Format format)
{
    using namespace detail;
    const Layout& layout = layoutOf(format);
    CellEncoder encoder(format);
    if (tables.empty())
        throw Error("there is no table to write");

    std::vector<PlannedTable> planned;
    std::vector<std::string> names;
    std::uint32_t next = kFirstTablePage;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        // Readers find tables by name, some ignoring ASCII case.
        const std::string key = asciiLower(tables[t].name);
        if (std::find(names.begin(), names.end(), key) != names.end())
            throw Error("the table name \"" + tables[t].name + "\" appears twice").inTable(t);
        names.push_back(key);
        try {
            planned.push_back(planTable(tables[t], layout, encoder, next));
        } catch (const Error& e) {
            throw e.inTable(t);
        }
        next = planned.back().endPage();
    }
    const Catalog catalog = makeCatalog(layout, encoder, planned);

    const std::size_t pageCount = next;
    if (pageCount > usageMapCapacity(layout))
        throw Error("the tables need " + std::to_string(pageCount) + " pages; this writer writes at most "
            + std::to_string(usageMapCapacity(layout)));

    std::vector<Bytes> pages(pageCount);
    pages[0] = headerPage(layout);
    // The global map marks free pages: none inside the file, all beyond it.
    const std::vector<std::uint32_t> pagesBeyondEnd
        = pageRange(static_cast<std::uint32_t>(pageCount), usageMapCapacity(layout) - pageCount);
    // Access marks the global map's page as belonging to table 1.
    pages[kGlobalMapPage] = dataPage(layout, 1, { usageMapRow(layout, pagesBeyondEnd) });

    const std::vector<std::uint32_t> catalogPages { kCatalogDataPage };
    std::vector<Bytes> mapRows { usageMapRow(layout, catalogPages), usageMapRow(layout, catalogPages) };
    // Each map is written twice, as the owned pages and as the pages with room.
    auto addMaps = [&](const std::vector<std::uint32_t>& owned) {
        const auto row = static_cast<unsigned>(mapRows.size());
        mapRows.push_back(usageMapRow(layout, owned));
        mapRows.push_back(usageMapRow(layout, owned));
        return std::pair { pageRow(kMapPage, row), pageRow(kMapPage, row + 1) };
    };
    for (const PlannedTable& table : planned) {
        // Owned-page maps list data pages only; readers reject any other page type in them.
        const auto [owned, free] = addMaps(pageRange(table.firstDataPage, table.dataPages.size()));
        TableMaps maps { owned, free, {} };
        for (const auto& [column, longValues] : table.longValues) {
            const auto [lvOwned, lvFree] = addMaps(longValues.pageNumbers());
            maps.longValues.push_back({ column, lvOwned, lvFree });
            std::vector<Bytes> images = longValues.pageImages();
            for (std::size_t i = 0; i < images.size(); ++i)
                pages[longValues.firstPage() + i] = std::move(images[i]);
        }
        pages[table.defPage] = tableDefinitionPage(layout, table.def, static_cast<std::uint32_t>(table.rowCount), maps);
        for (std::size_t i = 0; i < table.dataPages.size(); ++i)
            pages[table.firstDataPage + i] = dataPage(layout, table.defPage, table.dataPages[i]);
    }
    if (groupRowsIntoPages(layout, mapRows).size() != 1)
        throw Error("the tables need more page maps than one page holds");
    pages[kMapPage] = dataPage(layout, 0, mapRows);
    pages[kCatalogDefPage] = tableDefinitionPage(layout, catalog.def, static_cast<std::uint32_t>(catalog.rows.size()),
        { pageRow(kMapPage, kCatalogOwnedRow), pageRow(kMapPage, kCatalogFreeRow), {} });
    if (groupRowsIntoPages(layout, catalog.rows).size() != 1)
        throw Error("the catalog of " + std::to_string(tables.size()) + " tables does not fit one page");
    pages[kCatalogDataPage] = dataPage(layout, kCatalogDefPage, catalog.rows);

    std::vector<std::uint8_t> file;
    file.reserve(pageCount * layout.pageSize);
    for (const Bytes& page : pages)
        file.insert(file.end(), page.begin(), page.end());
    return file;
}

std::vector<std::uint8_t> writeDatabase(const Table& table, Format format)
{
    return writeDatabase(std::vector<Table> { table }, format);
}

void writeDatabaseFile(const std::vector<Table>& tables, Format format, const std::filesystem::path& path)
{
    detail::writeFileAtomically(path, writeDatabase(tables, format));
}

void writeDatabaseFile(const Table& table, Format format, const std::filesystem::path& path)
{
    detail::writeFileAtomically(path, writeDatabase(table, format));
}

} // namespace jet
