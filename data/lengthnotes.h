#pragma once

#include "lengthtables.h"

#include <QString>

// The length display with its words: a row of the length tables as the window shows it, and
// where each of its three lengths comes from (the standard's rule, a full thread, no entry).
namespace quill::lengths {

struct LengthNotes {
    QString shank, grip, thread;
};

struct ShownLengths {
    LengthRow row;
    LengthNotes notes;
};

// The row of a size at a length key, with its notes.
ShownLengths shownLengths(const SizeParameters& size, int keyIndex);
// "---" three times, for a designation that has no length table.
ShownLengths unlistedSize();

} // namespace quill::lengths
