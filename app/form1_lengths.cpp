// The length display: which size's length routine runs, and what it writes.

#include "form1.h"
#include "labels.h"
#include "lengthlist.h"
#include "lengthnotes.h"
#include "lengthroutines.h"
#include "sizefields.h"

#include <array>
#include <string_view>
#include <utility>

namespace lengths = quill::lengths;

void Form1::ShowLengths()
{
    using Routine = void (Form1::*)();
    // One routine per designation, in the order of quill::kDesignations (checked below).
#define FORM1_DISPATCH_ROW(nn) { lengths::routineSizeIndex(#nn), &Form1::M##nn##L },
    static constexpr std::pair<std::size_t, Routine> kDispatch[] = { FORM1_LENGTH_ROUTINES(FORM1_DISPATCH_ROW) };
#undef FORM1_DISPATCH_ROW
    static_assert(std::size(kDispatch) == quill::kDesignations.size());
    static_assert(
        [] {
            for (std::size_t i = 0; i < std::size(kDispatch); ++i)
                if (kDispatch[i].first != i)
                    return false;
            return true;
        }(),
        "one routine per designation, in the order of kDesignations");
    const QByteArray shown = m_label1->caption().toUtf8();
    const std::string_view designation(shown.constData(), static_cast<std::size_t>(shown.size()));
    for (const auto& [size, routine] : kDispatch) {
        if (quill::kDesignations[size] == designation) {
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

// Each routine reads its size from its own name.
#define FORM1_DEFINE_ROUTINE(nn)                                                                                       \
    void Form1::M##nn##L()                                                                                             \
    {                                                                                                                  \
        writeLengths(lengths::routineSizeIndex(#nn));                                                                  \
    }
FORM1_LENGTH_ROUTINES(FORM1_DEFINE_ROUTINE)
#undef FORM1_DEFINE_ROUTINE
