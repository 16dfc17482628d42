#include "list/selection_ranges.h"

#include <algorithm>
#include <utility>

namespace {

// The first range whose end lies after `row`: the one holding it, or the next.
std::vector<RowRange>::const_iterator RangeAtOrAfter(const std::vector<RowRange>& ranges, int32_t row) {
    return std::upper_bound(ranges.begin(), ranges.end(), row,
                            [](int32_t value, const RowRange& range) { return value < range.end; });
}

}  // namespace

int64_t SelectionRanges::Count() const {
    int64_t count = 0;
    for (const RowRange& range : m_ranges) count += range.Size();
    return count;
}

bool SelectionRanges::Contains(int32_t row) const {
    const auto at = RangeAtOrAfter(m_ranges, row);
    return at != m_ranges.end() && at->first <= row;
}

void SelectionRanges::SelectAll(int32_t rowCount) {
    m_ranges.clear();
    if (rowCount > 0) m_ranges.push_back({0, rowCount});
}

void SelectionRanges::Add(int32_t first, int32_t last) {
    if (first > last) std::swap(first, last);
    if (last < 0) return;
    first = std::max(first, 0);
    RowRange merged{first, last + 1};
    // Every range that overlaps or touches the new one melts into it.
    auto begin = std::lower_bound(m_ranges.begin(), m_ranges.end(), merged.first,
                                  [](const RowRange& range, int32_t value) { return range.end < value; });
    auto end = begin;
    while (end != m_ranges.end() && end->first <= merged.end) {
        merged.first = std::min(merged.first, end->first);
        merged.end = std::max(merged.end, end->end);
        ++end;
    }
    const auto at = m_ranges.erase(begin, end);
    m_ranges.insert(at, merged);
}

void SelectionRanges::Remove(int32_t first, int32_t last) {
    if (first > last) std::swap(first, last);
    const int32_t end = last + 1;
    std::vector<RowRange> kept;
    kept.reserve(m_ranges.size() + 1);
    for (const RowRange& range : m_ranges) {
        if (range.end <= first || range.first >= end) {
            kept.push_back(range);
            continue;
        }
        if (range.first < first) kept.push_back({range.first, first});
        if (range.end > end) kept.push_back({end, range.end});
    }
    m_ranges = std::move(kept);
}

void SelectionRanges::Toggle(int32_t row) {
    if (row < 0) return;
    if (Contains(row)) {
        Remove(row, row);
    } else {
        Add(row, row);
    }
}

void SelectionRanges::AppendRow(int32_t row) {
    if (!m_ranges.empty() && m_ranges.back().end == row) {
        ++m_ranges.back().end;
    } else if (m_ranges.empty() || m_ranges.back().end < row) {
        m_ranges.push_back({row, row + 1});
    }
}

int32_t SelectionRanges::NextFrom(int32_t row) const {
    const auto at = RangeAtOrAfter(m_ranges, row);
    if (at == m_ranges.end()) return -1;
    return std::max(at->first, row);
}

void SelectionRanges::RowsRemoved(const SelectionRanges& removed) {
    if (removed.Empty()) return;
    SelectionRanges kept = *this;
    for (const RowRange& range : removed.m_ranges) kept.Remove(range.first, range.end - 1);
    // Each kept range moves up by the rows removed before it, which are all
    // in removed ranges that begin before it: one walk over both lists.
    std::vector<RowRange> shifted;
    shifted.reserve(kept.m_ranges.size());
    auto gone = removed.m_ranges.begin();
    int32_t removedBefore = 0;
    for (const RowRange& range : kept.m_ranges) {
        while (gone != removed.m_ranges.end() && gone->first < range.first) {
            removedBefore += gone->Size();
            ++gone;
        }
        const RowRange moved{range.first - removedBefore, range.end - removedBefore};
        // Two ranges that had removed rows between them now touch.
        if (!shifted.empty() && shifted.back().end == moved.first) {
            shifted.back().end = moved.end;
        } else {
            shifted.push_back(moved);
        }
    }
    m_ranges = std::move(shifted);
}

void SelectionRanges::Truncate(int32_t rowCount) {
    while (!m_ranges.empty() && m_ranges.back().first >= rowCount) m_ranges.pop_back();
    if (!m_ranges.empty() && m_ranges.back().end > rowCount) m_ranges.back().end = rowCount;
}
