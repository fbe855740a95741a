#include "pages.h"

#include "jetwriter.h"
#include "rc4.h"

#include <array>
#include <string_view>

namespace jet::detail {

namespace {

constexpr std::array<std::uint8_t, 4> kHeaderKey { 0xC7, 0xDA, 0x39, 0x6B };
constexpr std::size_t kMaskedFrom = 0x18;
// Found at 0x18 in every Access-made Jet 4 header; copied as they are.
constexpr std::array<std::uint8_t, 24> kJet4HeaderPreamble { 0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x02, 0x00,
    0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00 };

std::size_t pageCost(const Bytes& row)
{
    return row.size() + 2;
} // the row and its offset

} // namespace

Bytes headerPage(const Layout& layout)
{
    Bytes page(layout.pageSize, 0);
    put32(page, 0x00, 0x00000100);
    constexpr std::string_view kMagic { "Standard Jet DB\0", 16 };
    std::copy(kMagic.begin(), kMagic.end(), page.begin() + 0x04);
    if (layout.format == Format::Jet4) {
        put8(page, 0x14, 0x01);
        std::copy(kJet4HeaderPreamble.begin(), kJet4HeaderPreamble.end(), page.begin() + kMaskedFrom);
        put16(page, 0x3C, kJet4CodePage);
        put32(page, 0x6E, kGeneralSortOrder);
        // 0x3E database key 0 (no page encryption), 0x42 password and 0x72 creation date
        // all zero: with date 0 the password mask is zero too.
    } else {
        put8(page, 0x14, 0x00);
        put16(page, 0x3A, kGeneralSortOrder);
        put16(page, 0x3C, kJet3CodePage);
    }
    rc4Xor(kHeaderKey, std::span(page).subspan(kMaskedFrom, layout.maskedHeaderBytes));
    return page;
}

std::vector<std::vector<Bytes>> groupRowsIntoPages(const Layout& layout, const std::vector<Bytes>& rows)
{
    const std::size_t room = layout.pageSize - layout.dataPageHeader;
    std::vector<std::vector<Bytes>> pages;
    std::size_t used = room;
    for (const Bytes& row : rows) {
        if (pages.empty() || used + pageCost(row) > room || pages.back().size() == kMaxRowsPerPage) {
            pages.emplace_back();
            used = 0;
        }
        pages.back().push_back(row);
        used += pageCost(row);
    }
    return pages;
}

Bytes dataPage(const Layout& layout, std::uint32_t tdefPage, const std::vector<Bytes>& rows)
{
    std::size_t used = 0;
    for (const Bytes& row : rows)
        used += pageCost(row);
    if (layout.dataPageHeader + used > layout.pageSize || rows.size() > kMaxRowsPerPage)
        throw Error("internal: rows overflow a data page");

    Bytes page(layout.pageSize, 0);
    put8(page, 0, 0x01);
    put8(page, 1, 0x01);
    put32(page, 4, tdefPage);
    put16(page, layout.rowCountAt, static_cast<unsigned>(rows.size()));
    std::size_t end = layout.pageSize;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Bytes& row = rows[i];
        end -= row.size();
        std::copy(row.begin(), row.end(), page.begin() + static_cast<std::ptrdiff_t>(end));
        put16(page, layout.rowCountAt + 2 + 2 * i, static_cast<unsigned>(end));
    }
    put16(page, 2, static_cast<unsigned>(layout.pageSize - layout.dataPageHeader - used));
    return page;
}

Bytes usageMapRow(const Layout& layout, const std::vector<std::uint32_t>& pages)
{
    Bytes row;
    append8(row, 0x00); // inline map
    append32(row, 0); // first page it describes
    row.resize(row.size() + layout.usageBitmap, 0);
    for (const std::uint32_t page : pages) {
        if (page >= usageMapCapacity(layout))
            throw Error("the file needs page " + std::to_string(page) + "; this writer describes at most "
                + std::to_string(usageMapCapacity(layout)) + " pages");
        row[5 + page / 8] |= static_cast<std::uint8_t>(1u << (page % 8));
    }
    return row;
}

} // namespace jet::detail
