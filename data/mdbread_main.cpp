// The database reader process: reads the size table and the source table of one file and
// writes them to standard output. It runs apart from the window so that a file which crashes or
// hangs the parser costs only this process.

#include "mdbtable.h"
#include "readerhardening.h"
#include "recordwire.h"
#include "sizefields.h"
#include "sourcefields.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: rostari-mdbread /absolute/path/quilldat.mdb\n", stderr);
        return 2;
    }
    // The path is the only input: no search path, no charset override, no debug output.
    unsetenv("MDBPATH");
    unsetenv("MDB_JET3_CHARSET");
    unsetenv("MDBOPTS");
#ifndef _WIN32
    // A runaway parse must not take the machine with it; the viewer also stops it after two seconds.
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
#endif
    // libmdb parses the file only once the process can do no harm beyond its answer.
    const std::vector<quill::MdbTable> tables
        = quill::readMdbTablesFile(argv[1], { quill::kSizeTableName, quill::kSourceTableName }, [] {
              if (!quill::confineReader())
                  std::_Exit(quill::kReaderNotConfined);
          });
    const std::string answer = quill::wire::encode(tables.at(0), tables.at(1));
    if (std::fwrite(answer.data(), 1, answer.size(), stdout) != answer.size() || std::fflush(stdout) != 0)
        return 1;
    return 0;
}
