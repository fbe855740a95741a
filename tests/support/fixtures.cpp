#include "fixtures.h"

#include "jet_testsupport.h"

#include <QDir>

#include <filesystem>
#include <stdexcept>

namespace fixtures {

jet::Table sizeTable(bool single)
{
    return jettest::reviewedSizeTable(single);
}

jet::Table sourceTable(jet::Format format)
{
    return jettest::reviewedSourceTable(format);
}

namespace {
std::size_t columnOf(const jet::Table& table, const QString& field)
{
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        if (QString::fromStdString(table.columns[i].name) == field)
            return i;
    throw std::runtime_error("no such field");
}
} // namespace

void dropField(jet::Table& table, const QString& field)
{
    const auto i = static_cast<std::ptrdiff_t>(columnOf(table, field));
    table.columns.erase(table.columns.begin() + i);
    for (jet::Row& row : table.rows)
        row.erase(row.begin() + i);
}

QString write(const QString& dir, const jet::Table& table, jet::Format format, const QString& fileName)
{
    return write(dir, std::vector<jet::Table> { table }, format, fileName);
}

QString write(const QString& dir, const std::vector<jet::Table>& tables, jet::Format format, const QString& fileName)
{
    const QString path = QDir(dir).filePath(fileName);
    // From UTF-16, which every system's paths take without loss (not so a narrow string on Windows).
    jet::writeDatabaseFile(tables, format, std::filesystem::path(path.toStdU16String()));
    return path;
}

QString cell(const jet::Table& table, int row, const QString& field)
{
    const jet::Cell& value = table.rows.at(static_cast<std::size_t>(row)).at(columnOf(table, field));
    return value ? QString::fromStdString(*value) : QString();
}

} // namespace fixtures
