#include "list/file_list.h"

#include <algorithm>


int32_t FileList::RowCount() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int32_t>(m_rows.size());
}

void FileList::ResetStorage() {
    std::vector<Record>().swap(m_rows);
    m_selection.Clear();
    m_locationIndex = {};
    m_locations.clear();
    m_lastLocation = UINT32_MAX;
    std::string().swap(m_names);
}

uint32_t FileList::LocationId(std::string_view location) {
    // Rows come in folder by folder, so the last folder is nearly always the one.
    if (m_lastLocation != UINT32_MAX && m_locations[m_lastLocation] == location) return m_lastLocation;
    auto found = m_locationIndex.find(location);
    if (found == m_locationIndex.end()) {
        m_locations.emplace_back(location);
        found = m_locationIndex.emplace(m_locations.back(), static_cast<uint32_t>(m_locations.size() - 1)).first;
    }
    m_lastLocation = found->second;
    return m_lastLocation;
}

void FileList::StoreName(Record& row, std::string_view fileName) {
    row.nameOffset = m_names.size();
    row.nameLength = static_cast<uint32_t>(fileName.size());
    m_names.append(fileName);
}

int32_t FileList::AppendRow(std::string_view location, std::string_view fileName, int32_t status) {
    std::lock_guard lock(m_mutex);
    if (m_rows.size() >= static_cast<size_t>(INT32_MAX)) return -1;
    Record row{};
    row.location = LocationId(location);
    StoreName(row, fileName);
    row.entryIndex = -1;
    row.status = static_cast<int8_t>(status);
    m_rows.push_back(row);
    Changed();
    return static_cast<int32_t>(m_rows.size()) - 1;
}

void FileList::SetFileName(int32_t index, std::string_view fileName) {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index)) return;
    // The old name's bytes stay unused in the buffer until the list is cleared.
    StoreName(m_rows[static_cast<size_t>(index)], fileName);
    Changed();
}

std::string FileList::GetText(int32_t index, int column) const {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index)) return {};
    const Record& row = m_rows[static_cast<size_t>(index)];
    if (column == kColumnLocation) return m_locations[row.location];
    if (column == kColumnFileName) return std::string(NameOf(row));
    return {};
}

void FileList::SetImage(int32_t index, int32_t status) {
    SetVerdict(index, Verdict{status, -1});
}

void FileList::SetVerdict(int32_t index, const Verdict& verdict) {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index) || verdict.status < STATUS_UNKNOWN || verdict.status > STATUS_FOLDER) return;
    Record& row = m_rows[static_cast<size_t>(index)];
    row.status = static_cast<int8_t>(verdict.status);
    row.entryIndex = verdict.entryIndex;
    Changed();
}

Verdict FileList::VerdictOf(int32_t index) const {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index)) return {};
    const Record& row = m_rows[static_cast<size_t>(index)];
    return {row.status, row.entryIndex};
}

void FileList::ClearExpectedType(int32_t index) {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index)) return;
    m_rows[static_cast<size_t>(index)].entryIndex = -1;
    Changed();
}

bool FileList::IsSelected(int32_t index) const {
    std::lock_guard lock(m_mutex);
    return ValidRow(index) && m_selection.Contains(index);
}

void FileList::Clear() {
    std::lock_guard lock(m_mutex);
    ResetStorage();
    Changed();
}

void FileList::SetSelected(int32_t index, bool selected) {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index)) return;
    if (selected) {
        m_selection.Add(index, index);
    } else {
        m_selection.Remove(index, index);
    }
    Changed();
}

void FileList::SetAllSelected(bool selected) {
    std::lock_guard lock(m_mutex);
    if (selected) {
        m_selection.SelectAll(static_cast<int32_t>(m_rows.size()));
    } else {
        m_selection.Clear();
    }
    Changed();
}

int64_t FileList::SelectedCount() const {
    std::lock_guard lock(m_mutex);
    return m_selection.Count();
}

SelectionRanges FileList::Selection() const {
    std::lock_guard lock(m_mutex);
    return m_selection;
}

int64_t FileList::SelectStatus(int32_t status) {
    std::lock_guard lock(m_mutex);
    m_selection.Clear();
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].status == status) m_selection.AppendRow(static_cast<int32_t>(i));
    }
    Changed();
    return m_selection.Count();
}

int32_t FileList::FindStatus(int32_t from, bool forward, int32_t status) const {
    std::lock_guard lock(m_mutex);
    const auto count = static_cast<int64_t>(m_rows.size());
    if (count == 0) return -1;
    const int64_t step = forward ? 1 : count - 1;
    // From outside the list, forward starts at the top and backward at the bottom.
    int64_t row = from < 0 || from >= count ? (forward ? count - 1 : 0) : from;
    for (int64_t seen = 0; seen < count; ++seen) {
        row = (row + step) % count;
        if (m_rows[static_cast<size_t>(row)].status == status) return static_cast<int32_t>(row);
    }
    return -1;
}

int32_t FileList::RemoveSelected() {
    std::lock_guard lock(m_mutex);
    m_selection.Truncate(static_cast<int32_t>(m_rows.size()));
    if (m_selection.Empty()) return 0;
    // The kept stretches between the ranges move up, each once.
    size_t to = static_cast<size_t>(m_selection.Ranges().front().first);
    const std::vector<RowRange>& ranges = m_selection.Ranges();
    for (size_t i = 0; i < ranges.size(); ++i) {
        const size_t keptFrom = static_cast<size_t>(ranges[i].end);
        const size_t keptEnd = i + 1 < ranges.size() ? static_cast<size_t>(ranges[i + 1].first) : m_rows.size();
        std::move(m_rows.begin() + keptFrom, m_rows.begin() + keptEnd, m_rows.begin() + to);
        to += keptEnd - keptFrom;
    }
    const auto removed = static_cast<int32_t>(m_rows.size() - to);
    m_rows.resize(to);
    m_selection.Clear();
    Changed();
    return removed;
}

int64_t FileList::SelectedWithProposalCount() const {
    std::lock_guard lock(m_mutex);
    int64_t count = 0;
    for (const RowRange& range : m_selection.Ranges()) {
        for (int32_t row = range.first; row < range.end && ValidRow(row); ++row) {
            if (HasProposal(m_rows[static_cast<size_t>(row)])) ++count;
        }
    }
    return count;
}

int32_t FileList::NextSelectedWithProposal(int32_t from) const {
    std::lock_guard lock(m_mutex);
    return NextWithProposal(m_selection, from);
}

int32_t FileList::NextSelectedWithProposal(const SelectionRanges& selection, int32_t from) const {
    std::lock_guard lock(m_mutex);
    return NextWithProposal(selection, from);
}

int32_t FileList::NextWithProposal(const SelectionRanges& selection, int32_t from) const {
    int32_t row = selection.NextFrom(std::max(from, 0));
    while (row >= 0 && ValidRow(row)) {
        if (HasProposal(m_rows[static_cast<size_t>(row)])) return row;
        row = selection.NextFrom(row + 1);
    }
    return -1;
}

FileList::StatusCounts FileList::CountStatuses() const {
    std::lock_guard lock(m_mutex);
    StatusCounts counts;
    for (const Record& row : m_rows) {
        switch (row.status) {
            case STATUS_MISMATCH: ++counts.mismatches; break;
            case STATUS_MATCH: ++counts.matches; break;
            case STATUS_FOLDER: ++counts.folders; break;
            default: ++counts.unknown; break;
        }
    }
    return counts;
}

std::string FileList::PathOf(int32_t index) const {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index)) return {};
    const Record& row = m_rows[static_cast<size_t>(index)];
    std::string path = m_locations[row.location];
    path.append(NameOf(row));
    return path;
}

FileRow FileList::RowAt(int32_t index) const {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index)) return {};
    const Record& row = m_rows[static_cast<size_t>(index)];
    return FileRow{m_locations[row.location], std::string(NameOf(row)), {row.status, row.entryIndex},
                   m_selection.Contains(index)};
}

void FileList::SetStatusText(std::string text) {
    std::lock_guard lock(m_mutex);
    m_statusText = std::move(text);
    Changed();
}

std::string FileList::StatusText() const {
    std::lock_guard lock(m_mutex);
    return m_statusText;
}

void FileList::SetCountsText(std::string text) {
    std::lock_guard lock(m_mutex);
    if (text == m_countsText) return;
    m_countsText = std::move(text);
    Changed();
}

std::string FileList::CountsText() const {
    std::lock_guard lock(m_mutex);
    return m_countsText;
}
