// Arbitrary bytes through everything the reader process does with a database, in memory:
// header check, libmdb, catalog, table lookup, columns, every row, display values, and the
// answer the viewer decodes.

#include "mdbtable.h"
#include "recordwire.h"
#include "sizefields.h"
#include "sourcefields.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // As in the reader process: the bytes are the only input.
    unsetenv("MDBPATH");
    unsetenv("MDB_JET3_CHARSET");
    unsetenv("MDBOPTS");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<quill::MdbTable> tables
        = quill::readMdbTablesBuffer(data, size, { quill::kSizeTableName, quill::kSourceTableName });
    // Whatever the reader makes of the file, the viewer takes its answer back: each table as
    // read, or, beyond what the viewer takes, as a damaged one.
    const std::string answer = quill::wire::encode(tables[0], tables[1]);
    quill::MdbTable sizes;
    quill::MdbTable sources;
    if (!quill::wire::decode(answer, sizes, sources))
        std::abort();
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const quill::MdbTable& decoded = i == 0 ? sizes : sources;
        const bool refused
            = tables[i].status == quill::MdbTable::Status::Ok && decoded.status == quill::MdbTable::Status::Corrupt;
        if (!refused
            && (decoded.status != tables[i].status || decoded.fields != tables[i].fields
                || decoded.rows.size() != tables[i].rows.size()))
            std::abort();
    }
    for (const quill::MdbTable& table : tables) {
        if (table.status == quill::MdbTable::Status::Ok && !table.detail.empty())
            std::abort();
    }
    return 0;
}
