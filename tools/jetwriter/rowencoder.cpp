#include "rowencoder.h"

#include "jetwriter.h"

namespace jet::detail {

namespace {

constexpr std::uint8_t kDummyJump = 0xFF;

// The number of jump-table entries a Jet 3 row holds: one per started 256 bytes after
// the first, counting the table itself, so the smallest fixed point.
std::size_t jumpCount(std::size_t rowWithoutJumps)
{
    std::size_t count = 0;
    for (;;) {
        const std::size_t next = (rowWithoutJumps + count - 1) / 256;
        if (next == count)
            return count;
        count = next;
    }
}

} // namespace

Bytes encodeRow(const Layout& layout, const TableDef& table, const RowValues& values)
{
    const bool jet3 = layout.format == Format::Jet3;
    const std::size_t columnCount = table.columns.size();
    const std::size_t countBytes = jet3 ? 1 : 2;

    Bytes row;
    if (jet3)
        append8(row, static_cast<unsigned>(columnCount));
    else
        append16(row, static_cast<unsigned>(columnCount));

    // Every fixed column keeps its full width, NULL or not.
    row.resize(countBytes + table.fixedBytes, 0);
    Bytes nullMask((columnCount + 7) / 8, 0);
    for (const ColumnDef& column : table.columns) {
        const auto& value = values.at(column.number);
        if (!value)
            continue;
        nullMask[column.number / 8] |= static_cast<std::uint8_t>(1u << (column.number % 8));
        if (column.fixed)
            std::copy(value->begin(), value->end(),
                row.begin() + static_cast<std::ptrdiff_t>(countBytes + column.fixedOffset));
    }

    if (table.varColumns > 0) {
        // offsets[i] is where variable column i starts; offsets[V] is the end of the data.
        std::vector<std::size_t> offsets(table.varColumns + 1, 0);
        for (unsigned index = 0; index < table.varColumns; ++index) {
            offsets[index] = row.size();
            for (const ColumnDef& column : table.columns) {
                if (!column.fixed && column.varIndex == index && values.at(column.number))
                    appendBytes(row, *values.at(column.number));
            }
        }
        offsets[table.varColumns] = row.size();
        const std::size_t endOfData = row.size();

        if (!jet3) {
            for (std::size_t i = offsets.size(); i-- > 0;)
                append16(row, static_cast<unsigned>(offsets[i]));
            append16(row, table.varColumns);
        } else {
            for (std::size_t i = offsets.size(); i-- > 0;)
                append8(row, offsets[i] & 0xFF);
            const std::size_t jumps = jumpCount(row.size() + 1 + nullMask.size());
            // Entry k names the first offset at or past 256 * (k + 1). Readers drop the last
            // entry as a dummy when the data ends before its boundary, and only that one.
            Bytes table3(jumps, kDummyJump);
            for (std::size_t k = 0; k < jumps; ++k) {
                const std::size_t boundary = 256 * (k + 1);
                for (std::size_t i = 0; i < offsets.size(); ++i) {
                    if (offsets[i] >= boundary) {
                        table3[k] = static_cast<std::uint8_t>(i);
                        break;
                    }
                }
                const bool last = k + 1 == jumps;
                if (table3[k] == kDummyJump && !(last && endOfData / 256 < jumps))
                    throw Error("the row's offset table is too long for a Jet 3 row");
            }
            for (std::size_t k = jumps; k-- > 0;)
                append8(row, table3[k]);
            append8(row, table.varColumns);
        }
    }

    appendBytes(row, nullMask);
    if (row.size() > layout.maxRow)
        throw Error("the row takes " + std::to_string(row.size()) + " bytes; a row may take at most "
            + std::to_string(layout.maxRow));
    return row;
}

} // namespace jet::detail
