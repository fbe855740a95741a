#pragma once

#include "bytes.h"
#include "layout.h"
#include "schema.h"

#include <optional>
#include <vector>

namespace jet::detail {

// One row: the stored value of each column by column number, nullopt for NULL.
using RowValues = std::vector<std::optional<Bytes>>;

// The row as a data page stores it. Jet 4 keeps 16-bit offsets; Jet 3 keeps 8-bit
// offsets and, for rows of 256 bytes or more, a jump table with the high parts.
Bytes encodeRow(const Layout& layout, const TableDef& table, const RowValues& values);

} // namespace jet::detail
