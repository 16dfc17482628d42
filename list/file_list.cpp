#include "list/file_list.h"

#include <algorithm>


int32_t FileList::RowCount() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int32_t>(m_rows.size());
}

void FileList::ResetStorage() {
    std::vector<Record>().swap(m_rows);
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
    return ValidRow(index) && m_rows[static_cast<size_t>(index)].selected;
}

void FileList::Clear() {
    std::lock_guard lock(m_mutex);
    ResetStorage();
    Changed();
}

void FileList::SetSelected(int32_t index, bool selected) {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index)) return;
    m_rows[static_cast<size_t>(index)].selected = selected;
}

void FileList::SetAllSelected(bool selected) {
    std::lock_guard lock(m_mutex);
    for (Record& row : m_rows) row.selected = selected;
}

int32_t FileList::RemoveSelected() {
    std::lock_guard lock(m_mutex);
    const auto kept = std::remove_if(m_rows.begin(), m_rows.end(), [](const Record& row) { return row.selected; });
    const auto removed = static_cast<int32_t>(m_rows.end() - kept);
    m_rows.erase(kept, m_rows.end());
    if (removed > 0) Changed();
    return removed;
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
    return FileRow{m_locations[row.location], std::string(NameOf(row)), {row.status, row.entryIndex}, row.selected};
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
