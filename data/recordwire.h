#pragma once

// The reader process hands the size table and the source table back on its standard output:
//   "quillrec2" table table
// where each table is  status detail fieldCount field... rowCount (cell...)...
// every item is a netstring-like token "<length>:<bytes>" and a NULL cell is "~". The magic
// names the version: reader and viewer must speak the same one.
// Plain C++ so that both the reader process and the viewer can include it.

#include "mdbtable.h"

#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quill::wire {

inline constexpr std::string_view kMagic = "quillrec2";
// Hard limits for what the viewer accepts back, so a confused reader cannot exhaust memory.
// Fields and rows count per table, bytes for the whole answer.
inline constexpr std::size_t kMaxFields = 1024;
inline constexpr std::size_t kMaxRows = 100000;
inline constexpr std::size_t kMaxBytes = 64u * 1024 * 1024;

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

inline std::string encode(const MdbTable& sizes, const MdbTable& sources)
{
    std::string out;
    putToken(out, kMagic);
    putTable(out, sizes);
    putTable(out, sources);
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
        const char* begin = m_data.data() + m_pos;
        const char* end = m_data.data() + m_data.size();
        const auto [ptr, ec] = std::from_chars(begin, end, length);
        if (ec != std::errc() || ptr == begin || ptr == end || *ptr != ':')
            return false;
        const std::size_t start = static_cast<std::size_t>(ptr - m_data.data()) + 1;
        if (length > m_data.size() - start)
            return false;
        value = m_data.substr(start, length);
        m_pos = start + length;
        return true;
    }

    bool number(std::size_t& value, std::size_t limit)
    {
        std::string_view text;
        if (!token(text))
            return false;
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        return ec == std::errc() && ptr == text.data() + text.size() && !text.empty() && value <= limit;
    }

    bool atEnd() const { return m_pos == m_data.size(); }

private:
    std::string_view m_data;
    std::size_t m_pos = 0;
};

inline bool readTable(Reader& in, MdbTable& table)
{
    std::size_t status = 0;
    std::string_view detail;
    std::size_t fieldCount = 0;
    if (!in.number(status, static_cast<std::size_t>(MdbTable::Status::Corrupt)) || !in.token(detail)
        || !in.number(fieldCount, kMaxFields))
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
    if (!in.number(rowCount, kMaxRows))
        return false;
    table.rows.resize(rowCount);
    for (auto& row : table.rows) {
        row.resize(fieldCount);
        for (auto& cell : row)
            if (!in.cell(cell))
                return false;
    }
    return true;
}

// Parses a whole answer; false when it is malformed in any way.
inline bool decode(std::string_view data, MdbTable& sizes, MdbTable& sources)
{
    if (data.size() > kMaxBytes)
        return false;
    Reader in(data);
    std::string_view magic;
    return in.token(magic) && magic == kMagic && readTable(in, sizes) && readTable(in, sources) && in.atEnd();
}

} // namespace quill::wire
