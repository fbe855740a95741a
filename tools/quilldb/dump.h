#pragma once

#include <filesystem>
#include <ostream>

namespace quilldb {

enum class DumpTable {
    Sizes, // 六角穴付ボルト, with the header of cap-screw-sizes.csv
    Sources, // 出典, with the header of cap-screw-provenance.csv
};

// Prints a table of an Access file as CSV with the reviewed CSV's header, read by the
// viewer's own reader. Returns 1 (after printing what it could) when the file cannot be
// read or the table lacks fields.
int runDump(const std::filesystem::path& file, DumpTable which, std::ostream& out, std::ostream& err);

} // namespace quilldb
