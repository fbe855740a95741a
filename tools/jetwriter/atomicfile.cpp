#include "atomicfile.h"

#include "jetwriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace jet::detail {

namespace {

class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target)
    {
        const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
        // Built step by step: GCC 12 warns falsely (-Wrestrict) about "." + std::string.
        std::string base(1, '.');
        base += target.filename().string();
        base += ".tmp-";
        base += std::to_string(getpid());
        base += '-';
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            path_ = folder / (base + std::to_string(attempt));
            // 0666 under the umask, like any new file; O_EXCL keeps us off other files.
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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
            ::close(fd_);
        if (!path_.empty())
            ::unlink(path_.c_str());
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
        return ::close(fd) == 0;
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
        const ssize_t n = ::write(temporary.fd(), bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(target, n < 0 ? errno : EIO);
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(temporary.fd()) != 0)
        fail(target, errno);
    if (!temporary.close())
        fail(target, errno);
    if (std::rename(temporary.path().c_str(), target.c_str()) != 0)
        fail(target, errno);
    temporary.release();
}

} // namespace jet::detail
