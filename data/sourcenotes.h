#pragma once

#include "mdbtable.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace quill {

// What a database's source table (出典) says about each value: whether the standard publishes
// it, the project derived it by a rule, or the standard has none, and on what grounds. It
// speaks only for the value it names, so a changed value claims nothing; a database without
// the table claims nothing at all.
class SourceNotes {
public:
    SourceNotes() = default;
    // From the source table as read, whose texts it keeps as they are. A table that lacks one of
    // its five fields gives no notes; so do rows with an unknown category.
    explicit SourceNotes(MdbTable table);

    bool isEmpty() const { return m_entries.empty(); }

    // The note for the text shown in a field of a size (empty for no value): "区分：根拠", one
    // sentence or source a line, when the table's row vouches for exactly that text; empty
    // otherwise. The designation itself is vouched for by the size having rows at all.
    QString noteFor(const QString& designation, const QString& field, const QString& shown) const;
    // The category part of that note alone (公表値, 導出値 or 規格なし); empty when there is no note.
    QString categoryFor(const QString& designation, const QString& field, const QString& shown) const;

private:
    // Kept as read (UTF-8): a note is made only for a value shown, so only then converted.
    struct Entry {
        std::optional<std::string> value;
        std::string_view category; // one of kSourceCategories
        std::string basis;
    };
    // The row that vouches for exactly the text shown, or nullptr; not for the designation.
    const Entry* vouching(const QString& designation, const QString& field, const QString& shown) const;
    bool vouchesForDesignation(const QString& designation) const;

    std::unordered_map<std::string, Entry> m_entries; // by designation and field
    std::unordered_set<std::string> m_designations;
};

} // namespace quill
