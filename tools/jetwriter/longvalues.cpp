#include "longvalues.h"

#include "jetwriter.h"
#include "pages.h"

#include <algorithm>

namespace jet::detail {

namespace {

// The flags in the top byte of a long value's length.
constexpr std::uint32_t kInRow = 0x80000000u;
constexpr std::uint32_t kOnePage = 0x40000000u;
// In place of the owning table, LVAL pages carry these four letters.
constexpr std::uint32_t kLvalMark = 'L' | 'V' << 8 | 'A' << 16 | static_cast<std::uint32_t>('L') << 24;
// A chained row starts with the address of the next part.
constexpr std::size_t kChainLink = 4;
constexpr std::size_t kRowOffset = 2;

Bytes field(std::uint32_t lengthAndFlags, std::uint32_t pageRow)
{
    Bytes out;
    append32(out, lengthAndFlags);
    append32(out, pageRow);
    append32(out, 0);
    return out;
}

} // namespace

LongValuePages::LongValuePages(const Layout& layout, std::uint32_t firstPage)
    : layout_(layout)
    , firstPage_(firstPage)
{
}

LongValuePages::Slot LongValuePages::reserve(std::size_t bytes)
{
    const std::size_t room = layout_.pageSize - layout_.dataPageHeader;
    if (pages_.empty() || used_ + bytes + kRowOffset > room || pages_.back().size() == kMaxRowsPerPage) {
        pages_.emplace_back();
        used_ = 0;
    }
    pages_.back().emplace_back(bytes, 0);
    used_ += bytes + kRowOffset;
    return { pages_.size() - 1, pages_.back().size() - 1 };
}

std::uint32_t LongValuePages::address(Slot slot) const
{
    return pageRow(firstPage_ + static_cast<std::uint32_t>(slot.page), static_cast<unsigned>(slot.row));
}

Bytes LongValuePages::store(const Bytes& value)
{
    const auto length = static_cast<std::uint32_t>(value.size());
    if (value.size() <= kMaxInlineLongValue) {
        Bytes out = field(length | kInRow, 0);
        appendBytes(out, value);
        return out;
    }
    const std::size_t room = layout_.pageSize - layout_.dataPageHeader - kRowOffset;
    if (value.size() <= room) {
        const Slot slot = reserve(value.size());
        pages_[slot.page][slot.row] = value;
        return field(length | kOnePage, address(slot));
    }

    // Parts that fill a page each, every one after the link to the next (0 ends the chain).
    const std::size_t part = room - kChainLink;
    std::vector<Slot> slots;
    for (std::size_t at = 0; at < value.size(); at += part)
        slots.push_back(reserve(kChainLink + std::min(part, value.size() - at)));
    for (std::size_t i = 0; i < slots.size(); ++i) {
        Bytes row;
        append32(row, i + 1 < slots.size() ? address(slots[i + 1]) : 0);
        const auto from = value.begin() + static_cast<std::ptrdiff_t>(i * part);
        row.insert(row.end(), from, from + static_cast<std::ptrdiff_t>(std::min(part, value.size() - i * part)));
        pages_[slots[i].page][slots[i].row] = std::move(row);
    }
    return field(length, address(slots.front()));
}

std::vector<std::uint32_t> LongValuePages::pageNumbers() const
{
    std::vector<std::uint32_t> numbers;
    for (std::size_t i = 0; i < pages_.size(); ++i)
        numbers.push_back(firstPage_ + static_cast<std::uint32_t>(i));
    return numbers;
}

std::vector<Bytes> LongValuePages::pageImages() const
{
    std::vector<Bytes> images;
    for (const auto& rows : pages_)
        images.push_back(dataPage(layout_, kLvalMark, rows));
    return images;
}

} // namespace jet::detail
