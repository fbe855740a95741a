// The database reader process: reads the size table and the source table of one file and
// writes them to standard output. It runs apart from the window so that a file which crashes or
// hangs the parser costs only this process.

#include "mdbtable.h"
#include "osprocess.h"
#include "readerhardening.h"
#include "recordwire.h"
#include "sizefields.h"
#include "sourcefields.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> args = quill::process::utf8Arguments(argc, argv);
    if (args.size() != 2) {
        std::fputs("usage: rostari-mdbread /absolute/path/quilldat.mdb\n", stderr);
        return 2;
    }
    // The path is the only input: no search path, no charset override, no debug output.
    quill::process::unsetVariable("MDBPATH");
    quill::process::unsetVariable("MDB_JET3_CHARSET");
    quill::process::unsetVariable("MDBOPTS");
    quill::limitReader();
    // libmdb parses the file only once the process can do no harm beyond its answer.
    const std::vector<quill::MdbTable> tables
        = quill::readMdbTablesFile(args[1], { quill::kSizeTableName, quill::kSourceTableName }, [] {
              if (!quill::confineReader())
                  std::_Exit(quill::kReaderNotConfined);
          });
    const std::string answer = quill::wire::encode(tables.at(0), tables.at(1));
    quill::process::binaryStandardOutput();
    if (std::fwrite(answer.data(), 1, answer.size(), stdout) != answer.size() || std::fflush(stdout) != 0)
        return 1;
    return 0;
}
