#pragma once

#include "dimensions.h"

#include <QString>

// The dimension table's texts as Qt strings, and its lookups by them.
namespace quill {

inline QString utf8Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString fieldName(const Dimension& row)
{
    return utf8Text(row.field);
}
inline QString symbolOf(const Dimension& row)
{
    return utf8Text(row.symbol);
}
inline QString nameOf(const Dimension& row)
{
    return utf8Text(row.name);
}
// The name and the symbol, as describe() gives them.
inline QString descriptionOf(const Dimension& row)
{
    return utf8Text(describe(row));
}

// The first row with that field or symbol (for Ｄ２ and D2 the copied one), or nullptr.
inline const Dimension* dimensionByField(const QString& field)
{
    return dimensionByField(std::string_view(field.toStdString()));
}
inline const Dimension* dimensionBySymbol(const QString& symbol)
{
    return dimensionBySymbol(std::string_view(symbol.toStdString()));
}

} // namespace quill
