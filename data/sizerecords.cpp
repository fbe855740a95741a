#include "sizerecords.h"

#include "dimensiontext.h"

#include <algorithm>

namespace quill {

void SizeRecords::setTable(SizeTable table)
{
    m_table = std::move(table);
    m_current = m_table.rows.isEmpty() ? -1 : 0;
}

bool SizeRecords::moveTo(int index)
{
    if (m_table.rows.isEmpty())
        return false;
    index = std::clamp(index, 0, count() - 1);
    if (index == m_current)
        return false;
    m_current = index;
    return true;
}

QString SizeRecords::value(const QString& field) const
{
    const int column = m_table.fieldIndex(field);
    if (m_current < 0 || column < 0)
        return {};
    const auto& row = m_table.rows.at(m_current);
    if (column >= row.size() || !row.at(column))
        return {};
    return *row.at(column);
}

QString SizeRecords::designation() const
{
    return value(utf8Text(dimension(DimensionId::Designation).field));
}

QString SizeRecords::sourceNote(const QString& field) const
{
    if (m_current < 0 || !hasField(field))
        return {};
    return m_table.sources.noteFor(designation(), field, value(field));
}

QString SizeRecords::sourceCategory(const QString& field) const
{
    if (m_current < 0 || !hasField(field))
        return {};
    return m_table.sources.categoryFor(designation(), field, value(field));
}

} // namespace quill
