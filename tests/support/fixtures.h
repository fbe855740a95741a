#pragma once

// Size databases made for tests from the reviewed CSV, with the changes a test needs.

#include "jetwriter.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace fixtures {

// The reviewed sizes as the table "六角穴付ボルト" with its 26 fields.
jet::Table sizeTable(bool single = false);
// The reviewed source table "出典", one row for each value of sizeTable().
jet::Table sourceTable(jet::Format format = jet::Format::Jet4);

// Removes a field (by database name) from a table.
void dropField(jet::Table& table, const QString& field);

// Writes the table into dir/quilldat.mdb (or another file name); returns the path.
QString write(const QString& dir, const jet::Table& table, jet::Format format = jet::Format::Jet4,
    const QString& fileName = QStringLiteral("quilldat.mdb"));
QString write(const QString& dir, const std::vector<jet::Table>& tables, jet::Format format = jet::Format::Jet4,
    const QString& fileName = QStringLiteral("quilldat.mdb"));

// The cell of a record by field name, as written (the reviewed CSV's text; empty for NULL).
QString cell(const jet::Table& table, int row, const QString& field);

} // namespace fixtures
