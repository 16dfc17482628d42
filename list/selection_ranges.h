// Which rows are selected, as sorted, disjoint, non-touching ranges of row
// numbers, so that selecting all rows, a Shift range or every mismatch costs
// no more than selecting one row, and a command walks only the rows it acts on.
#pragma once

#include <cstdint>
#include <vector>

struct RowRange {
    int32_t first = 0;  // the first row of the range
    int32_t end = 0;    // one past its last row

    int32_t Size() const { return end - first; }
    bool operator==(const RowRange&) const = default;
};

class SelectionRanges {
public:
    bool Empty() const { return m_ranges.empty(); }
    int64_t Count() const;
    bool Contains(int32_t row) const;
    const std::vector<RowRange>& Ranges() const { return m_ranges; }

    void Clear() { m_ranges.clear(); }
    // Rows 0 to rowCount - 1.
    void SelectAll(int32_t rowCount);
    // Rows first..last in either order, both included.
    void Add(int32_t first, int32_t last);
    void Remove(int32_t first, int32_t last);
    void Toggle(int32_t row);
    // Appends rows that come after every range so far (building from a scan).
    void AppendRow(int32_t row);

    // The first selected row at or after `row`, or -1.
    int32_t NextFrom(int32_t row) const;

    // The rows in `removed` left the list: the remaining ranges close up over them.
    void RowsRemoved(const SelectionRanges& removed);
    // The list holds only rowCount rows now: ranges past its end go.
    void Truncate(int32_t rowCount);

    // Calls `visit(row)` for every selected row, in order; stops when it returns false.
    template <class Visit>
    void ForEachRow(Visit visit) const {
        for (const RowRange& range : m_ranges) {
            for (int32_t row = range.first; row < range.end; ++row) {
                if (!visit(row)) return;
            }
        }
    }

    bool operator==(const SelectionRanges&) const = default;

private:
    std::vector<RowRange> m_ranges;
};
