#pragma once

#include <filesystem>
#include <jetwriter.h>
#include <ostream>

namespace quilldb {

struct BuildOptions {
    std::filesystem::path csv;
    std::filesystem::path output;
    std::filesystem::path sources; // the source table's CSV; empty for a file with the size table only
    jet::Format format = jet::Format::Jet4;
    bool single = false;
};

// Writes the size database from the CSV, with the source table when one is given; on
// failure reports to err, leaves no output file behind and returns 1.
int runBuild(const BuildOptions& options, std::ostream& err);

} // namespace quilldb
