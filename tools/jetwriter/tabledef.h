#pragma once

#include "bytes.h"
#include "layout.h"
#include "schema.h"

#include <cstdint>

namespace jet::detail {

struct TableMaps {
    std::uint32_t owned = 0; // pg_row of the map of the table's data pages
    std::uint32_t free = 0; // pg_row of the map of its pages with room
};

// The table definition page: header, column entries, column names, no indexes.
// Throws Error when it does not fit one page.
Bytes tableDefinitionPage(const Layout& layout, const TableDef& table, std::uint32_t rowCount, TableMaps maps);

} // namespace jet::detail
