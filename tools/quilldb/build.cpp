#include "build.h"

#include "csv.h"
#include "sizecsv.h"
#include "sourcecsv.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace quilldb {

namespace {

std::string location(const std::filesystem::path& file, std::size_t line, std::size_t column, std::string_view name)
{
    std::string out = file.string();
    if (line > 0)
        out += ": line " + std::to_string(line);
    if (column > 0)
        out += ", column " + std::to_string(column);
    if (!name.empty())
        out += " (" + std::string(name) + ")";
    return out;
}

bool readFile(const std::filesystem::path& path, std::string& text, std::ostream& err)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        err << "quilldb: cannot read " << path.string() << ": it is a folder\n";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        err << "quilldb: cannot read " << path.string() << ": " << std::strerror(errno) << "\n";
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        err << "quilldb: cannot read " << path.string() << "\n";
        return false;
    }
    text = std::move(content).str();
    return true;
}

} // namespace

int runBuild(const BuildOptions& options, std::ostream& err)
{
    std::string text;
    if (!readFile(options.csv, text, err))
        return 1;
    std::string sourceText;
    if (!options.sources.empty() && !readFile(options.sources, sourceText, err))
        return 1;

    SizeTable sizes;
    SourceTable sources;
    std::filesystem::path reading = options.csv;
    try {
        sizes = sizeTableFromCsv(parseCsv(text), options.format, options.single);
        if (!options.sources.empty()) {
            reading = options.sources;
            sources = sourceTableFromCsv(parseCsv(sourceText), sizes, options.format);
        }
    } catch (const CsvError& e) {
        err << "quilldb: " << location(reading, e.line(), e.column(), {}) << ": " << e.what() << "\n";
        return 1;
    } catch (const InputError& e) {
        err << "quilldb: " << location(reading, e.line(), e.column(), e.columnName()) << ": " << e.what() << "\n";
        return 1;
    }

    std::vector<jet::Table> tables { sizes.table };
    if (!options.sources.empty())
        tables.push_back(sources.table);
    try {
        jet::writeDatabaseFile(tables, options.format, options.output);
    } catch (const jet::Error& e) {
        // Cells were checked above; what remains is about a row as a whole or the target.
        if (e.row() != jet::Error::npos) {
            const bool inSizes = e.table() == 0;
            const CsvRecord& record = (inSizes ? sizes.records : sources.records).at(e.row());
            std::size_t column = 0;
            std::string_view name;
            if (e.column() != jet::Error::npos) {
                column = (inSizes ? sizes.csvColumn.at(e.column()) : sources.csvColumn.at(e.column())) + 1;
                name = inSizes ? quill::kSizeFields.at(e.column()).csvName : quill::kSourceFields.at(e.column());
            }
            err << "quilldb: " << location(inSizes ? options.csv : options.sources, record.line(), column, name) << ": "
                << e.what() << "\n";
        } else {
            err << "quilldb: " << e.what() << "\n";
        }
        return 1;
    }
    return 0;
}

} // namespace quilldb
