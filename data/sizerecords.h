#pragma once

#include "sourcenotes.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quill {

// A table as the viewer holds it: field names and display texts, NULL as nullopt; with what
// the database's source table says about its values.
struct SizeTable {
    QStringList fields;
    QList<QList<std::optional<QString>>> rows;
    SourceNotes sources;

    int fieldIndex(const QString& name) const { return static_cast<int>(fields.indexOf(name)); }
};

// The record list with its current record. Moves past either end keep the record.
class SizeRecords {
public:
    void setTable(SizeTable table);
    const SizeTable& table() const { return m_table; }

    int count() const { return static_cast<int>(m_table.rows.size()); }
    int currentIndex() const { return m_current; } // -1 while there is no record

    // Each returns whether the current record changed.
    bool moveFirst() { return moveTo(0); }
    bool movePrevious() { return moveTo(m_current - 1); }
    bool moveNext() { return moveTo(m_current + 1); }
    bool moveLast() { return moveTo(count() - 1); }
    bool moveTo(int index);

    bool hasField(const QString& name) const { return m_table.fieldIndex(name) >= 0; }
    // The current record's display text of a field; empty for NULL, a missing field or no record.
    QString value(const QString& field) const;
    // Where the current record's value of a field comes from, as the database's source table
    // says for exactly that value; empty when it says nothing.
    QString sourceNote(const QString& field) const;
    // The category part of that note alone: 公表値, 導出値 or 規格なし; empty with the note.
    QString sourceCategory(const QString& field) const;
    // The current record's designation ("M10"); empty as value() gives it.
    QString designation() const;

private:
    SizeTable m_table;
    int m_current = -1;
};

} // namespace quill
