#pragma once

#include "dimensions.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

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
inline const Dimension* dimensionByField(QStringView field)
{
    const QByteArray utf8 = field.toUtf8();
    return dimensionByField(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}
inline const Dimension* dimensionBySymbol(QStringView symbol)
{
    const QByteArray utf8 = symbol.toUtf8();
    return dimensionBySymbol(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace quill
