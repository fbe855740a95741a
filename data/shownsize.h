#pragma once

#include "dimensions.h"
#include "lengthnotes.h"
#include "sizerecords.h"

#include <QString>

#include <optional>

// The size the window shows, as data: each dimension's value and where it comes from, and the
// copied text. What the copy, printing and export read instead of the labels.
namespace quill {

struct ShownSize {
    const SizeRecords& records; // its current record
    QString lengthItem; // the length chosen in Combo1, as listed ("  25")
    // The three lengths last written; nullopt while their labels show placeholders.
    const std::optional<lengths::ShownLengths>& lengths;
};

// The value shown for a dimension: its field in the current record, the nominal length chosen
// (without blanks) or one of the three lengths; empty for a placeholder, NULL or a missing field.
QString shownValue(const Dimension& row, const ShownSize& size);
// Where that value comes from, in words (the tooltip's lines after the description); empty
// when nothing is claimed for it.
QString shownNote(const Dimension& row, const ShownSize& size);

// The size as text a spreadsheet takes: one line per copied dimension with its symbol, name and
// value, tab-separated, each line ending in "\n"; empty while no record is shown.
QString copyText(const ShownSize& size);

} // namespace quill
