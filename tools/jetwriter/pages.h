#pragma once

#include "bytes.h"
#include "layout.h"

#include <cstdint>
#include <vector>

namespace jet::detail {

// A row's address: page number in the upper three bytes, row number in the lowest.
inline constexpr std::uint32_t pageRow(std::uint32_t page, unsigned row)
{
    return page << 8 | row;
}

// Page 0: the database header, its middle part masked with RC4.
Bytes headerPage(const Layout& layout);

// Groups rows into data pages in order: each group fits one page and has at most 255 rows.
std::vector<std::vector<Bytes>> groupRowsIntoPages(const Layout& layout, const std::vector<Bytes>& rows);

// A data page owned by the table whose definition is at tdefPage. Rows are packed
// against the page end with no gap: readers take each row's end from the row before.
Bytes dataPage(const Layout& layout, std::uint32_t tdefPage, const std::vector<Bytes>& rows);

// An inline usage map row (type 0, starting at page 0) with a bit for each listed page.
Bytes usageMapRow(const Layout& layout, const std::vector<std::uint32_t>& pages);

// The highest page count an inline map starting at page 0 can describe.
inline constexpr std::size_t usageMapCapacity(const Layout& layout)
{
    return layout.usageBitmap * 8;
}

} // namespace jet::detail
