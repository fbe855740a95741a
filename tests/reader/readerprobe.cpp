#include "readerprobe.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace quill::probe {

namespace {

// Raw system calls, so that the C library cannot turn one into another.
long attempt(std::string_view action)
{
    if (action == "open") {
#ifdef SYS_open
        return syscall(SYS_open, "/", O_RDONLY | O_DIRECTORY);
#else
        return syscall(SYS_openat, AT_FDCWD, "/", O_RDONLY | O_DIRECTORY);
#endif
    }
    if (action == "openat")
        return syscall(SYS_openat, AT_FDCWD, "/", O_RDONLY | O_DIRECTORY);
    if (action == "socket")
        return syscall(SYS_socket, AF_INET, SOCK_STREAM, 0);
    if (action == "execve") {
        const char* argv[] = { "/bin/true", nullptr };
        const char* envp[] = { nullptr };
        return syscall(SYS_execve, argv[0], argv, envp);
    }
    if (action == "fork") {
        const long child = syscall(SYS_clone, SIGCHLD, 0, 0, 0, 0);
        if (child == 0)
            _exit(0);
        return child;
    }
    if (action == "mmap-exec") {
        void* page = mmap(nullptr, 4096, PROT_READ | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return page == MAP_FAILED ? -1 : 0;
    }
    if (action == "write-stdin")
        return syscall(SYS_write, 0, "x", 1);
    if (action == "raise-limit") {
        const rlimit unlimited { RLIM_INFINITY, RLIM_INFINITY };
        return syscall(SYS_prlimit64, 0, RLIMIT_CPU, &unlimited, nullptr);
    }
    return -1;
}

} // namespace

Plan plan()
{
    Plan plan = plannedAction();
    if (plan.action == "answer") {
        const char* path = std::getenv("ROSTARI_PROBE_ANSWER");
        std::ifstream in(path ? path : "", std::ios::binary);
        plan.answer.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return plan;
}

void whileReading()
{
    const char* chosen = std::getenv("ROSTARI_PROBE");
    const std::string_view action = chosen ? chosen : "";
    if (action == "slow-read")
        usleep(250 * 1000);
    else if (action == "die-reading")
        raise(SIGKILL);
}

void carryOut(const Plan& plan)
{
    if (plan.action.empty() || plan.action == "slow-read")
        return;
    if (plan.action == "answer") {
        for (std::size_t written = 0; written < plan.answer.size();) {
            const ssize_t n = write(STDOUT_FILENO, plan.answer.data() + written, plan.answer.size() - written);
            if (n <= 0)
                _exit(1);
            written += static_cast<std::size_t>(n);
        }
        _exit(0);
    }
    attempt(plan.action);
    _exit(kSurvived);
}

} // namespace quill::probe
