#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Writes an Access (.mdb) file that holds one or more user tables, for readers such as libmdb.
namespace jet {

enum class Format {
    Jet3, // Access 97: 2 KiB pages, texts in code page 932 (Windows-31J)
    Jet4, // Access 2000-2003: 4 KiB pages, texts in UCS-2
};

enum class ColumnType { Int, Long, Single, Double, Text, Memo };

struct Column {
    std::string name; // UTF-8
    ColumnType type = ColumnType::Double;
    // TEXT only: the field size, 1..255. Jet 4 counts UTF-16 units, Jet 3 bytes of code page 932.
    // A Memo (long text) holds up to kMaxMemoLength of the same units and takes no size.
    int textLength = 0;
};

inline constexpr std::size_t kMaxMemoLength = 65535;

// A cell holds the value as text: decimal for numbers, UTF-8 for TEXT. nullopt is NULL.
using Cell = std::optional<std::string>;
using Row = std::vector<Cell>;

struct Table {
    std::string name; // UTF-8
    std::vector<Column> columns;
    std::vector<Row> rows; // in the order readers will deliver them
};

// Why a file cannot be written. table indexes the tables given to the writer, row and
// column its Table::rows and Table::columns, when the problem lies there; npos otherwise.
class Error : public std::runtime_error {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    explicit Error(const std::string& message, std::size_t row = npos, std::size_t column = npos)
        : std::runtime_error(message)
        , row_(row)
        , column_(column)
    {
    }
    std::size_t table() const { return table_; }
    std::size_t row() const { return row_; }
    std::size_t column() const { return column_; }
    // The same error, placed in the table at index table.
    Error inTable(std::size_t table) const
    {
        Error placed(*this);
        placed.table_ = table;
        return placed;
    }

private:
    std::size_t table_ = npos;
    std::size_t row_;
    std::size_t column_;
};

// Throws Error if the cell cannot be stored in the column (not a number, out of range, too long ...).
void checkCell(const Column& column, const Cell& cell, Format format);

// The whole file, its tables in the catalog in the given order. Same tables, same bytes:
// the creation date is fixed at 0.
std::vector<std::uint8_t> writeDatabase(const std::vector<Table>& tables, Format format);
std::vector<std::uint8_t> writeDatabase(const Table& table, Format format);

// Writes the file through a temporary file in the same folder, so a failure leaves
// no partial file behind and an existing file is replaced only by a complete one.
void writeDatabaseFile(const std::vector<Table>& tables, Format format, const std::filesystem::path& path);
void writeDatabaseFile(const Table& table, Format format, const std::filesystem::path& path);

} // namespace jet
