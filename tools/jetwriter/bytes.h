#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace jet::detail {

using Bytes = std::vector<std::uint8_t>;

// Every integer in the file is little-endian.
inline void put8(Bytes& out, std::size_t at, unsigned value)
{
    out.at(at) = static_cast<std::uint8_t>(value);
}
inline void put16(Bytes& out, std::size_t at, unsigned value)
{
    put8(out, at, value & 0xFF);
    put8(out, at + 1, (value >> 8) & 0xFF);
}
inline void put32(Bytes& out, std::size_t at, std::uint32_t value)
{
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

inline void append8(Bytes& out, unsigned value)
{
    out.push_back(static_cast<std::uint8_t>(value));
}
inline void append16(Bytes& out, unsigned value)
{
    append8(out, value & 0xFF);
    append8(out, (value >> 8) & 0xFF);
}
inline void append32(Bytes& out, std::uint32_t value)
{
    append16(out, value & 0xFFFF);
    append16(out, value >> 16);
}
inline void appendBytes(Bytes& out, const Bytes& more)
{
    out.insert(out.end(), more.begin(), more.end());
}
inline void appendText(Bytes& out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
}

} // namespace jet::detail
