#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <jetwriter.h>

// Shared by the quilldb tests: running the tools, the reviewed size table, and the
// read-back checks through libmdb's command-line tools and mdb-reader.
namespace jettest {

struct ToolRun {
    bool started = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program to its end; extraEnv holds "NAME=value" entries added to the environment.
ToolRun run(
    const QString& program, const QStringList& args, const QStringList& extraEnv = {}, const QString& workingDir = {});

QString quilldbPath();
QString reviewedCsvPath();
QString reviewedSourcesPath();

// The reviewed CSV as a table of the 26 size fields, in the table's column order.
// With copies > 1 the records repeat, designations suffixed "#2", "#3" ... to tell them apart.
jet::Table reviewedSizeTable(bool single, int copies = 1);
// The reviewed source table 出典, as quilldb builds it for the format.
jet::Table reviewedSourceTable(jet::Format format);

// Each returns an empty string when the file reads back as the tables (and nothing else),
// else the first difference.
// Through mdb-tables, mdb-schema and mdb-export (Jet 3 texts decoded as CP932).
QString checkWithMdbTools(const QString& file, const std::vector<jet::Table>& tables);
// Through mdb-reader (Jet 3 only with ASCII names and texts: it decodes Jet 3 as windows-1252).
QString checkWithMdbReader(const QString& file, const std::vector<jet::Table>& tables);

// The file's page count beyond the fixed pages 0-5: the table's data pages.
int dataPageCount(const QByteArray& file, jet::Format format);

} // namespace jettest
