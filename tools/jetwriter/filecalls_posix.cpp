#include "filecalls.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace jet::detail::filecalls {

int createNew(const std::filesystem::path& path)
{
    // 0666 under the umask, like any new file; O_EXCL keeps us off other files.
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

long write(int fd, const void* data, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        return static_cast<long>(n);
    }
}

bool flushToDisk(int fd)
{
    return ::fsync(fd) == 0;
}

bool close(int fd)
{
    return ::close(fd) == 0;
}

bool replace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

void remove(const std::filesystem::path& path)
{
    ::unlink(path.c_str());
}

std::string processTag()
{
    return std::to_string(getpid());
}

} // namespace jet::detail::filecalls
