#include "dump.h"

#include "csv.h"
#include "mdbtable.h"
#include "sizecsv.h"
#include "sizefields.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace quilldb {

namespace {

std::string describe(quill::MdbTable::Status status)
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
        return "holds no table " + std::string(quill::kSizeTableName);
    case quill::MdbTable::Status::Corrupt:
        return "the size table is damaged";
    }
    return "cannot be read";
}

std::optional<std::string_view> databaseName(std::string_view csvName)
{
    for (const auto& field : quill::kSizeFields) {
        if (field.csvName == csvName)
            return field.fieldName;
    }
    return std::nullopt;
}

bool isSizeField(std::string_view fieldName)
{
    return std::any_of(quill::kSizeFields.begin(), quill::kSizeFields.end(),
        [&](const quill::SizeField& f) { return f.fieldName == fieldName; });
}

} // namespace

int runDump(const std::filesystem::path& file, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    if (ec) {
        err << "quilldb: " << file.string() << ": " << ec.message() << "\n";
        return 1;
    }
    const quill::MdbTable table = quill::readMdbTableFile(absolute.string(), quill::kSizeTableName);
    if (table.status != quill::MdbTable::Status::Ok) {
        err << "quilldb: " << file.string() << ": " << describe(table.status);
        if (!table.detail.empty())
            err << " (" << table.detail << ")";
        err << "\n";
        return 1;
    }

    // Known fields in the CSV's order, then any others under their own names.
    std::vector<int> order;
    std::vector<std::string> header;
    int status = 0;
    for (const std::string_view csvName : kCsvColumns) {
        const int index = table.fieldIndex(*databaseName(csvName));
        if (index < 0) {
            err << "quilldb: " << file.string() << ": the table lacks the field " << *databaseName(csvName) << " ("
                << csvName << ")\n";
            status = 1;
            continue;
        }
        order.push_back(index);
        header.emplace_back(csvName);
    }
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        if (!isSizeField(table.fields[i])) {
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
