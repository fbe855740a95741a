#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quilldb {

struct CsvField {
    std::string text;
    std::size_t line = 0; // where the field starts, from 1
};

struct CsvRecord {
    std::vector<CsvField> fields;
    std::size_t line() const { return fields.empty() ? 0 : fields.front().line; }
};

// A CSV syntax error; column counts fields from 1.
class CsvError : public std::runtime_error {
public:
    CsvError(const std::string& message, std::size_t line, std::size_t column)
        : std::runtime_error(message)
        , line_(line)
        , column_(column)
    {
    }
    std::size_t line() const { return line_; }
    std::size_t column() const { return column_; }

private:
    std::size_t line_;
    std::size_t column_;
};

// RFC 4180 records: fields separated by commas, optionally in double quotes (with ""
// for a quote and line breaks inside). Lines end in LF, CRLF or CR. A UTF-8 byte order
// mark at the start is skipped, and so are empty lines.
std::vector<CsvRecord> parseCsv(std::string_view text);

// The field as CSV writes it: quoted when it holds a comma, a quote or a line break.
std::string csvField(std::string_view text);

} // namespace quilldb
