#pragma once

#include <array>
#include <string_view>

namespace quill {

// The source table: one row for each value field of each size, saying where the value
// comes from. Its fields, in the table's column order, are also the header of
// cap-screw-provenance.csv.
inline constexpr std::string_view kSourceTableName = "出典";

inline constexpr std::string_view kSourceDesignation = "ネジの呼び"; // the size, as in the size table
inline constexpr std::string_view kSourceItem = "項目"; // the size table's field name
inline constexpr std::string_view kSourceValue = "値"; // the value vouched for; NULL for none
inline constexpr std::string_view kSourceCategory = "区分"; // one of kSourceCategories
inline constexpr std::string_view kSourceBasis = "根拠"; // the sources, the rule, or why there is no value

inline constexpr std::array<std::string_view, 5> kSourceFields { kSourceDesignation, kSourceItem, kSourceValue,
    kSourceCategory, kSourceBasis };

inline constexpr std::string_view kPublished = "公表値";
inline constexpr std::string_view kDerived = "導出値";
inline constexpr std::string_view kNoStandard = "規格なし";
inline constexpr std::array<std::string_view, 3> kSourceCategories { kPublished, kDerived, kNoStandard };

} // namespace quill
