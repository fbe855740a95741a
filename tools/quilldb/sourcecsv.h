#pragma once

#include "csv.h"
#include "sizecsv.h"
#include "sourcefields.h"

#include <array>
#include <jetwriter.h>
#include <vector>

namespace quilldb {

// The source table: one row for every value field of every size in the size table,
// in the CSV's order.
struct SourceTable {
    jet::Table table;
    std::vector<CsvRecord> records; // the data records, without the header
    std::array<std::size_t, quill::kSourceFields.size()> csvColumn {}; // by field, from 0
};

// Reads cap-screw-provenance.csv (header ネジの呼び,項目,値,区分,根拠 in any order) and checks it
// against the size table it describes: each size and field once and none missing, "値" equal to
// the size table's text of that cell, "区分" one of 公表値, 導出値, 規格なし, where 規格なし goes with
// an empty cell and an empty "値", and a "根拠" for every row. "根拠" becomes a Memo field
// when a text is longer than a Text field holds. Throws InputError.
SourceTable sourceTableFromCsv(std::vector<CsvRecord> records, const SizeTable& sizes, jet::Format format);

} // namespace quilldb
