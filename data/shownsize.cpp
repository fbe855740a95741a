#include "shownsize.h"

#include "dimensiontext.h"

namespace quill {

namespace {

// The length of a dimension among the three, or nullptr for the others.
template <typename Three> auto* ofLength(DimensionId id, Three& three)
{
    switch (id) {
    case DimensionId::ShankLength:
        return &three.shank;
    case DimensionId::GripLength:
        return &three.grip;
    case DimensionId::ThreadLength:
        return &three.thread;
    default:
        return static_cast<decltype(&three.shank)>(nullptr);
    }
}

} // namespace

QString shownValue(const Dimension& row, const ShownSize& size)
{
    if (row.id == DimensionId::NominalLength)
        return size.lengthItem.trimmed();
    if (size.lengths) {
        if (const std::string* length = ofLength(row.id, size.lengths->row))
            return QString::fromStdString(*length);
    }
    return row.field.empty() ? QString() : size.records.value(fieldName(row));
}

QString shownNote(const Dimension& row, const ShownSize& size)
{
    if (size.lengths) {
        if (const QString* note = ofLength(row.id, size.lengths->notes))
            return *note;
    }
    return row.field.empty() ? QString() : size.records.sourceNote(fieldName(row));
}

QString copyText(const ShownSize& size)
{
    if (size.records.currentIndex() < 0)
        return {};
    QString text;
    for (const Dimension& row : copiedDimensions())
        text += symbolOf(row) + QLatin1Char('\t') + nameOf(row) + QLatin1Char('\t') + shownValue(row, size)
            + QLatin1Char('\n');
    return text;
}

} // namespace quill
