#include "tabledef.h"

#include "jetwriter.h"

namespace jet::detail {

namespace {

// Jet 4 repeats this number in its header and in every column entry.
constexpr std::uint32_t kJet4Magic = 1625;
constexpr std::uint8_t kFlagFixed = 0x01;
constexpr std::uint8_t kFlagNullable = 0x02;

bool isText(const ColumnDef& column)
{
    return column.type == kTypeText || column.type == kTypeMemo;
}

std::uint8_t flagsOf(const ColumnDef& column)
{
    return column.fixed ? kFlagFixed | kFlagNullable : kFlagNullable;
}

void appendJet4Header(Bytes& out, const TableDef& table, std::uint32_t rowCount, const TableMaps& maps)
{
    const auto columns = static_cast<unsigned>(table.columns.size());
    out.assign(63, 0);
    put8(out, 0, 0x02);
    put8(out, 1, 0x01);
    put32(out, 12, kJet4Magic);
    put32(out, 16, rowCount);
    put8(out, 24, 0x01); // lets Access number autonumber columns
    put8(out, 40, table.tableType);
    put16(out, 41, columns);
    put16(out, 43, table.varColumns);
    put16(out, 45, columns);
    put32(out, 55, maps.owned);
    put32(out, 59, maps.free);
}

void appendJet3Header(Bytes& out, const TableDef& table, std::uint32_t rowCount, const TableMaps& maps)
{
    const auto columns = static_cast<unsigned>(table.columns.size());
    out.assign(43, 0);
    put8(out, 0, 0x02);
    put8(out, 1, 0x01);
    put8(out, 2, 'V');
    put8(out, 3, 'C');
    put32(out, 12, rowCount);
    put8(out, 20, table.tableType);
    put16(out, 21, columns);
    put16(out, 23, table.varColumns);
    put16(out, 25, columns);
    put32(out, 35, maps.owned);
    put32(out, 39, maps.free);
}

void appendJet4Column(Bytes& out, const ColumnDef& column)
{
    append8(out, column.type);
    append32(out, kJet4Magic);
    append16(out, column.number);
    append16(out, column.fixed ? 0 : column.varIndex);
    append16(out, column.number);
    append16(out, isText(column) ? kGeneralSortOrder : 0);
    append16(out, 0); // sort order version
    append8(out, flagsOf(column));
    append8(out, 0); // texts are stored uncompressed
    append32(out, 0);
    append16(out, column.fixed ? column.fixedOffset : 0);
    append16(out, column.length);
}

void appendJet3Column(Bytes& out, const ColumnDef& column)
{
    append8(out, column.type);
    append16(out, column.number);
    append16(out, column.fixed ? 0 : column.varIndex);
    append16(out, column.number);
    append16(out, 0x0001);
    append16(out, isText(column) ? kGeneralSortOrder : 0);
    append16(out, kJet3CodePage);
    append8(out, flagsOf(column));
    append16(out, column.fixed ? column.fixedOffset : 0);
    append16(out, column.length);
}

} // namespace

Bytes tableDefinitionPage(const Layout& layout, const TableDef& table, std::uint32_t rowCount, const TableMaps& maps)
{
    const bool jet3 = layout.format == Format::Jet3;
    Bytes out;
    if (jet3)
        appendJet3Header(out, table, rowCount, maps);
    else
        appendJet4Header(out, table, rowCount, maps);

    for (const ColumnDef& column : table.columns) {
        if (jet3)
            appendJet3Column(out, column);
        else
            appendJet4Column(out, column);
    }
    for (const ColumnDef& column : table.columns) {
        if (jet3)
            append8(out, static_cast<unsigned>(column.name.size()));
        else
            append16(out, static_cast<unsigned>(column.name.size()));
        appendBytes(out, column.name);
    }
    // The page maps of each long-value column, then the end mark.
    for (const LongValueMaps& column : maps.longValues) {
        append16(out, column.columnNumber);
        append32(out, column.owned);
        append32(out, column.free);
    }
    append16(out, 0xFFFF);

    if (out.size() > layout.pageSize)
        throw Error("the table definition takes " + std::to_string(out.size()) + " bytes; it must fit one page of "
            + std::to_string(layout.pageSize));
    put32(out, 8, static_cast<std::uint32_t>(out.size()));
    if (!jet3)
        put16(out, 2, out.size() + 8 <= layout.pageSize ? static_cast<unsigned>(layout.pageSize - out.size() - 8) : 0);
    out.resize(layout.pageSize, 0);
    return out;
}

} // namespace jet::detail
