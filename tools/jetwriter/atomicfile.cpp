#include "atomicfile.h"

#include "filecalls.h"
#include "jetwriter.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace jet::detail {

namespace {

class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target)
    {
        const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
        // Built as a path, so that a name beyond ASCII stays intact on Windows too.
        std::filesystem::path base(".");
        base += target.filename();
        base += ".tmp-" + filecalls::processTag() + "-";
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            path_ = folder / base;
            path_ += std::to_string(attempt);
            fd_ = filecalls::createNew(path_);
            error_ = fd_ < 0 ? errno : 0;
            if (fd_ < 0 && error_ != EEXIST)
                break;
        }
        if (fd_ < 0)
            path_.clear();
    }
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            filecalls::close(fd_);
        if (!path_.empty())
            filecalls::remove(path_);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    int openError() const { return error_; }
    const std::filesystem::path& path() const { return path_; }
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return filecalls::close(fd);
    }
    // After a successful rename there is nothing left to remove.
    void release() { path_.clear(); }

private:
    std::filesystem::path path_;
    int fd_ = -1;
    int error_ = 0;
};

[[noreturn]] void fail(const std::filesystem::path& target, int error)
{
    throw Error("cannot write " + target.string() + ": " + std::strerror(error));
}

} // namespace

void writeFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes)
{
    if (target.filename().empty())
        throw Error("cannot write " + target.string() + ": no file name");
    TemporaryFile temporary(target);
    if (temporary.fd() < 0)
        fail(target, temporary.openError());
    std::size_t written = 0;
    while (written < bytes.size()) {
        const long n = filecalls::write(temporary.fd(), bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            fail(target, n < 0 ? errno : EIO);
        written += static_cast<std::size_t>(n);
    }
    if (!filecalls::flushToDisk(temporary.fd()))
        fail(target, errno);
    if (!temporary.close())
        fail(target, errno);
    if (!filecalls::replace(temporary.path(), target))
        fail(target, errno);
    temporary.release();
}

} // namespace jet::detail
