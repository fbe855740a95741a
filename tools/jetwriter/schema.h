#pragma once

#include "bytes.h"

#include <cstdint>
#include <vector>

namespace jet::detail {

// A column as its table definition stores it.
struct ColumnDef {
    Bytes name; // encoded as the format stores names
    std::uint8_t type = 0;
    unsigned number = 0; // also the row's null-mask bit
    bool fixed = false;
    unsigned fixedOffset = 0; // fixed columns: place in the row's fixed area
    unsigned varIndex = 0; // variable columns: place in the row's offset table
    unsigned length = 0; // bytes: the fixed width, or the most a text may take
};

struct TableDef {
    Bytes name;
    std::uint8_t tableType = 0; // kUserTable or kSystemTable
    std::vector<ColumnDef> columns;
    unsigned fixedBytes = 0;
    unsigned varColumns = 0;
};

inline constexpr std::uint8_t kUserTable = 0x4E;
inline constexpr std::uint8_t kSystemTable = 0x53;

// Appends a column with the next number, laid out after the ones before it.
void addColumn(TableDef& table, Bytes name, std::uint8_t type, unsigned textBytes = 0);

} // namespace jet::detail
