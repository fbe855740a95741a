#include "mdbtable.h"

#include "displayvalue.h"
#include "mdbfile.h"
#include "osprocess.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>

namespace quill {

namespace detail {

MdbTable failure(MdbTable::Status status, std::string detail)
{
    MdbTable table;
    table.status = status;
    table.detail = std::move(detail);
    return table;
}

} // namespace detail

namespace {

using detail::failure;

constexpr std::size_t kJet3PageSize = 2048;
constexpr std::size_t kJet4PageSize = 4096;
// Far more than any size table; keeps a hostile file from filling memory.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t(256) * 1024 * 1024;
constexpr std::size_t kMaxRows = 100000;
// Room for the longest Memo text (65535 UTF-16 units, at most three UTF-8 bytes each); libmdb
// cuts texts at its default of 16 KiB.
constexpr std::size_t kLongTextBytes = 3 * 65535 + 1;
constexpr int kLongValueField = 12; // a long value's length, flags and first page in the row

struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

std::uint32_t le32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

// Every page the table's own map names lies wholly inside the file (Jet files are whole pages).
bool tablePagesLieInFile(MdbHandle* mdb, const MdbTableDef& table, std::size_t fileSize)
{
    const std::size_t pages = fileSize / static_cast<std::size_t>(mdb->fmt->pg_size);
    guint32 page = 0;
    // Each answer is a later page than the one asked about, so this ends after at most `pages` steps.
    for (std::size_t step = 0; step <= pages; ++step) {
        const gint32 next = mdb_map_find_next(mdb, table.usage_map, static_cast<unsigned>(table.map_sz), page);
        if (next == 0)
            return true;
        if (next < 0 || static_cast<std::size_t>(next) >= pages)
            return false;
        page = static_cast<guint32>(next);
    }
    return false;
}

// Why libmdb 1.0.0 cannot read the table whole, or nullptr. It copies a page map without looking
// at its length and follows the NULL it gets for an empty one, and it takes a page beyond the
// end of the file for "no more rows", so a file cut short would show fewer records or none.
const char* damageOf(MdbHandle* mdb, const MdbTableDef& table, std::size_t fileSize)
{
    if (!table.usage_map || table.map_sz < 1)
        return "page map is empty";
    if (!tablePagesLieInFile(mdb, table, fileSize))
        return "pages lie beyond the end of the file";
    return nullptr;
}

// Access gives every column a known type and a name of its own; a definition that does not is
// damaged, and its rows would be read at made-up places.
bool columnsLookSound(const MdbTableDef& table)
{
    constexpr int kLastJetType = 0x14; // up to the extended date/time of ACE files
    std::vector<std::string_view> names;
    for (unsigned i = 0; i < table.num_cols; ++i) {
        const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(table.columns, i));
        const std::string_view name(col->name, strnlen(col->name, sizeof col->name));
        if (col->col_type < 1 || col->col_type > kLastJetType || name.empty()
            || std::find(names.begin(), names.end(), name) != names.end())
            return false;
        names.push_back(name);
    }
    return true;
}

// Jet 3 files from Japanese systems declare code page 932; libmdb would decode them as
// glibc's SHIFT-JIS, which lacks the Windows-31J characters (～, －, ①) and so garbles names.
void useWindows31JIfDeclared(MdbHandle* mdb)
{
    if (mdb->f->jet_version != MDB_VER_JET3 || mdb->f->code_page != 932)
        return;
    mdb_iconv_close(mdb);
    process::setVariable("MDB_JET3_CHARSET", "CP932");
    mdb_iconv_init(mdb);
    process::unsetVariable("MDB_JET3_CHARSET");
}

// Types whose text libmdb makes (decoding the file's text encoding, dates, GUIDs, memo pages).
bool isText(int type)
{
    switch (type) {
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_DATETIME:
    case MDB_REPID:
        return true;
    default:
        return false;
    }
}

// A Memo text kept outside its row: on a page of its own or spread over a chain of rows.
// libmdb reads whatever such a field points at and turns every failure into an empty or cut
// text, so a damaged one would show as blank or wrong; and it follows a chain without noticing
// when it comes back to a row it passed (through rows that hold only the link, for ever). This
// walks the text as libmdb will, through libmdb's own page reads, and says whether all of it
// is there.
bool longTextIsWhole(MdbHandle* mdb, const unsigned char* field)
{
    constexpr std::uint32_t kInRow = 0x80000000u;
    constexpr std::uint32_t kOnePage = 0x40000000u;
    const std::uint32_t lengthAndFlags = le32(field);
    if (lengthAndFlags & kInRow)
        return true;
    if ((lengthAndFlags & 0xFF000000u) != 0 && !(lengthAndFlags & kOnePage))
        return false; // no kind of long value libmdb knows
    std::set<std::uint32_t> passed;
    std::size_t gathered = 0;
    std::uint32_t pageRow = le32(field + 4);
    for (;;) {
        if (!passed.insert(pageRow).second)
            return false;
        void* page = nullptr;
        int start = 0;
        std::size_t length = 0;
        if (mdb_find_pg_row(mdb, static_cast<int>(pageRow), &page, &start, &length) != 0)
            return false;
        if (lengthAndFlags & kOnePage)
            return true;
        // libmdb stops early at a row too short for the link or too long for the text.
        if (length < 4 || gathered + length - 4 > lengthAndFlags)
            return false;
        gathered += length - 4;
        pageRow = le32(static_cast<const unsigned char*>(page) + start);
        if (pageRow == 0)
            return gathered == lengthAndFlags;
    }
}

struct GFreer {
    void operator()(char* text) const { g_free(text); }
};

// Reads the column's value in the current row straight from the page, so numbers are
// formatted from the stored bits and not from libmdb's locale-dependent strings. Texts are
// left to libmdb, but only once the value is known to lie on the page: for a bound column it
// would convert whatever a damaged row points at, far outside the page.
std::optional<std::string> rawValue(MdbHandle* mdb, const MdbColumn* col)
{
    if (col->col_type == MDB_BOOL)
        return std::string(col->cur_value_len == 0 ? "True" : "False"); // the value lives in the null mask
    if (col->cur_value_len <= 0)
        return std::nullopt;

    const auto start = static_cast<std::size_t>(col->cur_value_start);
    const auto length = static_cast<std::size_t>(col->cur_value_len);
    const auto pageSize = static_cast<std::size_t>(mdb->fmt->pg_size);
    if (start >= pageSize || length > pageSize - start || pageSize > sizeof mdb->pg_buf)
        return std::nullopt;
    auto needs = [&](std::size_t n) { return length >= n; };
    if (isText(col->col_type)) {
        if ((col->col_type == MDB_DATETIME && !needs(8)) || (col->col_type == MDB_REPID && !needs(16)))
            return std::nullopt;
        const std::unique_ptr<char, GFreer> text(
            mdb_col_to_string(mdb, mdb->pg_buf, static_cast<int>(start), col->col_type, static_cast<int>(length)));
        return text ? std::string(text.get()) : std::string();
    }
    const unsigned char* p = mdb->pg_buf + start;
    switch (col->col_type) {
    case MDB_DOUBLE:
        if (!needs(8))
            return std::nullopt;
        {
            double d;
            std::memcpy(&d, p, 8); // little-endian hosts only, as libmdb itself
            return display::fromDouble(d);
        }
    case MDB_FLOAT:
        if (!needs(4))
            return std::nullopt;
        {
            float f;
            std::memcpy(&f, p, 4);
            return display::fromSingle(f);
        }
    case MDB_BYTE:
        return display::fromInteger(p[0]);
    case MDB_INT:
        if (!needs(2))
            return std::nullopt;
        return display::fromInteger(static_cast<std::int16_t>(p[0] | p[1] << 8));
    case MDB_LONGINT:
    case MDB_COMPLEX:
        if (!needs(4))
            return std::nullopt;
        return display::fromInteger(static_cast<std::int32_t>(le32(p)));
    case MDB_MONEY:
        if (!needs(8))
            return std::nullopt;
        return display::fromCurrency(
            static_cast<std::int64_t>(std::uint64_t(le32(p)) | std::uint64_t(le32(p + 4)) << 32));
    case MDB_NUMERIC:
        if (!needs(17))
            return std::nullopt;
        return display::fromJetDecimal(p, col->col_scale);
    default:
        return std::string(); // binary and OLE data have no text to show
    }
}

// Checks the catalog and reads it; an empty table with status Ok when that worked.
MdbTable openCatalog(MdbHandle* mdb, std::size_t fileSize)
{
    mdb_set_bind_size(mdb, kLongTextBytes);
    {
        // The catalog's own definition, as mdb_read_catalog will read it, which does not look.
        MdbCatalogEntry catalogEntry {};
        catalogEntry.mdb = mdb;
        catalogEntry.table_pg = 2;
        const std::unique_ptr<MdbTableDef, TableFreer> catalog(mdb_read_table(&catalogEntry));
        if (const char* damage = catalog ? damageOf(mdb, *catalog, fileSize) : nullptr)
            return failure(MdbTable::Status::Corrupt, std::string("the catalog's ") + damage);
    }
    if (!mdb_read_catalog(mdb, MDB_TABLE))
        return failure(MdbTable::Status::NotDatabase, "the catalog cannot be read");
    return {};
}

MdbTable readTable(MdbHandle* mdb, std::string_view tableName, std::size_t fileSize)
{
    MdbCatalogEntry* entry = nullptr;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* candidate = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (candidate && candidate->object_type == MDB_TABLE
            && std::string_view(candidate->object_name, strnlen(candidate->object_name, sizeof candidate->object_name))
                == tableName) {
            entry = candidate;
            break;
        }
    }
    if (!entry)
        return failure(MdbTable::Status::NoTable, "no table of that name");

    std::unique_ptr<MdbTableDef, TableFreer> table(mdb_read_table(entry));
    if (!table)
        return failure(MdbTable::Status::Corrupt, "the table definition cannot be read");
    if (const char* damage = damageOf(mdb, *table, fileSize))
        return failure(MdbTable::Status::Corrupt, std::string("the table's ") + damage);
    if (!mdb_read_columns(table.get()) || !table->columns || table->columns->len < table->num_cols)
        return failure(MdbTable::Status::Corrupt, "the columns cannot be read");
    if (!columnsLookSound(*table))
        return failure(MdbTable::Status::Corrupt, "the column definitions are damaged");

    MdbTable result;
    const unsigned columnCount = table->num_cols;
    for (unsigned i = 0; i < columnCount; ++i) {
        const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        result.fields.emplace_back(col->name, strnlen(col->name, sizeof col->name));
    }

    const auto pageSize = static_cast<std::size_t>(mdb->fmt->pg_size);
    mdb_rewind_table(table.get());
    while (result.rows.size() < kMaxRows && mdb_fetch_row(table.get())) {
        auto& row = result.rows.emplace_back();
        row.reserve(columnCount);
        for (unsigned i = 0; i < columnCount; ++i) {
            const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
            const auto start = static_cast<std::size_t>(col->cur_value_start);
            if (col->col_type == MDB_MEMO && col->cur_value_len >= kLongValueField && start < pageSize
                && pageSize - start >= kLongValueField && !longTextIsWhole(mdb, mdb->pg_buf + start))
                return failure(MdbTable::Status::Corrupt, "a long text's pages are damaged");
            row.push_back(rawValue(mdb, col));
        }
    }
    return result;
}

} // namespace

std::vector<MdbTable> detail::readOpened(MdbHandle* mdb, const std::vector<std::string_view>& tableNames,
    std::size_t fileSize, const std::function<void()>& beforeParsing)
{
    useWindows31JIfDeclared(mdb);
    if (beforeParsing)
        beforeParsing();
    const MdbTable catalog = openCatalog(mdb, fileSize);
    if (catalog.status != MdbTable::Status::Ok)
        return std::vector<MdbTable>(tableNames.size(), catalog);
    std::vector<MdbTable> tables;
    tables.reserve(tableNames.size());
    for (const std::string_view name : tableNames)
        tables.push_back(readTable(mdb, name, fileSize));
    return tables;
}

int MdbTable::fieldIndex(std::string_view name) const
{
    const auto it = std::find(fields.begin(), fields.end(), name);
    return it == fields.end() ? -1 : static_cast<int>(it - fields.begin());
}

bool looksLikeAccessFile(const void* header, std::size_t size)
{
    if (size < detail::kHeaderBytes)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(header);
    const bool jet = std::memcmp(bytes + 4, "Standard Jet DB", 16) == 0;
    const bool ace = std::memcmp(bytes + 4, "Standard ACE DB", 16) == 0;
    const unsigned version = bytes[0x14];
    return bytes[0] == 0 && (jet || ace) && version <= MDB_VER_ACCDB_2019;
}

std::optional<MdbTable> detail::refusal(const void* header, std::size_t headerBytes, std::uintmax_t fileSize)
{
    if (!looksLikeAccessFile(header, headerBytes))
        return failure(MdbTable::Status::NotDatabase, "no Access file header");
    if (fileSize > kMaxFileBytes)
        return failure(MdbTable::Status::NotDatabase, "too large for a size table");
    const bool jet3 = static_cast<const unsigned char*>(header)[0x14] == MDB_VER_JET3;
    if (fileSize < (jet3 ? kJet3PageSize : kJet4PageSize))
        return failure(MdbTable::Status::NotDatabase, "shorter than one page");
    return std::nullopt;
}

std::vector<MdbTable> readMdbTablesBuffer(const void* data, std::size_t size,
    const std::vector<std::string_view>& tableNames, const std::function<void()>& beforeParsing)
{
    if (auto refused = detail::refusal(data, size, size))
        return std::vector<MdbTable>(tableNames.size(), *refused);
    return detail::readImage(data, size, tableNames, beforeParsing);
}

MdbTable readMdbTableBuffer(const void* data, std::size_t size, std::string_view tableName)
{
    return readMdbTablesBuffer(data, size, { tableName }).front();
}

std::vector<MdbTable> readMdbTablesFile(const std::string& path, const std::vector<std::string_view>& tableNames,
    const std::function<void()>& beforeParsing, const ReadProgress& progress)
{
    namespace fs = std::filesystem;
    auto all = [&](const MdbTable& failed) { return std::vector<MdbTable>(tableNames.size(), failed); };
    std::error_code ec;
    const fs::path file = process::pathFromUtf8(path);
    if (file.empty() || !file.is_absolute())
        return all(failure(MdbTable::Status::Missing, "not an absolute path"));
    const auto status = fs::status(file, ec);
    if (ec || !fs::exists(status))
        return all(failure(MdbTable::Status::Missing, "no such file"));
    if (fs::is_directory(status))
        return all(failure(MdbTable::Status::Unreadable, "a folder"));

    // Devices and pipes are no databases, and opening a pipe could block.
    if (!fs::is_regular_file(status))
        return all(failure(MdbTable::Status::NotDatabase, "not a regular file"));
    return detail::readRegularFile(file, tableNames, beforeParsing, progress);
}

MdbTable readMdbTableFile(const std::string& path, std::string_view tableName)
{
    return readMdbTablesFile(path, { tableName }).front();
}

} // namespace quill
