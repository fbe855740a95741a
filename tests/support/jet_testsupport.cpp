#include "jet_testsupport.h"

#include "csv.h"
#include "files.h"
#include "sizecsv.h"
#include "sizefields.h"
#include "sourcecsv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace jettest {

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

QString typeNameInSchema(const jet::Column& column)
{
    switch (column.type) {
    case jet::ColumnType::Int:
        return QStringLiteral("Integer");
    case jet::ColumnType::Long:
        return QStringLiteral("Long Integer");
    case jet::ColumnType::Single:
        return QStringLiteral("Single");
    case jet::ColumnType::Double:
        return QStringLiteral("Double");
    case jet::ColumnType::Text:
        return QStringLiteral("Text (%1)").arg(column.textLength);
    case jet::ColumnType::Memo:
        return QStringLiteral("Memo/Hyperlink (255)");
    }
    return {};
}

QString typeNameInReader(const jet::Column& column)
{
    switch (column.type) {
    case jet::ColumnType::Int:
        return QStringLiteral("integer");
    case jet::ColumnType::Long:
        return QStringLiteral("long");
    case jet::ColumnType::Single:
        return QStringLiteral("float");
    case jet::ColumnType::Double:
        return QStringLiteral("double");
    case jet::ColumnType::Text:
        return QStringLiteral("text");
    case jet::ColumnType::Memo:
        return QStringLiteral("memo");
    }
    return {};
}

int significantDigits(const std::string& text)
{
    int digits = 0;
    bool leading = true;
    for (const char c : text) {
        if (c == 'e' || c == 'E')
            break;
        if (c < '0' || c > '9')
            continue;
        if (c == '0' && leading)
            continue;
        leading = false;
        ++digits;
    }
    return digits == 0 ? 1 : digits;
}

// mdb-export prints a number rounded to some digits; the text must be the stored
// value rounded to the digits it shows, and that value must be the expected one.
bool sameNumberAsShown(const std::string& shown, double expected)
{
    char* end = nullptr;
    const double value = std::strtod(shown.c_str(), &end);
    if (shown.empty() || *end != '\0')
        return false;
    if (value == expected)
        return true;
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.*g", significantDigits(shown), expected);
    return std::strtod(rounded, nullptr) == value;
}

// The stored value the cell's text stands for, as a double.
double expectedNumber(const jet::Column& column, const std::string& text)
{
    if (column.type == jet::ColumnType::Single)
        return static_cast<double>(std::strtof(text.c_str(), nullptr));
    return std::strtod(text.c_str(), nullptr);
}

QString cellName(std::size_t row, const jet::Column& column)
{
    return QStringLiteral("row %1, column %2").arg(row + 1).arg(qs(column.name));
}

QStringList charsetEnv()
{
    return { QStringLiteral("MDB_JET3_CHARSET=CP932") };
}

QString checkExportedCell(const jet::Column& column, const jet::Cell& expected, const std::string& shown)
{
    // libmdb shows NULL and "" alike, as an empty field.
    if (!expected || expected->empty())
        return shown.empty() ? QString() : QStringLiteral("\"%1\" instead of empty").arg(qs(shown));
    if (column.type == jet::ColumnType::Text || column.type == jet::ColumnType::Memo)
        return shown == *expected ? QString()
                                  : QStringLiteral("\"%1\" instead of \"%2\"").arg(qs(shown), qs(*expected));
    if (column.type == jet::ColumnType::Single) {
        // Single precision: the float of the shown text against the float of the input,
        // or, where the digits shown cannot tell floats apart, the float rounded to them.
        const float want = std::strtof(expected->c_str(), nullptr);
        const bool same = static_cast<float>(std::strtod(shown.c_str(), nullptr)) == want
            || sameNumberAsShown(shown, static_cast<double>(want));
        return same ? QString() : QStringLiteral("%1 instead of %2").arg(qs(shown), qs(*expected));
    }
    return sameNumberAsShown(shown, expectedNumber(column, *expected))
        ? QString()
        : QStringLiteral("%1 instead of %2").arg(qs(shown), qs(*expected));
}

} // namespace

ToolRun run(const QString& program, const QStringList& args, const QStringList& extraEnv, const QString& workingDir)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : extraEnv) {
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        env.insert(entry.left(eq), entry.mid(eq + 1));
    }
    process.setProcessEnvironment(env);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, args);
    ToolRun result;
    result.started = process.waitForStarted(10000);
    if (!result.started)
        return result;
    process.closeWriteChannel();
    process.waitForFinished(120000);
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
#ifdef Q_OS_WIN
    result.err.replace("\r\n", "\n"); // text streams end their lines in CRLF there
#endif
    return result;
}

QString quilldbPath()
{
    return QStringLiteral(QUILLDB_EXE);
}

QString reviewedCsvPath()
{
    return QStringLiteral(ROSTARI_SOURCE_DIR "/data/cap-screw-sizes.csv");
}

QString reviewedSourcesPath()
{
    return QStringLiteral(ROSTARI_SOURCE_DIR "/data/cap-screw-provenance.csv");
}

jet::Table reviewedSizeTable(bool single, int copies)
{
    const QByteArray text = testfiles::readFile(reviewedCsvPath());
    const auto records = quilldb::parseCsv(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    jet::Table table;
    table.name = std::string(quill::kSizeTableName);
    std::vector<std::size_t> csvColumn;
    for (const auto& field : quill::kSizeFields) {
        table.columns.push_back({ std::string(field.fieldName),
            field.isText ? jet::ColumnType::Text : (single ? jet::ColumnType::Single : jet::ColumnType::Double),
            field.isText ? quill::kDesignationColumnChars : 0 });
        for (std::size_t c = 0; c < records.front().fields.size(); ++c) {
            if (records.front().fields[c].text == field.csvName)
                csvColumn.push_back(c);
        }
    }
    for (int copy = 1; copy <= copies; ++copy) {
        for (std::size_t r = 1; r < records.size(); ++r) {
            jet::Row row;
            for (std::size_t f = 0; f < csvColumn.size(); ++f) {
                std::string cell = records[r].fields.at(csvColumn[f]).text;
                if (quill::kSizeFields[f].isText && copy > 1)
                    cell.append(1, '#').append(std::to_string(copy));
                row.push_back(cell.empty() ? jet::Cell() : jet::Cell(cell));
            }
            table.rows.push_back(std::move(row));
        }
    }
    return table;
}

jet::Table reviewedSourceTable(jet::Format format)
{
    const QByteArray sizes = testfiles::readFile(reviewedCsvPath());
    const QByteArray sources = testfiles::readFile(reviewedSourcesPath());
    const quilldb::SizeTable sizeTable = quilldb::sizeTableFromCsv(
        quilldb::parseCsv(std::string_view(sizes.constData(), static_cast<std::size_t>(sizes.size()))), format, false);
    return quilldb::sourceTableFromCsv(
        quilldb::parseCsv(std::string_view(sources.constData(), static_cast<std::size_t>(sources.size()))), sizeTable,
        format)
        .table;
}

namespace {

QString exportedTableDiffers(const QString& file, const jet::Table& table)
{
    const ToolRun exported = run(QStringLiteral("mdb-export"), { file, qs(table.name) }, charsetEnv());
    if (exported.exitCode != 0)
        return QStringLiteral("mdb-export failed: ") + QString::fromUtf8(exported.err);
    std::vector<quilldb::CsvRecord> records;
    try {
        records = quilldb::parseCsv(exported.out.toStdString());
    } catch (const quilldb::CsvError& e) {
        return QStringLiteral("mdb-export wrote no CSV: ") + QString::fromUtf8(e.what());
    }
    if (records.empty())
        return QStringLiteral("mdb-export printed nothing");
    QStringList header;
    for (const auto& field : records.front().fields)
        header << qs(field.text);
    QStringList expectedHeader;
    for (const jet::Column& column : table.columns)
        expectedHeader << qs(column.name);
    if (header != expectedHeader)
        return QStringLiteral("mdb-export header ") + header.join(QLatin1Char(','));
    if (records.size() - 1 != table.rows.size())
        return QStringLiteral("mdb-export gave %1 rows instead of %2").arg(records.size() - 1).arg(table.rows.size());
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const auto& fields = records[r + 1].fields;
        if (fields.size() != table.columns.size())
            return QStringLiteral("mdb-export row %1 has %2 fields").arg(r + 1).arg(fields.size());
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const QString problem = checkExportedCell(table.columns[c], table.rows[r][c], fields[c].text);
            if (!problem.isEmpty())
                return QStringLiteral("mdb-export %1: %2").arg(cellName(r, table.columns[c]), problem);
        }
    }
    return {};
}

QStringList namesOf(const std::vector<jet::Table>& tables)
{
    QStringList names;
    for (const jet::Table& table : tables)
        names << qs(table.name);
    return names;
}

QString readTableDiffers(const QString& file, const jet::Table& table, const QStringList& allTables)
{
    const ToolRun node
        = run(QStringLiteral("node"), { QStringLiteral(QUILLDB_READBACK_DIR "/readback.mjs"), file, qs(table.name) });
    if (node.exitCode != 0)
        return QStringLiteral("mdb-reader failed: ") + QString::fromUtf8(node.err);
    const QJsonObject answer = QJsonDocument::fromJson(node.out).object();
    QStringList listed;
    for (const QJsonValue name : answer.value(QStringLiteral("tables")).toArray())
        listed << name.toString();
    if (listed != allTables)
        return QStringLiteral("mdb-reader lists the tables ") + listed.join(QStringLiteral(", "));
    if (answer.value(QStringLiteral("rowCount")).toInt() != static_cast<int>(table.rows.size()))
        return QStringLiteral("mdb-reader counts %1 rows").arg(answer.value(QStringLiteral("rowCount")).toInt());

    const QJsonArray columns = answer.value(QStringLiteral("columns")).toArray();
    if (columns.size() != static_cast<qsizetype>(table.columns.size()))
        return QStringLiteral("mdb-reader finds %1 columns").arg(columns.size());
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const QJsonObject column = columns.at(static_cast<qsizetype>(c)).toObject();
        const QString name = column.value(QStringLiteral("name")).toString();
        const QString type = column.value(QStringLiteral("type")).toString();
        if (name != qs(table.columns[c].name) || type != typeNameInReader(table.columns[c]))
            return QStringLiteral("mdb-reader column %1 is %2 %3").arg(c + 1).arg(name, type);
    }

    const QJsonArray rows = answer.value(QStringLiteral("rows")).toArray();
    if (rows.size() != static_cast<qsizetype>(table.rows.size()))
        return QStringLiteral("mdb-reader gave %1 rows").arg(rows.size());
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const QJsonArray row = rows.at(static_cast<qsizetype>(r)).toArray();
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const jet::Column& column = table.columns[c];
            const jet::Cell& expected = table.rows[r][c];
            const QJsonValue value = row.at(static_cast<qsizetype>(c));
            QString problem;
            if (!expected) {
                if (!value.isNull())
                    problem = QStringLiteral("%1 instead of NULL").arg(value.toVariant().toString());
            } else if (column.type == jet::ColumnType::Text || column.type == jet::ColumnType::Memo) {
                if (!value.isString() || value.toString() != qs(*expected))
                    problem
                        = QStringLiteral("\"%1\" instead of \"%2\"").arg(value.toVariant().toString(), qs(*expected));
            } else if (!value.isDouble()) {
                problem = QStringLiteral("not a number");
            } else {
                // JSON keeps the stored number exactly: a float widened to double.
                const double stored = value.toDouble();
                const bool same = column.type == jet::ColumnType::Single
                    ? static_cast<float>(stored) == std::strtof(expected->c_str(), nullptr)
                        && static_cast<double>(static_cast<float>(stored)) == stored
                    : stored == expectedNumber(column, *expected);
                if (!same)
                    problem = QStringLiteral("%1 instead of %2").arg(QString::number(stored, 'g', 17), qs(*expected));
            }
            if (!problem.isEmpty())
                return QStringLiteral("mdb-reader %1: %2").arg(cellName(r, column), problem);
        }
    }
    return {};
}

} // namespace

QString checkWithMdbTools(const QString& file, const std::vector<jet::Table>& tables)
{
    const ToolRun listed = run(QStringLiteral("mdb-tables"), { QStringLiteral("-1"), file }, charsetEnv());
    if (listed.exitCode != 0)
        return QStringLiteral("mdb-tables failed: ") + QString::fromUtf8(listed.err);
    if (QString::fromUtf8(listed.out).trimmed() != namesOf(tables).join(QLatin1Char('\n')))
        return QStringLiteral("mdb-tables lists \"%1\"").arg(QString::fromUtf8(listed.out).trimmed());

    const ToolRun schema = run(QStringLiteral("mdb-schema"), { file, QStringLiteral("access") }, charsetEnv());
    if (schema.exitCode != 0)
        return QStringLiteral("mdb-schema failed: ") + QString::fromUtf8(schema.err);
    const QString schemaText = QString::fromUtf8(schema.out);
    static const QRegularExpression columnLine(
        QStringLiteral("^\\t\\[(.*)\\]\\t+(.*?),?\\s*$"), QRegularExpression::MultilineOption);
    QStringList columns;
    for (auto it = columnLine.globalMatch(schemaText); it.hasNext();) {
        const auto match = it.next();
        columns << match.captured(1) + QLatin1Char(' ') + match.captured(2);
    }
    QStringList expectedColumns;
    for (const jet::Table& table : tables) {
        if (!schemaText.contains(QStringLiteral("CREATE TABLE [%1]").arg(qs(table.name))))
            return QStringLiteral("mdb-schema lacks the table %1:\n").arg(qs(table.name)) + schemaText;
        for (const jet::Column& column : table.columns)
            expectedColumns << qs(column.name) + QLatin1Char(' ') + typeNameInSchema(column);
    }
    if (columns != expectedColumns)
        return QStringLiteral("mdb-schema columns\n  %1\ninstead of\n  %2")
            .arg(columns.join(QStringLiteral(" | ")), expectedColumns.join(QStringLiteral(" | ")));

    for (const jet::Table& table : tables) {
        const QString problem = exportedTableDiffers(file, table);
        if (!problem.isEmpty())
            return QStringLiteral("%1: %2").arg(qs(table.name), problem);
    }
    return {};
}

QString checkWithMdbReader(const QString& file, const std::vector<jet::Table>& tables)
{
    for (const jet::Table& table : tables) {
        const QString problem = readTableDiffers(file, table, namesOf(tables));
        if (!problem.isEmpty())
            return QStringLiteral("%1: %2").arg(qs(table.name), problem);
    }
    return {};
}

int dataPageCount(const QByteArray& file, jet::Format format)
{
    const qsizetype pageSize = format == jet::Format::Jet3 ? 2048 : 4096;
    const qsizetype tableTypeAt = format == jet::Format::Jet3 ? 20 : 40;
    auto byteAt = [&](qsizetype at) { return at < file.size() ? static_cast<unsigned char>(file.at(at)) : 0u; };
    int count = 0;
    for (qsizetype page = 0; page * pageSize < file.size(); ++page) {
        const qsizetype start = page * pageSize;
        if (byteAt(start) != 0x01)
            continue;
        const qsizetype owner = byteAt(start + 4) | byteAt(start + 5) << 8 | byteAt(start + 6) << 16;
        // Data pages of a user table (type 0x4E), not of the catalog.
        if (owner > 0 && byteAt(owner * pageSize) == 0x02 && byteAt(owner * pageSize + tableTypeAt) == 0x4E)
            ++count;
    }
    return count;
}

} // namespace jettest
