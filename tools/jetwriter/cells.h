#pragma once

#include "bytes.h"
#include "jetwriter.h"
#include "textcodec.h"

#include <optional>
#include <string_view>

namespace jet::detail {

// The stored bytes of one cell, or nullopt for NULL. Throws Error (without a location)
// for a value the column cannot hold.
class CellEncoder {
public:
    explicit CellEncoder(Format format);
    std::optional<Bytes> encode(const Column& column, const Cell& cell);
    // A table or column name as the table definition and the catalog store it.
    Bytes encodeName(std::string_view utf8, std::string_view what);

private:
    Format format_;
    TextEncoder text_;
};

// The column's definition bytes: type byte and, for TEXT, the field size in bytes (0 otherwise).
std::uint8_t typeByte(ColumnType type);
unsigned textBytes(const Column& column, Format format);

} // namespace jet::detail
