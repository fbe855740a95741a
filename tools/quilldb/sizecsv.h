#pragma once

#include "csv.h"
#include "sizefields.h"

#include <array>
#include <cstddef>
#include <jetwriter.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quilldb {

// The columns of cap-screw-sizes.csv in the order that file has them; dump writes this
// order, build takes the columns in any order.
inline constexpr std::array<std::string_view, quill::kSizeFields.size()> kCsvColumns { "size", "P", "s", "e", "dk", "v",
    "t", "w", "da", "ds", "k", "d'", "D", "H'", "H''", "D1", "h1", "t1", "D2", "h2", "t2", "h3", "t3", "D3", "h4",
    "t4" };

namespace detail {
constexpr bool csvColumnsAreTheFields()
{
    for (std::size_t i = 0; i < kCsvColumns.size(); ++i) {
        std::size_t asField = 0;
        std::size_t asColumn = 0;
        for (std::size_t j = 0; j < kCsvColumns.size(); ++j) {
            asField += quill::kSizeFields[j].csvName == kCsvColumns[i] ? 1 : 0;
            asColumn += kCsvColumns[j] == kCsvColumns[i] ? 1 : 0;
        }
        if (asField != 1 || asColumn != 1)
            return false;
    }
    return true;
}
} // namespace detail
static_assert(detail::csvColumnsAreTheFields(), "kCsvColumns must name every size field once");

// A problem with the input; line and column count from 1, 0 when they do not apply.
// columnName is the header name of that column, when known.
class InputError : public std::runtime_error {
public:
    InputError(const std::string& message, std::size_t line, std::size_t column = 0, std::string_view columnName = {})
        : std::runtime_error(message)
        , line_(line)
        , column_(column)
        , columnName_(columnName)
    {
    }
    std::size_t line() const { return line_; }
    std::size_t column() const { return column_; }
    const std::string& columnName() const { return columnName_; }

private:
    std::size_t line_;
    std::size_t column_;
    std::string columnName_;
};

struct SizeTable {
    jet::Table table;
    // Where each cell came from, to name it in a message: csvColumn[field] counts from 0.
    std::vector<CsvRecord> records; // the data records, without the header
    std::array<std::size_t, quill::kSizeFields.size()> csvColumn {};
};

// The size table of the CSV, every cell checked for the format: Text(10) designations
// (one of the 22, each once) and Double or Single numbers. Throws InputError.
SizeTable sizeTableFromCsv(std::vector<CsvRecord> records, jet::Format format, bool single);

} // namespace quilldb
