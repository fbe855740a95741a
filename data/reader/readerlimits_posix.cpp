#include "readerhardening.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace quill {

void limitReader()
{
    // A runaway parse must not take the machine with it; the viewer also stops it two seconds into
    // its work on the bytes (waiting for a slow drive takes no CPU time).
    // AddressSanitizer reserves terabytes of address space for itself, so there only the CPU limit.
#ifndef __SANITIZE_ADDRESS__
    const rlimit memory { 1024ul * 1024 * 1024, 1024ul * 1024 * 1024 };
    setrlimit(RLIMIT_AS, &memory);
#endif
    const rlimit cpu { 10, 10 };
    setrlimit(RLIMIT_CPU, &cpu);
#ifdef F_SETPIPE_SZ
    // Room in the pipe for a whole answer (they are about 150 KiB): the viewer starts the reader
    // while it builds its window and reads the answer only later, and the reader need not wait.
    fcntl(STDOUT_FILENO, F_SETPIPE_SZ, 1 << 20);
#endif
}

} // namespace quill
