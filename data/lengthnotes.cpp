#include "lengthnotes.h"

#include "dimensiontext.h"

namespace quill::lengths {

namespace {

QString text(std::string_view s)
{
    return utf8Text(s);
}

LengthNotes notesFor(const SizeParameters& size, int key, const LengthRow& row)
{
    const QString l = QString::number(nominalLength(key));
    const QString b = QString::number(size.threadLength);
    switch (rowKind(size, key)) {
    case RowKind::Dimensioned: {
        const QString rule = QStringLiteral("JIS B 1176 の規則 lg = l − b、ls = lg − 5P による：");
        const QString p = QString::number(size.pitchHundredths / 100.0);
        return { rule + QStringLiteral("ls = %1 − 5 × %2 = %3").arg(text(row.grip), p, text(row.shank)),
            rule + QStringLiteral("lg = %1 − %2 = %3").arg(l, b, text(row.grip)),
            rule + descriptionOf(dimension(DimensionId::ThreadLength)) + QStringLiteral(" = %1（参考）").arg(b) };
    }
    case RowKind::Threaded: {
        const QString note = QStringLiteral("JIS B 1176：%1 の呼び長さ %2 は全ねじ（b = l、lg と ls はない）")
                                 .arg(text(size.designation), l);
        return { note, note, note };
    }
    case RowKind::NoEntry:
        break;
    }
    const QString note = QStringLiteral("JIS B 1176 の表に %1 の呼び長さ %2 はない").arg(text(size.designation), l);
    return { note, note, note };
}

} // namespace

ShownLengths shownLengths(const SizeParameters& size, int key)
{
    LengthRow lengths = row(size, key);
    LengthNotes notes = notesFor(size, key, lengths);
    return { std::move(lengths), std::move(notes) };
}

ShownLengths unlistedSize()
{
    const std::string none(kNotApplicable);
    const QString note = QStringLiteral("この呼びは JIS B 1176 の長さの表にない");
    return { { none, none, none }, { note, note, note } };
}

} // namespace quill::lengths
