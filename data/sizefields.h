#pragma once

#include <array>
#include <string_view>

namespace quill {

// The size table and its 26 fields, in the table's column order. csvName is the
// half-width symbol used as the column header of cap-screw-sizes.csv.
inline constexpr std::string_view kSizeTableName = "六角穴付ボルト";

struct SizeField {
    std::string_view fieldName; // name in the database, full-width letters
    std::string_view csvName; // header in the reviewed CSV
    bool isText;
};

inline constexpr std::array<SizeField, 26> kSizeFields { {
    { "ネジの呼び", "size", true },
    { "ネジのピッチ", "P", false },
    { "ｓ", "s", false },
    { "ｅ", "e", false },
    { "ｄｋ", "dk", false },
    { "ｖ", "v", false },
    { "ｔ", "t", false },
    { "ｗ", "w", false },
    { "ｄａ", "da", false },
    { "ｄｓ", "ds", false },
    { "ｋ", "k", false },
    { "Ｄ", "D", false },
    { "Ｈ''", "H''", false },
    { "Ｈ'", "H'", false },
    { "ｄ'", "d'", false },
    { "Ｄ１", "D1", false },
    { "ｈ１", "h1", false },
    { "ｔ１", "t1", false },
    { "Ｄ２", "D2", false },
    { "ｈ２", "h2", false },
    { "ｔ２", "t2", false },
    { "ｈ３", "h3", false },
    { "ｔ３", "t3", false },
    { "Ｄ３", "D3", false },
    { "ｈ４", "h4", false },
    { "ｔ４", "t4", false },
} };

// Longest designation text the table holds ("M52" is three characters; the column is Text(10)).
inline constexpr int kDesignationColumnChars = 10;

// The 22 thread designations, smallest first.
inline constexpr std::array<std::string_view, 22> kDesignations { "M3", "M4", "M5", "M6", "M8", "M10", "M12", "M14",
    "M16", "M18", "M20", "M22", "M24", "M27", "M30", "M33", "M36", "M39", "M42", "M45", "M48", "M52" };

} // namespace quill
