// Windows has no fmemopen, so libmdb reads the file itself. For the parse to see one
// consistent file, a handle that lets others read but not write is held open meanwhile: a file
// another program has open for writing is refused (Locked), and none can change it under us.

#include "mdbfile.h"
#include "osprocess.h"

#include <windows.h>

#include <memory>
#include <system_error>
#include <vector>

namespace quill::detail {

namespace {

struct HandleDeleter {
    using pointer = HANDLE;
    void operator()(HANDLE handle) const
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};
using Handle = std::unique_ptr<void, HandleDeleter>;

MdbTable failureFromSystem(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return failure(MdbTable::Status::Missing, "no such file");
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return failure(MdbTable::Status::Locked, "sharing violation");
    default:
        return failure(MdbTable::Status::Unreadable, std::system_category().message(static_cast<int>(error)));
    }
}

bool readAll(HANDLE handle, void* buffer, std::size_t size)
{
    auto* at = static_cast<char*>(buffer);
    while (size > 0) {
        DWORD got = 0;
        const DWORD ask = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        if (!ReadFile(handle, at, ask, &got, nullptr) || got == 0)
            return false;
        at += got;
        size -= got;
    }
    return true;
}

// Reads the file from the start to its end once, telling how far it got: the wait for a slow
// drive is over before libmdb opens the file (and the viewer's deadline for parsing starts);
// libmdb's own reads then come from the system's cache.
bool readThrough(HANDLE handle, std::size_t size, const ReadProgress& progress)
{
    LARGE_INTEGER start {};
    if (!SetFilePointerEx(handle, start, nullptr, FILE_BEGIN))
        return false;
    std::vector<char> chunk(kReadChunkBytes);
    for (std::size_t done = 0; done < size;) {
        const std::size_t ask = size - done < chunk.size() ? size - done : chunk.size();
        if (!readAll(handle, chunk.data(), ask))
            return false;
        done += ask;
        if (progress)
            progress(done, size);
    }
    return true;
}

bool writeAll(HANDLE handle, const void* data, std::size_t size)
{
    const auto* at = static_cast<const char*>(data);
    while (size > 0) {
        DWORD put = 0;
        const DWORD ask = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        if (!WriteFile(handle, at, ask, &put, nullptr) || put == 0)
            return false;
        at += put;
        size -= put;
    }
    return true;
}

std::vector<MdbTable> readThroughLibmdb(const std::filesystem::path& file,
    const std::vector<std::string_view>& tableNames, std::size_t size, const std::function<void()>& beforeParsing)
{
    // libmdb takes UTF-8 names (third_party/mdbtools-1.0.0-windows-paths.patch).
    std::unique_ptr<MdbHandle, HandleCloser> mdb(mdb_open(process::utf8Of(file).c_str(), MDB_NOFLAGS));
    if (!mdb)
        return std::vector<MdbTable>(
            tableNames.size(), failure(MdbTable::Status::NotDatabase, "libmdb cannot open it"));
    return readOpened(mdb.get(), tableNames, size, beforeParsing);
}

} // namespace

std::vector<MdbTable> readRegularFile(const std::filesystem::path& file,
    const std::vector<std::string_view>& tableNames, const std::function<void()>& beforeParsing,
    const ReadProgress& progress)
{
    auto all = [&](const MdbTable& failed) { return std::vector<MdbTable>(tableNames.size(), failed); };
    const Handle handle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (handle.get() == INVALID_HANDLE_VALUE)
        return all(failureFromSystem(GetLastError()));
    std::vector<char> header(kHeaderBytes);
    if (!readAll(handle.get(), header.data(), header.size()))
        return all(failure(MdbTable::Status::NotDatabase, "no Access file header"));
    LARGE_INTEGER size {};
    if (!GetFileSizeEx(handle.get(), &size) || size.QuadPart < 0)
        return all(failureFromSystem(GetLastError()));
    if (auto refused = refusal(header.data(), header.size(), static_cast<std::uintmax_t>(size.QuadPart)))
        return all(*refused);
    if (!readThrough(handle.get(), static_cast<std::size_t>(size.QuadPart), progress))
        return all(failureFromSystem(GetLastError()));
    return readThroughLibmdb(file, tableNames, static_cast<std::size_t>(size.QuadPart), beforeParsing);
}

std::vector<MdbTable> readImage(const void* data, std::size_t size, const std::vector<std::string_view>& tableNames,
    const std::function<void()>& beforeParsing)
{
    auto all = [&](const MdbTable& failed) { return std::vector<MdbTable>(tableNames.size(), failed); };
    // A temporary file stands in for fmemopen; the system deletes it when the last handle
    // closes, even if this process dies first.
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    if (!GetTempPathW(MAX_PATH + 1, folder) || !GetTempFileNameW(folder, L"rbm", 0, name))
        return all(failureFromSystem(GetLastError()));
    const Handle handle(CreateFileW(name, GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE,
        nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (handle.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        DeleteFileW(name);
        return all(failureFromSystem(error));
    }
    if (!writeAll(handle.get(), data, size))
        return all(failureFromSystem(GetLastError()));
    return readThroughLibmdb(std::filesystem::path(name), tableNames, size, beforeParsing);
}

} // namespace quill::detail
