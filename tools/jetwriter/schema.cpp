#include "schema.h"

#include "layout.h"

#include <utility>

namespace jet::detail {

namespace {

unsigned fixedWidth(std::uint8_t type)
{
    switch (type) {
    case kTypeInt:
        return 2;
    case kTypeLong:
    case kTypeSingle:
        return 4;
    case kTypeDouble:
        return 8;
    default:
        return 0; // variable length
    }
}

} // namespace

void addColumn(TableDef& table, Bytes name, std::uint8_t type, unsigned textBytes)
{
    ColumnDef column;
    column.name = std::move(name);
    column.type = type;
    column.number = static_cast<unsigned>(table.columns.size());
    const unsigned width = fixedWidth(type);
    column.fixed = width > 0;
    if (column.fixed) {
        column.fixedOffset = table.fixedBytes;
        column.length = width;
        table.fixedBytes += width;
    } else {
        column.varIndex = table.varColumns++;
        column.length = textBytes;
    }
    table.columns.push_back(std::move(column));
}

} // namespace jet::detail
