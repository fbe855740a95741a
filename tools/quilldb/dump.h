#pragma once

#include <filesystem>
#include <ostream>

namespace quilldb {

// Prints the size table of an Access file as CSV with the reviewed CSV's header, read
// by the viewer's own reader. Returns 1 (after printing what it could) when the file
// cannot be read or the table lacks fields.
int runDump(const std::filesystem::path& file, std::ostream& out, std::ostream& err);

} // namespace quilldb
