#include "sourcenotes.h"

#include "sizefields.h"
#include "sourcefields.h"

#include <algorithm>

namespace quill {

namespace {

// Tooltips do not wrap plain text: lines are broken at this many columns, a full-width
// character taking two.
constexpr int kLineColumns = 80;

QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString keyOf(const QString& designation, const QString& field)
{
    return designation + QChar(0x1F) + field;
}

int columnsOf(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F) ? 1 : 2; // ASCII and half-width katakana: one
}

// Where a line may break: after a blank, a Japanese comma or a closing bracket, or before
// an address.
bool breaksBefore(const QString& line, qsizetype at)
{
    return QStringView(u" 、）」").contains(line.at(at - 1)) || QStringView(line).mid(at).startsWith(u"http");
}

// The line in pieces of at most kLineColumns, broken at the last place it may break, or where
// the columns run out when there is none (a long address).
QStringList wrapped(QString line)
{
    QStringList pieces;
    for (;;) {
        int columns = 0;
        qsizetype end = 0;
        while (end < line.size() && columns + columnsOf(line.at(end)) <= kLineColumns)
            columns += columnsOf(line.at(end++));
        if (end == line.size())
            break;
        qsizetype cut = end;
        for (qsizetype at = end; at > 0; --at) {
            if (breaksBefore(line, at)) {
                cut = at;
                break;
            }
        }
        pieces << line.left(cut).trimmed();
        line = line.mid(cut);
    }
    pieces << line.trimmed();
    return pieces;
}

// One sentence or source a line, each wrapped to kLineColumns.
QString lines(const QString& text)
{
    QString split = text;
    split.replace(QStringLiteral("；"), QStringLiteral("\n"));
    split.replace(QStringLiteral("。"), QStringLiteral("。\n"));
    QStringList out;
    for (const QString& line : split.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        out << wrapped(line);
    return out.join(QLatin1Char('\n'));
}

} // namespace

SourceNotes::SourceNotes(const QStringList& fields, const QList<QList<std::optional<QString>>>& rows)
{
    const qsizetype designation = fields.indexOf(utf8(kSourceDesignation));
    const qsizetype item = fields.indexOf(utf8(kSourceItem));
    const qsizetype value = fields.indexOf(utf8(kSourceValue));
    const qsizetype category = fields.indexOf(utf8(kSourceCategory));
    const qsizetype basis = fields.indexOf(utf8(kSourceBasis));
    if (std::min({ designation, item, value, category, basis }) < 0)
        return;
    QStringList categories;
    for (const std::string_view name : kSourceCategories)
        categories << utf8(name);

    for (const auto& row : rows) {
        auto text = [&](qsizetype column) { return column < row.size() ? row.at(column) : std::nullopt; };
        const auto size = text(designation);
        const auto field = text(item);
        const auto kind = text(category);
        if (!size || !field || !kind || !categories.contains(*kind))
            continue;
        m_entries.insert(keyOf(*size, *field), { text(value), *kind, text(basis).value_or(QString()) });
        m_designations.insert(*size);
    }
}

QString SourceNotes::noteFor(const QString& designation, const QString& field, const QString& shown) const
{
    if (field == utf8(kSizeFields.front().fieldName)) {
        const bool known = std::any_of(kDesignations.begin(), kDesignations.end(),
            [&](std::string_view size) { return utf8(size) == designation; });
        return known && m_designations.contains(designation)
            ? utf8(kPublished) + QStringLiteral("：JIS B 1176 (1988) のねじの呼び（メートル並目ねじ）")
            : QString();
    }
    const auto it = m_entries.constFind(keyOf(designation, field));
    if (it == m_entries.constEnd() || it->value.value_or(QString()) != shown)
        return {};
    // Only 規格なし explains a blank, and it explains nothing else.
    if ((it->category == utf8(kNoStandard)) != shown.isEmpty())
        return {};
    return lines(it->category + QStringLiteral("：") + it->basis);
}

} // namespace quill
