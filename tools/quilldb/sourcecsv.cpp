#include "sourcecsv.h"

#include <algorithm>
#include <map>
#include <utility>

namespace quilldb {

namespace {

constexpr std::size_t kFields = quill::kSourceFields.size();
constexpr int kKeyChars = 10; // ネジの呼び as in the size table; 区分 is at most 4 characters
constexpr int kItemChars = 20; // the longest field name, ネジのピッチ, is 12 bytes in code page 932
constexpr int kValueChars = 20;
constexpr int kTextChars = 255;

std::string header()
{
    std::string out;
    for (const std::string_view name : quill::kSourceFields)
        out += (out.empty() ? "" : ",") + std::string(name);
    return "the first line must be the header " + out;
}

std::size_t indexOf(std::string_view name)
{
    const auto it = std::find(quill::kSourceFields.begin(), quill::kSourceFields.end(), name);
    return static_cast<std::size_t>(it - quill::kSourceFields.begin());
}

std::array<std::size_t, kFields> mapHeader(const CsvRecord& names)
{
    std::array<std::size_t, kFields> csvColumn;
    csvColumn.fill(kFields);
    for (std::size_t c = 0; c < names.fields.size(); ++c) {
        const CsvField& name = names.fields[c];
        const std::size_t field = indexOf(name.text);
        if (field == kFields)
            throw InputError("\"" + name.text + "\" is not a column name; " + header(), name.line, c + 1);
        if (csvColumn[field] != kFields)
            throw InputError("the column \"" + name.text + "\" appears twice", name.line, c + 1);
        csvColumn[field] = c;
    }
    for (std::size_t f = 0; f < kFields; ++f) {
        if (csvColumn[f] == kFields)
            throw InputError("the header lacks the column " + std::string(quill::kSourceFields[f]) + "; " + header(),
                names.line(), names.fields.size() + 1);
    }
    return csvColumn;
}

// The value fields of the size table (all but the designation), by database name.
std::size_t sizeFieldIndex(std::string_view name)
{
    for (std::size_t i = 0; i < quill::kSizeFields.size(); ++i) {
        if (!quill::kSizeFields[i].isText && quill::kSizeFields[i].fieldName == name)
            return i;
    }
    return quill::kSizeFields.size();
}

bool fits(const jet::Column& column, const std::string& text, jet::Format format)
{
    try {
        jet::checkCell(column, text, format);
        return true;
    } catch (const jet::Error&) {
        return false;
    }
}

} // namespace

SourceTable sourceTableFromCsv(std::vector<CsvRecord> records, const SizeTable& sizes, jet::Format format)
{
    if (records.empty())
        throw InputError("the file is empty; " + header(), 0);
    SourceTable result;
    result.csvColumn = mapHeader(records.front());
    records.erase(records.begin());
    result.records = std::move(records);

    // The size table's text of each cell, by designation and field.
    const std::size_t sizeKey = static_cast<std::size_t>(
        std::find_if(quill::kSizeFields.begin(), quill::kSizeFields.end(), [](const auto& f) { return f.isText; })
        - quill::kSizeFields.begin());
    std::map<std::string, const CsvRecord*> sizeRecords;
    for (const CsvRecord& record : sizes.records)
        sizeRecords.emplace(record.fields.at(sizes.csvColumn[sizeKey]).text, &record);
    auto sizeCell = [&](const std::string& designation, std::size_t field) -> const std::string& {
        return sizeRecords.at(designation)->fields.at(sizes.csvColumn[field]).text;
    };

    jet::Table& table = result.table;
    table.name = std::string(quill::kSourceTableName);
    table.columns = { { std::string(quill::kSourceDesignation), jet::ColumnType::Text, kKeyChars },
        { std::string(quill::kSourceItem), jet::ColumnType::Text, kItemChars },
        { std::string(quill::kSourceValue), jet::ColumnType::Text, kValueChars },
        { std::string(quill::kSourceCategory), jet::ColumnType::Text, kKeyChars },
        { std::string(quill::kSourceBasis), jet::ColumnType::Memo, 0 } };
    const jet::Column textBasis { std::string(quill::kSourceBasis), jet::ColumnType::Text, kTextChars };
    bool basisFitsText = true;

    std::map<std::pair<std::string, std::size_t>, std::size_t> seen; // (size, field) -> line
    for (const CsvRecord& record : result.records) {
        if (record.fields.size() != kFields)
            throw InputError("the record has " + std::to_string(record.fields.size()) + " fields; the header has "
                    + std::to_string(kFields),
                record.line(), std::min(record.fields.size(), kFields) + 1);
        auto cell = [&](std::size_t field) -> const CsvField& { return record.fields[result.csvColumn[field]]; };
        auto fail = [&](std::size_t field, const std::string& message) {
            const std::size_t column = result.csvColumn[field];
            return InputError(message, record.fields[column].line, column + 1, quill::kSourceFields[field]);
        };

        jet::Row row(kFields);
        for (std::size_t f = 0; f < kFields; ++f) {
            if (!cell(f).text.empty())
                row[f] = cell(f).text;
            try {
                jet::checkCell(table.columns[f], row[f], format);
            } catch (const jet::Error& e) {
                throw fail(f, e.what());
            }
        }

        const std::string& designation = cell(0).text;
        if (!sizeRecords.count(designation))
            throw fail(0, "\"" + designation + "\" is no size of the size table");
        const std::size_t field = sizeFieldIndex(cell(1).text);
        if (field == quill::kSizeFields.size())
            throw fail(1, "\"" + cell(1).text + "\" is not a value field of the size table");
        const auto [it, added] = seen.emplace(std::pair { designation, field }, record.line());
        if (!added)
            throw fail(
                1, designation + " " + cell(1).text + " appears again; first on line " + std::to_string(it->second));

        const std::string& category = cell(3).text;
        if (std::find(quill::kSourceCategories.begin(), quill::kSourceCategories.end(), category)
            == quill::kSourceCategories.end())
            throw fail(3, "\"" + category + "\" is not one of 公表値, 導出値, 規格なし");
        const std::string& value = cell(2).text;
        const std::string& sized = sizeCell(designation, field);
        if (category == quill::kNoStandard) {
            if (!value.empty())
                throw fail(2, "規格なし vouches for no value; \"" + value + "\" must be empty");
            if (!sized.empty())
                throw fail(3,
                    "the size table has " + sized + " for " + designation + " " + cell(1).text
                        + "; 規格なし claims none");
        } else if (value != sized) {
            throw fail(2,
                "\"" + value + "\" is not the size table's " + designation + " " + cell(1).text + " (\"" + sized
                    + "\")");
        }
        if (cell(4).text.empty())
            throw fail(4, "the row gives no 根拠");
        basisFitsText = basisFitsText && fits(textBasis, cell(4).text, format);
        table.rows.push_back(std::move(row));
    }

    for (const CsvRecord& record : sizes.records) {
        const std::string& designation = record.fields.at(sizes.csvColumn[sizeKey]).text;
        for (std::size_t f = 0; f < quill::kSizeFields.size(); ++f) {
            if (!quill::kSizeFields[f].isText && !seen.count({ designation, f }))
                throw InputError(
                    "the file has no row for " + designation + " " + std::string(quill::kSizeFields[f].fieldName), 0);
        }
    }
    if (basisFitsText)
        table.columns.back() = textBasis;
    return result;
}

} // namespace quilldb
