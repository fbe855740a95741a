#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quill {

// One table read out of an Access file: field names and every row's display texts,
// in the order the file delivers them. Everything is UTF-8.
struct MdbTable {
    enum class Status {
        Ok,
        Missing, // no such file
        Unreadable, // exists but cannot be opened for reading (permissions, a folder, ...)
        NotDatabase, // not an Access (Jet/ACE) file
        NoTable, // the file holds no table of that name
        Corrupt, // the table is there but cannot be read
        Locked, // another program has it open for writing (Windows, which can tell)
    };
    Status status = Status::Ok;
    std::string detail; // short English reason for logs; empty on success

    std::vector<std::string> fields;
    std::vector<std::vector<std::optional<std::string>>> rows; // nullopt = NULL

    int fieldIndex(std::string_view name) const;
};

// Reads the table from a file. The path is UTF-8 and must be absolute; $MDBPATH is never consulted.
MdbTable readMdbTableFile(const std::string& path, std::string_view tableName);

// Reads the table from a file image in memory (the same path through libmdb).
MdbTable readMdbTableBuffer(const void* data, std::size_t size, std::string_view tableName);

// Told while a file comes in: how many of its bytes have been read, of how many. The last call,
// when it is all read, has both the same; none follows a failed read.
using ReadProgress = std::function<void(std::uint64_t done, std::uint64_t size)>;

// Several tables of one file, read in one pass: a result for each name, in the same order.
// When the file itself cannot be read, every result carries that failure. beforeParsing runs
// once libmdb has opened the file, with the text converters it loads, and before it reads
// any table; it does not run for a file that fails the first checks. progress follows the
// reading of the whole file, which comes before libmdb opens it.
std::vector<MdbTable> readMdbTablesFile(const std::string& path, const std::vector<std::string_view>& tableNames,
    const std::function<void()>& beforeParsing = {}, const ReadProgress& progress = {});
std::vector<MdbTable> readMdbTablesBuffer(const void* data, std::size_t size,
    const std::vector<std::string_view>& tableNames, const std::function<void()>& beforeParsing = {});

// A cheap look at the first bytes: does this look like a Jet 3, Jet 4 or ACE file?
bool looksLikeAccessFile(const void* header, std::size_t size);

} // namespace quill
