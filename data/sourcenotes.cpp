#include "sourcenotes.h"

#include "sizefields.h"
#include "sourcefields.h"

#include <QStringList>

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

std::string keyOf(const std::string& designation, const std::string& field)
{
    return designation + '\x1f' + field;
}

int columnsOf(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F) ? 1 : 2; // ASCII and half-width katakana: one
}

// Where a line may break: after a blank, a Japanese comma or a closing bracket, or before
// an address.
bool breaksBefore(QStringView line, qsizetype at)
{
    switch (line[at - 1].unicode()) {
    case u' ':
    case u'、':
    case u'）':
    case u'」':
        return true;
    default:
        return line[at] == u'h' && line.mid(at).startsWith(u"http");
    }
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

SourceNotes::SourceNotes(MdbTable table)
{
    // (The viewer does not link the reader's library, which has MdbTable::fieldIndex.)
    const auto column = [&](std::string_view name) {
        return std::size_t(std::find(table.fields.begin(), table.fields.end(), name) - table.fields.begin());
    };
    const std::size_t columns[] = { column(kSourceDesignation), column(kSourceItem), column(kSourceValue),
        column(kSourceCategory), column(kSourceBasis) };
    if (*std::max_element(std::begin(columns), std::end(columns)) >= table.fields.size())
        return;
    const auto [designation, item, value, category, basis] = columns;
    m_entries.reserve(table.rows.size());
    for (auto& row : table.rows) {
        if (row.size() != table.fields.size())
            continue;
        const auto& size = row[designation];
        const auto& field = row[item];
        const auto& kind = row[category];
        const auto known = std::find(kSourceCategories.begin(), kSourceCategories.end(), kind.value_or(std::string()));
        if (!size || !field || known == kSourceCategories.end())
            continue;
        m_entries.insert_or_assign(keyOf(*size, *field),
            Entry { std::move(row[value]), *known, std::move(row[basis]).value_or(std::string()) });
        m_designations.insert(*size);
    }
}

bool SourceNotes::vouchesForDesignation(const QString& designation) const
{
    const bool known = std::any_of(
        kDesignations.begin(), kDesignations.end(), [&](std::string_view size) { return utf8(size) == designation; });
    return known && m_designations.contains(designation.toStdString());
}

const SourceNotes::Entry* SourceNotes::vouching(
    const QString& designation, const QString& field, const QString& shown) const
{
    const auto it = m_entries.find(keyOf(designation.toStdString(), field.toStdString()));
    if (it == m_entries.end() || it->second.value.value_or(std::string()) != shown.toStdString())
        return nullptr;
    // Only 規格なし explains a blank, and it explains nothing else.
    if ((it->second.category == kNoStandard) != shown.isEmpty())
        return nullptr;
    return &it->second;
}

QString SourceNotes::noteFor(const QString& designation, const QString& field, const QString& shown) const
{
    if (field == utf8(kSizeFields.front().fieldName)) {
        return vouchesForDesignation(designation)
            ? utf8(kPublished) + QStringLiteral("：JIS B 1176 (1988) のねじの呼び（メートル並目ねじ）")
            : QString();
    }
    const Entry* entry = vouching(designation, field, shown);
    return entry ? lines(utf8(entry->category) + QStringLiteral("：") + utf8(entry->basis)) : QString();
}

QString SourceNotes::categoryFor(const QString& designation, const QString& field, const QString& shown) const
{
    if (field == utf8(kSizeFields.front().fieldName))
        return vouchesForDesignation(designation) ? utf8(kPublished) : QString();
    const Entry* entry = vouching(designation, field, shown);
    return entry ? utf8(entry->category) : QString();
}

} // namespace quill
