// Arbitrary bytes through everything the reader process does with a database, in memory:
// header check, libmdb, catalog, table lookup, columns, every row, display values, and the
// answer the viewer decodes.

#include "mdbtable.h"
#include "recordwire.h"
#include "sizefields.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

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
    const quill::MdbTable table = quill::readMdbTableBuffer(data, size, quill::kSizeTableName);
    // Whatever the reader makes of the file, the viewer must be able to take its answer back
    // (or refuse it as too large, which it reports as well).
    const std::string answer = quill::wire::encode(table);
    const bool withinLimits = table.fields.size() <= quill::wire::kMaxFields && answer.size() <= quill::wire::kMaxBytes;
    quill::MdbTable decoded;
    if (withinLimits
        && (!quill::wire::decode(answer, decoded) || decoded.status != table.status || decoded.fields != table.fields
            || decoded.rows.size() != table.rows.size()))
        std::abort();
    if (table.status == quill::MdbTable::Status::Ok && !table.detail.empty())
        std::abort();
    return 0;
}
