// libmdb reads a private copy of the file through fmemopen: the file may change or vanish
// while it is parsed without the parse seeing it.

#include "mdbfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace quill::detail {

std::vector<MdbTable> readRegularFile(const std::filesystem::path& file,
    const std::vector<std::string_view>& tableNames, const std::function<void()>& beforeParsing,
    const ReadProgress& progress)
{
    auto all = [&](const MdbTable& failed) { return std::vector<MdbTable>(tableNames.size(), failed); };
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return all(failure(MdbTable::Status::Unreadable, std::strerror(errno)));
    std::vector<char> header(kHeaderBytes);
    in.read(header.data(), static_cast<std::streamsize>(header.size()));
    if (!in)
        return all(failure(MdbTable::Status::NotDatabase, "no Access file header"));

    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec)
        return all(failure(MdbTable::Status::Unreadable, ec.message()));
    if (auto refused = refusal(header.data(), header.size(), size))
        return all(*refused);

    std::vector<char> image(static_cast<std::size_t>(size));
    in.seekg(0);
    for (std::size_t done = 0; done < image.size();) {
        const std::size_t ask = std::min(kReadChunkBytes, image.size() - done);
        in.read(image.data() + done, static_cast<std::streamsize>(ask));
        if (static_cast<std::size_t>(in.gcount()) != ask)
            return all(failure(MdbTable::Status::Unreadable, "short read"));
        done += ask;
        if (progress)
            progress(done, image.size());
    }
    // Closed before parsing: the reader's filter allows no file calls from then on.
    in.close();
    return readImage(image.data(), image.size(), tableNames, beforeParsing);
}

std::vector<MdbTable> readImage(const void* data, std::size_t size, const std::vector<std::string_view>& tableNames,
    const std::function<void()>& beforeParsing)
{
    // libmdb may write its own buffer state into the image; give it a copy.
    std::vector<unsigned char> image(
        static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size);
    std::unique_ptr<MdbHandle, HandleCloser> mdb(mdb_open_buffer(image.data(), image.size(), MDB_NOFLAGS));
    if (!mdb)
        return std::vector<MdbTable>(
            tableNames.size(), failure(MdbTable::Status::NotDatabase, "libmdb cannot open it"));
    return readOpened(mdb.get(), tableNames, size, beforeParsing);
}

} // namespace quill::detail
