// quilldb: makes the size database from the reviewed CSV and prints any size database as CSV.

#include "build.h"
#include "dump.h"
#include "osprocess.h"

#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kUsage = R"(usage:
  quilldb build SIZES.csv OUT.mdb [--sources SOURCES.csv] [--format jet4|jet3] [--single]
  quilldb dump FILE.mdb [--sources]
  quilldb --help

build   writes the size table 六角穴付ボルト (26 fields) from a CSV whose first line is
        the header size,P,s,e,dk,... (columns in any order). Records keep the CSV's
        order; an empty cell is stored as NULL.
          --sources F     also the source table 出典 from F (header ネジの呼び,項目,値,区分,根拠):
                          a row for every value field of every size, checked against SIZES.csv
          --format jet4   Access 2000-2003 file, texts in UCS-2 (the default)
          --format jet3   Access 97 file, texts in code page 932 (Windows-31J)
          --single        numbers as Single instead of Double
        OUT.mdb appears only when the whole file was written.
dump    prints the size table of FILE.mdb as UTF-8 CSV (CRLF line ends) with the same
        header, read the way the viewer reads it. Fields the table lacks are reported on stderr.
          --sources       the source table 出典 instead, with the header of SOURCES.csv

Exit status: 0 done, 1 bad input or a file that cannot be read or written, 2 bad usage.
)";

int usageError(const std::string& message)
{
    std::cerr << "quilldb: " << message << "\n" << kUsage;
    return 2;
}

std::optional<jet::Format> formatNamed(std::string_view name)
{
    if (name == "jet4")
        return jet::Format::Jet4;
    if (name == "jet3")
        return jet::Format::Jet3;
    return std::nullopt;
}

int build(const std::vector<std::string_view>& args)
{
    quilldb::BuildOptions options;
    std::vector<std::string_view> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--single") {
            options.single = true;
        } else if (arg == "--sources") {
            if (i + 1 == args.size())
                return usageError("--sources needs the source table's CSV");
            options.sources = quill::process::pathFromUtf8(args[++i]);
        } else if (arg == "--format" || arg.starts_with("--format=")) {
            std::string_view value;
            if (arg == "--format") {
                if (i + 1 == args.size())
                    return usageError("--format needs jet4 or jet3");
                value = args[++i];
            } else {
                value = arg.substr(std::string_view("--format=").size());
            }
            const auto format = formatNamed(value);
            if (!format)
                return usageError("unknown format \"" + std::string(value) + "\"; use jet4 or jet3");
            options.format = *format;
        } else if (arg.starts_with("--")) {
            return usageError("unknown option " + std::string(arg));
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2)
        return usageError("build needs SIZES.csv and OUT.mdb");
    options.csv = quill::process::pathFromUtf8(files[0]);
    options.output = quill::process::pathFromUtf8(files[1]);
    return quilldb::runBuild(options, std::cerr);
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> utf8 = quill::process::utf8Arguments(argc, argv);
    std::vector<std::string_view> args(utf8.begin() + (utf8.empty() ? 0 : 1), utf8.end());
    if (args.empty())
        return usageError("no command");
    const std::string_view command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "build")
        return build(args);
    if (command == "dump") {
        std::vector<std::string_view> files;
        quilldb::DumpTable which = quilldb::DumpTable::Sizes;
        for (const std::string_view arg : args) {
            if (arg == "--sources")
                which = quilldb::DumpTable::Sources;
            else if (arg.starts_with("--"))
                return usageError("unknown option " + std::string(arg));
            else
                files.push_back(arg);
        }
        if (files.size() != 1)
            return usageError("dump needs one FILE.mdb");
        // The CSV's CRLF line ends as they are.
        quill::process::binaryStandardOutput();
        return quilldb::runDump(quill::process::pathFromUtf8(files.front()), which, std::cout, std::cerr);
    }
    return usageError("unknown command \"" + std::string(command) + "\"");
}
