// The length display: which size's length routine runs, and what it writes.

#include "form1.h"
#include "labels.h"
#include "lengthlist.h"
#include "lengthnotes.h"
#include "sizefields.h"

#include <array>
#include <string_view>
#include <utility>

namespace lengths = quill::lengths;

void Form1::ShowLengths()
{
    using Routine = void (Form1::*)();
    // One row per designation, in the order of quill::kDesignations (checked below).
    static constexpr std::array<std::pair<std::string_view, Routine>, quill::kDesignations.size()> kDispatch { {
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
    static_assert(
        [] {
            for (std::size_t i = 0; i < kDispatch.size(); ++i)
                if (kDispatch[i].first != quill::kDesignations[i])
                    return false;
            return true;
        }(),
        "one routine per designation, in the order of kDesignations");
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
    if (m_lengths)
        writeLengthLabels(lengths::unlistedSize());
}

// Each size's routine: the row of the length chosen in Combo1, or nothing for a text that is no key.
void Form1::writeLengths(std::size_t size)
{
    const QByteArray chosen = m_combo1->currentText().toUtf8();
    const int key = lengths::keyIndex(std::string_view(chosen.constData(), static_cast<std::size_t>(chosen.size())));
    if (key >= 0)
        writeLengthLabels(lengths::shownLengths(lengths::sizes().at(size), key));
}

void Form1::writeLengthLabels(const lengths::ShownLengths& shown)
{
    m_lengths = shown;
    const auto text = [](const std::string& s) { return QString::fromStdString(s); };
    m_label13->setCaption(text(shown.row.shank));
    m_label13->setSourceNote(shown.notes.shank);
    m_label14->setCaption(text(shown.row.grip));
    m_label14->setSourceNote(shown.notes.grip);
    m_label15->setCaption(text(shown.row.thread));
    m_label15->setSourceNote(shown.notes.thread);
}

void Form1::M03L()
{
    writeLengths(lengths::sizeIndex("M3"));
}
void Form1::M04L()
{
    writeLengths(lengths::sizeIndex("M4"));
}
void Form1::M05L()
{
    writeLengths(lengths::sizeIndex("M5"));
}
void Form1::M06L()
{
    writeLengths(lengths::sizeIndex("M6"));
}
void Form1::M08L()
{
    writeLengths(lengths::sizeIndex("M8"));
}
void Form1::M10L()
{
    writeLengths(lengths::sizeIndex("M10"));
}
void Form1::M12L()
{
    writeLengths(lengths::sizeIndex("M12"));
}
void Form1::M14L()
{
    writeLengths(lengths::sizeIndex("M14"));
}
void Form1::M16L()
{
    writeLengths(lengths::sizeIndex("M16"));
}
void Form1::M18L()
{
    writeLengths(lengths::sizeIndex("M18"));
}
void Form1::M20L()
{
    writeLengths(lengths::sizeIndex("M20"));
}
void Form1::M22L()
{
    writeLengths(lengths::sizeIndex("M22"));
}
void Form1::M24L()
{
    writeLengths(lengths::sizeIndex("M24"));
}
void Form1::M27L()
{
    writeLengths(lengths::sizeIndex("M27"));
}
void Form1::M30L()
{
    writeLengths(lengths::sizeIndex("M30"));
}
void Form1::M33L()
{
    writeLengths(lengths::sizeIndex("M33"));
}
void Form1::M36L()
{
    writeLengths(lengths::sizeIndex("M36"));
}
void Form1::M39L()
{
    writeLengths(lengths::sizeIndex("M39"));
}
void Form1::M42L()
{
    writeLengths(lengths::sizeIndex("M42"));
}
void Form1::M45L()
{
    writeLengths(lengths::sizeIndex("M45"));
}
void Form1::M48L()
{
    writeLengths(lengths::sizeIndex("M48"));
}
void Form1::M52L()
{
    writeLengths(lengths::sizeIndex("M52"));
}
