// The length display: which size's length routine runs, and what it writes.

#include "form1.h"
#include "labels.h"
#include "lengthlist.h"
#include "lengthtables.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

// Where the three lengths come from: the standard's rule, a full thread, or no entry.
struct LengthNotes {
    QString shank, grip, thread;
};

LengthNotes lengthNotes(const quill::lengths::SizeParameters& size, int key, const quill::lengths::LengthRow& row)
{
    namespace lengths = quill::lengths;
    const QString l = QString::number(lengths::nominalLength(key));
    const QString b = QString::number(size.threadLength);
    switch (lengths::rowKind(size, key)) {
    case lengths::RowKind::Dimensioned: {
        const QString rule = QStringLiteral("JIS B 1176 の規則 lg = l − b、ls = lg − 5P による：");
        const QString p = QString::number(size.pitchHundredths / 100.0);
        return { rule + QStringLiteral("ls = %1 − 5 × %2 = %3").arg(text(row.grip), p, text(row.shank)),
            rule + QStringLiteral("lg = %1 − %2 = %3").arg(l, b, text(row.grip)),
            rule + QStringLiteral("ねじ部長さ b = %1（参考）").arg(b) };
    }
    case lengths::RowKind::Threaded: {
        const QString note
            = QStringLiteral("JIS B 1176：%1 の呼び長さ %2 は全ねじ（b = l、lg と ls はない）")
                  .arg(QString::fromLatin1(size.designation.data(), qsizetype(size.designation.size())), l);
        return { note, note, note };
    }
    case lengths::RowKind::NoEntry:
        break;
    }
    const QString note = QStringLiteral("JIS B 1176 の表に %1 の呼び長さ %2 はない")
                             .arg(QString::fromLatin1(size.designation.data(), qsizetype(size.designation.size())), l);
    return { note, note, note };
}

} // namespace

void Form1::ShowLengths()
{
    using Routine = void (Form1::*)();
    static constexpr std::array<std::pair<std::string_view, Routine>, 22> kDispatch { {
        { "M3", &Form1::M03L },
        { "M4", &Form1::M04L },
        { "M5", &Form1::M05L },
        { "M6", &Form1::M06L },
        { "M8", &Form1::M08L },
        { "M10", &Form1::M10L },
        { "M12", &Form1::M12L },
        { "M14", &Form1::M14L },
        { "M16", &Form1::M16L },
        { "M18", &Form1::M18L },
        { "M20", &Form1::M20L },
        { "M22", &Form1::M22L },
        { "M24", &Form1::M24L },
        { "M27", &Form1::M27L },
        { "M30", &Form1::M30L },
        { "M33", &Form1::M33L },
        { "M36", &Form1::M36L },
        { "M39", &Form1::M39L },
        { "M42", &Form1::M42L },
        { "M45", &Form1::M45L },
        { "M48", &Form1::M48L },
        { "M52", &Form1::M52L },
    } };
    const QByteArray shown = m_label1->caption().toUtf8();
    const std::string_view designation(shown.constData(), static_cast<std::size_t>(shown.size()));
    for (const auto& [text, routine] : kDispatch) {
        if (text == designation) {
            (this->*routine)();
            return;
        }
    }
    // A record whose designation is no size (say "M3 " or "m3") has no lengths; do not leave
    // the previous size's lengths standing as if they were its own.
    if (m_lengthsShown) {
        const QString none = QString::fromLatin1(quill::lengths::kNotApplicable);
        const QString note = QStringLiteral("この呼びは JIS B 1176 の長さの表にない");
        for (ValueLabel* label : { m_label13, m_label14, m_label15 }) {
            label->setCaption(none);
            label->setSourceNote(note);
        }
    }
}

// Each size's routine: the row of the length chosen in Combo1, or nothing for a text that is no key.
void Form1::writeLengths(const char* designation)
{
    const quill::lengths::SizeParameters* size = quill::lengths::findSize(designation);
    const QByteArray chosen = m_combo1->currentText().toUtf8();
    const int key
        = quill::lengths::keyIndex(std::string_view(chosen.constData(), static_cast<std::size_t>(chosen.size())));
    if (key < 0)
        return;
    const quill::lengths::LengthRow row = quill::lengths::row(*size, key);
    const LengthNotes notes = lengthNotes(*size, key, row);
    m_label13->setCaption(text(row.shank));
    m_label13->setSourceNote(notes.shank);
    m_label14->setCaption(text(row.grip));
    m_label14->setSourceNote(notes.grip);
    m_label15->setCaption(text(row.thread));
    m_label15->setSourceNote(notes.thread);
    m_lengthsShown = true;
}

void Form1::M03L()
{
    writeLengths("M3");
}
void Form1::M04L()
{
    writeLengths("M4");
}
void Form1::M05L()
{
    writeLengths("M5");
}
void Form1::M06L()
{
    writeLengths("M6");
}
void Form1::M08L()
{
    writeLengths("M8");
}
void Form1::M10L()
{
    writeLengths("M10");
}
void Form1::M12L()
{
    writeLengths("M12");
}
void Form1::M14L()
{
    writeLengths("M14");
}
void Form1::M16L()
{
    writeLengths("M16");
}
void Form1::M18L()
{
    writeLengths("M18");
}
void Form1::M20L()
{
    writeLengths("M20");
}
void Form1::M22L()
{
    writeLengths("M22");
}
void Form1::M24L()
{
    writeLengths("M24");
}
void Form1::M27L()
{
    writeLengths("M27");
}
void Form1::M30L()
{
    writeLengths("M30");
}
void Form1::M33L()
{
    writeLengths("M33");
}
void Form1::M36L()
{
    writeLengths("M36");
}
void Form1::M39L()
{
    writeLengths("M39");
}
void Form1::M42L()
{
    writeLengths("M42");
}
void Form1::M45L()
{
    writeLengths("M45");
}
void Form1::M48L()
{
    writeLengths("M48");
}
void Form1::M52L()
{
    writeLengths("M52");
}
