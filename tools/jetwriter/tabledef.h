#pragma once

#include "bytes.h"
#include "layout.h"
#include "schema.h"

#include <cstdint>
#include <vector>

namespace jet::detail {

// Where a long-value (Memo) column keeps the maps of its long-value pages.
struct LongValueMaps {
    unsigned columnNumber = 0;
    std::uint32_t owned = 0;
    std::uint32_t free = 0;
};

struct TableMaps {
    std::uint32_t owned = 0; // pg_row of the map of the table's data pages
    std::uint32_t free = 0; // pg_row of the map of its pages with room
    std::vector<LongValueMaps> longValues;
};

// The table definition page: header, column entries, column names, no indexes, the
// long-value columns' maps.
// Throws Error when it does not fit one page.
Bytes tableDefinitionPage(const Layout& layout, const TableDef& table, std::uint32_t rowCount, const TableMaps& maps);

} // namespace jet::detail
