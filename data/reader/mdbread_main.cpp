// The database reader process: reads the size table and the source table of one file and
// writes them to standard output. It runs apart from the window so that a file which crashes or
// hangs the parser costs only this process.

#include "mdbtable.h"
#include "osprocess.h"
#include "readerhardening.h"
#include "recordwire.h"
#include "sizefields.h"
#include "sourcefields.h"

#ifdef ROSTARI_READER_PROBE
#include "readerprobe.h"
#endif

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
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
    quill::process::binaryStandardOutput();
    // The viewer waits while the file comes in and times only the work on its bytes, which starts
    // with the magic: each step goes out at once.
    auto send = [](std::string_view bytes) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
            std::_Exit(1);
    };
    bool answering = false;
    auto beginAnswer = [&] {
        if (!std::exchange(answering, true))
            send(quill::wire::kMagicToken);
    };
    // libmdb parses the file only once the process can do no harm beyond its answer.
    const std::vector<quill::MdbTable> tables = quill::readMdbTablesFile(
        args[1], { quill::kSizeTableName, quill::kSourceTableName },
        [] {
            if (!quill::confineReader())
                std::_Exit(quill::kReaderNotConfined);
        },
        [&](std::uint64_t done, std::uint64_t size) {
#ifdef ROSTARI_READER_PROBE
            quill::probe::whileReading();
#endif
            send(quill::wire::encodeProgress({ std::size_t(done), std::size_t(size) }));
            if (done == size)
                beginAnswer();
        });
    beginAnswer(); // a file that could not be read goes on to its answer at once
    const std::string answer = quill::wire::encode(tables.at(0), tables.at(1));
    send(std::string_view(answer).substr(quill::wire::kMagicToken.size()));
    return 0;
}
