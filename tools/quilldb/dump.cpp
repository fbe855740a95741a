#include "dump.h"

#include "csv.h"
#include "mdbtable.h"
#include "osprocess.h"
#include "sizecsv.h"
#include "sizefields.h"
#include "sourcefields.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace quilldb {

namespace {

std::string describe(quill::MdbTable::Status status, std::string_view tableName)
{
    switch (status) {
    case quill::MdbTable::Status::Ok:
        return "read";
    case quill::MdbTable::Status::Missing:
        return "no such file";
    case quill::MdbTable::Status::Unreadable:
        return "cannot be read";
    case quill::MdbTable::Status::NotDatabase:
        return "not an Access database";
    case quill::MdbTable::Status::NoTable:
        return "holds no table " + std::string(tableName);
    case quill::MdbTable::Status::Corrupt:
        return "the table " + std::string(tableName) + " is damaged";
    case quill::MdbTable::Status::Locked:
        return "another program has it open for writing";
    }
    return "cannot be read";
}

// The columns a dump prints first: its CSV header and the field each one reads.
struct Column {
    std::string_view csvName;
    std::string_view fieldName;
};

std::vector<Column> knownColumns(DumpTable which)
{
    std::vector<Column> columns;
    if (which == DumpTable::Sources) {
        for (const std::string_view name : quill::kSourceFields)
            columns.push_back({ name, name });
        return columns;
    }
    for (const std::string_view csvName : kCsvColumns) {
        for (const auto& field : quill::kSizeFields) {
            if (field.csvName == csvName)
                columns.push_back({ csvName, field.fieldName });
        }
    }
    return columns;
}

} // namespace

int runDump(const std::filesystem::path& file, DumpTable which, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    if (ec) {
        err << "quilldb: " << file.string() << ": " << ec.message() << "\n";
        return 1;
    }
    const std::string_view tableName = which == DumpTable::Sources ? quill::kSourceTableName : quill::kSizeTableName;
    const quill::MdbTable table = quill::readMdbTableFile(quill::process::utf8Of(absolute), tableName);
    if (table.status != quill::MdbTable::Status::Ok) {
        err << "quilldb: " << file.string() << ": " << describe(table.status, tableName);
        if (!table.detail.empty())
            err << " (" << table.detail << ")";
        err << "\n";
        return 1;
    }

    // Known fields in the CSV's order, then any others under their own names.
    const std::vector<Column> known = knownColumns(which);
    std::vector<int> order;
    std::vector<std::string> header;
    int status = 0;
    for (const Column& column : known) {
        const int index = table.fieldIndex(column.fieldName);
        if (index < 0) {
            err << "quilldb: " << file.string() << ": the table lacks the field " << column.fieldName;
            if (column.csvName != column.fieldName)
                err << " (" << column.csvName << ")";
            err << "\n";
            status = 1;
            continue;
        }
        order.push_back(index);
        header.emplace_back(column.csvName);
    }
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const bool isKnown = std::any_of(
            known.begin(), known.end(), [&](const Column& column) { return column.fieldName == table.fields[i]; });
        if (!isKnown) {
            order.push_back(static_cast<int>(i));
            header.push_back(table.fields[i]);
        }
    }

    auto writeLine = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            out << (i ? "," : "") << csvField(cells[i]);
        out << "\r\n"; // RFC 4180 line ends, as in the reviewed CSV
    };
    writeLine(header);
    for (const auto& row : table.rows) {
        std::vector<std::string> cells;
        for (const int index : order) {
            const auto& value = row.at(static_cast<std::size_t>(index));
            cells.push_back(value.value_or(std::string()));
        }
        writeLine(cells);
    }
    out.flush();
    if (!out) {
        err << "quilldb: cannot write the output\n";
        return 1;
    }
    return status;
}

} // namespace quilldb
