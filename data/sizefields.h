#pragma once

#include "dimensions.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace quill {

// The size table and its 26 fields, in the table's column order: the first 26 rows of the
// dimension table. csvName is the column header of cap-screw-sizes.csv, the symbol but for
// the designation and the pitch.
inline constexpr std::string_view kSizeTableName = "六角穴付ボルト";

struct SizeField {
    std::string_view fieldName; // name in the database, full-width letters
    std::string_view csvName; // header in the reviewed CSV
    bool isText;
};

inline constexpr std::array<SizeField, 26> kSizeFields = [] {
    std::array<SizeField, 26> fields {};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Dimension& row = kDimensions[i];
        const bool designation = row.id == DimensionId::Designation;
        fields[i] = { row.field, designation ? "size" : row.id == DimensionId::Pitch ? "P" : row.symbol, designation };
    }
    return fields;
}();
static_assert(
    [] {
        for (std::size_t i = 0; i < kSizeFields.size(); ++i)
            if (kSizeFields[i].fieldName.empty() || dimensionByField(kSizeFields[i].fieldName) != &kDimensions[i])
                return false;
        return true;
    }(),
    "the first 26 dimensions are the size table's fields, each once");

// Longest designation text the table holds ("M52" is three characters; the column is Text(10)).
inline constexpr int kDesignationColumnChars = 10;

// The 22 thread designations, smallest first.
inline constexpr std::array<std::string_view, 22> kDesignations { "M3", "M4", "M5", "M6", "M8", "M10", "M12", "M14",
    "M16", "M18", "M20", "M22", "M24", "M27", "M30", "M33", "M36", "M39", "M42", "M45", "M48", "M52" };

} // namespace quill
