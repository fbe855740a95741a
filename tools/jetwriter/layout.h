#pragma once

#include "jetwriter.h"

#include <cstddef>
#include <cstdint>

namespace jet::detail {

// The sizes and offsets in which Jet 3 and Jet 4 differ.
struct Layout {
    Format format;
    std::size_t pageSize;
    std::size_t dataPageHeader; // up to the first row offset
    std::size_t rowCountAt; // num_rows in a data page
    std::size_t tdefHeader; // up to the first column entry
    std::size_t columnEntry;
    std::size_t usageBitmap; // bytes in an inline usage map
    std::size_t maxRow; // the largest row Access accepts
    std::size_t maxTextLength;
    unsigned maskedHeaderBytes; // the RC4-masked part of page 0, from 0x18
};

inline constexpr Layout kJet3Layout { Format::Jet3, 2048, 10, 8, 43, 18, 128, 2012, 255, 126 };
inline constexpr Layout kJet4Layout { Format::Jet4, 4096, 14, 12, 63, 25, 64, 4060, 255, 128 };

inline constexpr const Layout& layoutOf(Format format)
{
    return format == Format::Jet3 ? kJet3Layout : kJet4Layout;
}

// Row pointers keep the row number in one byte.
inline constexpr std::size_t kMaxRowsPerPage = 255;
// Jet 3 texts are Windows-31J; Access 97 puts the code page in the header and in every column.
inline constexpr unsigned kJet3CodePage = 932;
inline constexpr unsigned kJet4CodePage = 1252;
inline constexpr unsigned kGeneralSortOrder = 0x409;

// Column type bytes.
inline constexpr std::uint8_t kTypeInt = 0x03;
inline constexpr std::uint8_t kTypeLong = 0x04;
inline constexpr std::uint8_t kTypeSingle = 0x06;
inline constexpr std::uint8_t kTypeDouble = 0x07;
inline constexpr std::uint8_t kTypeText = 0x0A;
inline constexpr std::uint8_t kTypeOle = 0x0B;
inline constexpr std::uint8_t kTypeMemo = 0x0C;

} // namespace jet::detail
