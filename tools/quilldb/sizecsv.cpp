#include "sizecsv.h"

#include <algorithm>
#include <map>

namespace quilldb {

namespace {

std::string joined(auto names)
{
    std::string out;
    for (const auto& name : names) {
        if (!out.empty())
            out += ",";
        out += name;
    }
    return out;
}

std::string expectedHeader()
{
    return "the first line must be the header " + joined(kCsvColumns);
}

std::size_t fieldIndex(std::string_view csvName)
{
    for (std::size_t i = 0; i < quill::kSizeFields.size(); ++i) {
        if (quill::kSizeFields[i].csvName == csvName)
            return i;
    }
    return quill::kSizeFields.size();
}

std::array<std::size_t, quill::kSizeFields.size()> mapHeader(const CsvRecord& header)
{
    constexpr std::size_t kUnset = quill::kSizeFields.size();
    std::array<std::size_t, quill::kSizeFields.size()> csvColumn;
    csvColumn.fill(kUnset);
    for (std::size_t c = 0; c < header.fields.size(); ++c) {
        const CsvField& name = header.fields[c];
        const std::size_t field = fieldIndex(name.text);
        if (field == kUnset)
            throw InputError("\"" + name.text + "\" is not a column name; " + expectedHeader(), name.line, c + 1);
        if (csvColumn[field] != kUnset)
            throw InputError("the column \"" + name.text + "\" appears twice (also column "
                    + std::to_string(csvColumn[field] + 1) + ")",
                name.line, c + 1);
        csvColumn[field] = c;
    }
    std::vector<std::string_view> missing;
    for (std::size_t f = 0; f < csvColumn.size(); ++f) {
        if (csvColumn[f] == kUnset)
            missing.push_back(quill::kSizeFields[f].csvName);
    }
    if (!missing.empty())
        throw InputError("the header lacks the column(s) " + joined(missing) + "; " + expectedHeader(), header.line(),
            header.fields.size() + 1);
    return csvColumn;
}

jet::Column columnOf(const quill::SizeField& field, bool single)
{
    if (field.isText)
        return { std::string(field.fieldName), jet::ColumnType::Text, quill::kDesignationColumnChars };
    return { std::string(field.fieldName), single ? jet::ColumnType::Single : jet::ColumnType::Double, 0 };
}

bool isDesignation(std::string_view text)
{
    return std::find(quill::kDesignations.begin(), quill::kDesignations.end(), text) != quill::kDesignations.end();
}

} // namespace

SizeTable sizeTableFromCsv(std::vector<CsvRecord> records, jet::Format format, bool single)
{
    if (records.empty())
        throw InputError("the file is empty; " + expectedHeader(), 0);

    SizeTable result;
    result.csvColumn = mapHeader(records.front());
    records.erase(records.begin());
    if (records.empty())
        throw InputError("the file holds no records after the header", 1);
    result.records = std::move(records);

    jet::Table& table = result.table;
    table.name = std::string(quill::kSizeTableName);
    for (const quill::SizeField& field : quill::kSizeFields)
        table.columns.push_back(columnOf(field, single));

    const std::size_t width = quill::kSizeFields.size();
    std::map<std::string, std::size_t> designationLines;
    for (const CsvRecord& record : result.records) {
        if (record.fields.size() < width)
            throw InputError("the record ends after " + std::to_string(record.fields.size())
                    + " fields; the header has " + std::to_string(width),
                record.line(), record.fields.size() + 1);
        if (record.fields.size() > width)
            throw InputError("the record has " + std::to_string(record.fields.size()) + " fields; the header has "
                    + std::to_string(width),
                record.fields.back().line, width + 1);

        // Cells are checked in the file's column order, so the first bad one is reported.
        jet::Row row(width);
        for (std::size_t c = 0; c < width; ++c) {
            const std::size_t f = static_cast<std::size_t>(
                std::find(result.csvColumn.begin(), result.csvColumn.end(), c) - result.csvColumn.begin());
            const CsvField& cell = record.fields[c];
            const std::string_view name = quill::kSizeFields[f].csvName;
            if (!cell.text.empty())
                row[f] = cell.text;
            try {
                jet::checkCell(table.columns[f], row[f], format);
            } catch (const jet::Error& e) {
                throw InputError(e.what(), cell.line, c + 1, name);
            }
            if (!quill::kSizeFields[f].isText)
                continue;
            if (!isDesignation(cell.text))
                throw InputError("\"" + cell.text + "\" is not a thread designation; expected one of "
                        + joined(quill::kDesignations),
                    cell.line, c + 1, name);
            const auto [it, added] = designationLines.emplace(cell.text, cell.line);
            if (!added)
                throw InputError("\"" + cell.text + "\" appears again; first on line " + std::to_string(it->second),
                    cell.line, c + 1, name);
        }
        table.rows.push_back(std::move(row));
    }
    return result;
}

} // namespace quilldb
