#pragma once

// How libmdb gets at a file differs by platform (mdbfile_posix.cpp, mdbfile_win.cpp): through
// fmemopen over a private copy where there is one, through the file itself on Windows. The
// checks before and the reading after are shared (mdbtable.cpp).

#include "mdblib.h"
#include "mdbtable.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill::detail {

inline constexpr std::size_t kHeaderBytes = 0x20;

struct HandleCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};

MdbTable failure(MdbTable::Status status, std::string detail);

// Why a file starting with these bytes, of this size, is not worth handing to libmdb.
std::optional<MdbTable> refusal(const void* header, std::size_t headerBytes, std::uintmax_t fileSize);

// The tables from a file libmdb has opened, which is fileSize bytes long.
// beforeParsing as for readMdbTablesFile.
std::vector<MdbTable> readOpened(MdbHandle* mdb, const std::vector<std::string_view>& tableNames, std::size_t fileSize,
    const std::function<void()>& beforeParsing);

// The file is read this much at a time: what a slow drive delivers in a few seconds at worst,
// so that progress shows often.
inline constexpr std::size_t kReadChunkBytes = std::size_t(16) * 1024;

// Per platform: the tables from an existing regular file, and from an image in memory that
// has passed refusal(). A failure to reach the file is every table's result.
std::vector<MdbTable> readRegularFile(const std::filesystem::path& file,
    const std::vector<std::string_view>& tableNames, const std::function<void()>& beforeParsing,
    const ReadProgress& progress);
std::vector<MdbTable> readImage(const void* data, std::size_t size, const std::vector<std::string_view>& tableNames,
    const std::function<void()>& beforeParsing);

} // namespace quill::detail
