#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace quill {

// What a database's source table (出典) says about each value: whether the standard publishes
// it, the project derived it by a rule, or the standard has none, and on what grounds. It
// speaks only for the value it names, so a changed value claims nothing; a database without
// the table claims nothing at all.
class SourceNotes {
public:
    SourceNotes() = default;
    // From the source table as read (display texts, NULL as nullopt). A table that lacks one of
    // its five fields gives no notes; so do rows with an unknown category.
    SourceNotes(const QStringList& fields, const QList<QList<std::optional<QString>>>& rows);

    bool isEmpty() const { return m_entries.isEmpty(); }

    // The note for the text shown in a field of a size (empty for no value): "区分：根拠", one
    // sentence or source a line, when the table's row vouches for exactly that text; empty
    // otherwise. The designation itself is vouched for by the size having rows at all.
    QString noteFor(const QString& designation, const QString& field, const QString& shown) const;

private:
    struct Entry {
        std::optional<QString> value;
        QString category;
        QString basis;
    };
    QHash<QString, Entry> m_entries; // by designation and field
    QSet<QString> m_designations;
};

} // namespace quill
