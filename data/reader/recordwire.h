#pragma once

// What the reader process writes on its standard output, in this order:
//   ("read" done size)...   while the file comes in: bytes in memory so far, of the file's size
//   "quillrec4"             the file is in memory, or could not be read: no more waiting for it,
//                           from here on the reader works on bytes alone
//   table table             the answer: the size table and the source table
// where each table is  status detail fieldCount field... rowCount (cell...)...
// every item is a netstring-like token "<length>:<bytes>" and a NULL cell is "~". Numbers have
// no leading zeros, so the output has one spelling only. The magic names the version: reader and
// viewer must speak the same one. The viewer waits for the file as long as it keeps coming and
// gives the work after the magic a deadline: a slow drive is not a broken file.
// Plain C++ so that both the reader process and the viewer can include it.

#include "mdbtable.h"

#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quill::wire {

inline constexpr std::string_view kMagic = "quillrec4";
// The magic as it is written, a token: where the answer starts.
inline constexpr std::string_view kMagicToken = "9:quillrec4";
static_assert(kMagicToken.substr(2) == kMagic && kMagicToken.size() == kMagic.size() + 2);
inline constexpr std::string_view kProgressTag = "read";

// What the viewer takes back, from what it shows: a size table of 26 fields and 22 sizes, and a
// source table of five fields with a row for each of its values (550). The limits leave room
// for tables many times larger and keep what any answer can cost the viewer small: under 14 MiB
// for the decoded tables, under 50 MiB at the peak of its whole load (fuzz/README.md).
struct TableLimits {
    std::size_t fields;
    std::size_t rows;
};
inline constexpr TableLimits kSizeTableLimits { 64, 4096 };
inline constexpr TableLimits kSourceTableLimits { 16, 32768 };
inline constexpr std::size_t kMaxCells = 131072; // both tables together
inline constexpr std::size_t kMaxText = 4096; // bytes of one token: a name, a cell, a reason
inline constexpr std::size_t kMaxBytes = std::size_t { 4 } * 1024 * 1024; // the whole answer
// The progress records before the answer: a file of the reader's largest size (256 MiB) read
// 16 KiB at a time takes about 400 KiB of them.
inline constexpr std::size_t kMaxProgressBytes = std::size_t { 1024 } * 1024;
inline constexpr std::size_t kMaxFileSize = std::size_t { 256 } * 1024 * 1024;

// How much of the file is in memory.
struct Progress {
    std::size_t done = 0;
    std::size_t size = 0;
    bool operator==(const Progress&) const = default;
};

inline void putToken(std::string& out, std::string_view value)
{
    out += std::to_string(value.size());
    out += ':';
    out += value;
}

inline void putCell(std::string& out, const std::optional<std::string>& cell)
{
    if (cell)
        putToken(out, *cell);
    else
        out += '~';
}

inline void putTable(std::string& out, const MdbTable& table)
{
    putToken(out, std::to_string(static_cast<int>(table.status)));
    putToken(out, table.detail);
    putToken(out, std::to_string(table.fields.size()));
    for (const auto& field : table.fields)
        putToken(out, field);
    putToken(out, std::to_string(table.rows.size()));
    for (const auto& row : table.rows)
        for (std::size_t i = 0; i < table.fields.size(); ++i)
            putCell(out, i < row.size() ? row[i] : std::nullopt);
}

// Whether the viewer takes the table back, with at most `cells` cells.
inline bool fits(const MdbTable& table, const TableLimits& limits, std::size_t cells)
{
    const std::size_t fieldCount = table.fields.size();
    if (fieldCount > limits.fields || table.rows.size() > limits.rows || table.detail.size() > kMaxText
        || (fieldCount != 0 && table.rows.size() > cells / fieldCount))
        return false;
    for (const auto& field : table.fields)
        if (field.size() > kMaxText)
            return false;
    for (const auto& row : table.rows)
        for (std::size_t i = 0; i < fieldCount && i < row.size(); ++i)
            if (row[i] && row[i]->size() > kMaxText)
                return false;
    return true;
}

inline std::string encodeProgress(const Progress& progress)
{
    std::string out;
    putToken(out, kProgressTag);
    putToken(out, std::to_string(progress.done));
    putToken(out, std::to_string(progress.size));
    return out;
}

// A table the viewer would not take back goes as a damaged one, so that the viewer gets an
// answer it can report.
inline std::string encode(const MdbTable& sizes, const MdbTable& sources)
{
    MdbTable tooLarge;
    tooLarge.status = MdbTable::Status::Corrupt;
    tooLarge.detail = "larger than the viewer takes";
    const MdbTable& first = fits(sizes, kSizeTableLimits, kMaxCells) ? sizes : tooLarge;
    const std::size_t cellsLeft = kMaxCells - first.fields.size() * first.rows.size();
    const MdbTable& second = fits(sources, kSourceTableLimits, cellsLeft) ? sources : tooLarge;
    const auto answer = [](const MdbTable& a, const MdbTable& b) {
        std::string out;
        putToken(out, kMagic);
        putTable(out, a);
        putTable(out, b);
        return out;
    };
    std::string out = answer(first, second);
    if (out.size() > kMaxBytes)
        out = answer(first, tooLarge);
    if (out.size() > kMaxBytes)
        out = answer(tooLarge, tooLarge);
    return out;
}

class Reader {
public:
    explicit Reader(std::string_view data)
        : m_data(data)
    {
    }

    // A token, or nullopt for "~" (the caller decides whether NULL is allowed there).
    bool cell(std::optional<std::string>& value)
    {
        if (m_pos < m_data.size() && m_data[m_pos] == '~') {
            ++m_pos;
            value.reset();
            return true;
        }
        std::string_view text;
        if (!token(text))
            return false;
        value.emplace(text);
        return true;
    }

    bool token(std::string_view& value)
    {
        std::size_t length = 0;
        const std::string_view rest = m_data.substr(m_pos);
        const std::size_t digits = digitsOf(rest, length);
        if (digits == 0 || digits == rest.size() || rest[digits] != ':' || length > kMaxText
            || length > rest.size() - digits - 1)
            return false;
        value = rest.substr(digits + 1, length);
        m_pos += digits + 1 + length;
        return true;
    }

    bool number(std::size_t& value, std::size_t limit)
    {
        std::string_view text;
        return token(text) && !text.empty() && digitsOf(text, value) == text.size() && value <= limit;
    }

    std::size_t remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos == m_data.size(); }

private:
    // How many characters at the start of text spell a number, 0 for none or a leading zero.
    static std::size_t digitsOf(std::string_view text, std::size_t& value)
    {
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        const auto digits = static_cast<std::size_t>(ptr - text.data());
        return ec != std::errc() || (digits > 1 && text[0] == '0') ? 0 : digits;
    }

    std::string_view m_data;
    std::size_t m_pos = 0;
};

// One table within its limits and within the cells left, which it uses up.
inline bool readTable(Reader& in, MdbTable& table, const TableLimits& limits, std::size_t& cellsLeft)
{
    std::size_t status = 0;
    std::string_view detail;
    std::size_t fieldCount = 0;
    if (!in.number(status, static_cast<std::size_t>(MdbTable::Status::Locked)) || !in.token(detail)
        || !in.number(fieldCount, limits.fields))
        return false;
    table = MdbTable {};
    table.status = static_cast<MdbTable::Status>(status);
    table.detail = std::string(detail);
    for (std::size_t i = 0; i < fieldCount; ++i) {
        std::string_view name;
        if (!in.token(name))
            return false;
        table.fields.emplace_back(name);
    }
    std::size_t rowCount = 0;
    if (!in.number(rowCount, limits.rows))
        return false;
    // Every cell takes at least a byte: no room is made for cells the answer cannot hold.
    if (fieldCount != 0 && (rowCount > cellsLeft / fieldCount || rowCount * fieldCount > in.remaining()))
        return false;
    cellsLeft -= rowCount * fieldCount;
    table.rows.resize(rowCount);
    for (auto& row : table.rows) {
        row.resize(fieldCount);
        for (auto& cell : row)
            if (!in.cell(cell))
                return false;
    }
    return true;
}

// One progress record at pos in what has come so far. True when a whole one is there and follows
// the last (more bytes of the same file, no more than it holds): pos moves past it and progress
// takes it. False for anything else: a record not yet whole, the magic, or what does not belong.
inline bool readProgress(std::string_view data, std::size_t& pos, Progress& progress)
{
    Reader in(data.substr(pos));
    std::string_view tag;
    Progress next;
    if (!in.token(tag) || tag != kProgressTag || !in.number(next.done, kMaxFileSize)
        || !in.number(next.size, kMaxFileSize))
        return false;
    if (next.done > next.size || next.done <= progress.done || (progress.size != 0 && next.size != progress.size))
        return false;
    progress = next;
    pos = data.size() - in.remaining();
    return true;
}

// Whether the answer starts at pos: the magic is there, whole.
inline bool atAnswer(std::string_view data, std::size_t pos)
{
    return data.substr(pos).starts_with(kMagicToken);
}

// Parses a whole answer; false when it is malformed in any way or beyond the limits.
inline bool decode(std::string_view data, MdbTable& sizes, MdbTable& sources)
{
    if (data.size() > kMaxBytes)
        return false;
    Reader in(data);
    std::string_view magic;
    std::size_t cellsLeft = kMaxCells;
    return in.token(magic) && magic == kMagic && readTable(in, sizes, kSizeTableLimits, cellsLeft)
        && readTable(in, sources, kSourceTableLimits, cellsLeft) && in.atEnd();
}

} // namespace quill::wire
