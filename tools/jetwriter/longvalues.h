#pragma once

#include "bytes.h"
#include "layout.h"

#include <cstdint>
#include <vector>

namespace jet::detail {

// The long-value (LVAL) pages of one Memo column, and the 12-byte fields its rows store
// instead of the text. Short texts stay in the row; longer ones go to a row of their own
// on an LVAL page, and a text too long for one page to a chain of such rows.
class LongValuePages {
public:
    LongValuePages(const Layout& layout, std::uint32_t firstPage);

    // Stores the value and returns the field that stands for it in the row.
    Bytes store(const Bytes& value);

    std::uint32_t firstPage() const { return firstPage_; }
    std::size_t pageCount() const { return pages_.size(); }
    std::vector<std::uint32_t> pageNumbers() const;
    // The LVAL pages, in page order.
    std::vector<Bytes> pageImages() const;

private:
    struct Slot {
        std::size_t page;
        std::size_t row;
    };
    Slot reserve(std::size_t bytes);
    std::uint32_t address(Slot slot) const;

    const Layout& layout_;
    std::uint32_t firstPage_;
    std::vector<std::vector<Bytes>> pages_; // each page's rows, in row order
    std::size_t used_ = 0; // bytes taken on the last page, offsets included
};

// Values up to this many bytes are kept in the row, as Access does.
inline constexpr std::size_t kMaxInlineLongValue = 64;

} // namespace jet::detail
