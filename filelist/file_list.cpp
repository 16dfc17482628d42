#include "filelist/file_list.h"

#include <algorithm>

void FileList::Open() {
    std::lock_guard lock(m_mutex);
    m_open = true;
    m_rows.clear();
    m_statusText.clear();
    Changed();
}

void FileList::Close() {
    std::lock_guard lock(m_mutex);
    m_open = false;
    Changed();
}

bool FileList::IsOpen() const {
    std::lock_guard lock(m_mutex);
    return m_open;
}

int32_t FileList::RowCount() const {
    std::lock_guard lock(m_mutex);
    return m_open ? static_cast<int32_t>(m_rows.size()) : 0;
}

void FileList::AddRow(int32_t index, std::string location) {
    std::lock_guard lock(m_mutex);
    if (!m_open || index < 0 || index > static_cast<int32_t>(m_rows.size())) return;
    FileRow row;
    row.texts[kColumnLocation] = std::move(location);
    m_rows.insert(m_rows.begin() + index, std::move(row));
    Changed();
}

int32_t FileList::AppendRow(std::string location, std::string fileName, int32_t status) {
    std::lock_guard lock(m_mutex);
    if (!m_open) return -1;
    FileRow& row = m_rows.emplace_back();
    row.texts[kColumnLocation] = std::move(location);
    row.texts[kColumnFileName] = std::move(fileName);
    row.status = status;
    Changed();
    return static_cast<int32_t>(m_rows.size()) - 1;
}

void FileList::SetText(int32_t index, int column, std::string text) {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index) || column < 0 || column >= kColumnCount) return;
    m_rows[static_cast<size_t>(index)].texts[column] = std::move(text);
    Changed();
}

std::string FileList::GetText(int32_t index, int column) const {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index) || column < 0 || column >= kColumnCount) return {};
    return m_rows[static_cast<size_t>(index)].texts[column];
}

void FileList::SetImage(int32_t index, int32_t status) {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index) || status < STATUS_UNKNOWN || status > STATUS_FOLDER) return;
    m_rows[static_cast<size_t>(index)].status = status;
    Changed();
}

int32_t FileList::GetImage(int32_t index) const {
    std::lock_guard lock(m_mutex);
    return ValidRow(index) ? m_rows[static_cast<size_t>(index)].status : STATUS_UNKNOWN;
}

bool FileList::IsSelected(int32_t index) const {
    std::lock_guard lock(m_mutex);
    return ValidRow(index) && m_rows[static_cast<size_t>(index)].selected;
}

void FileList::Clear() {
    std::lock_guard lock(m_mutex);
    if (!m_open) return;
    m_rows.clear();
    m_rows.shrink_to_fit();
    Changed();
}

void FileList::SetSelected(int32_t index, bool selected) {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index)) return;
    m_rows[static_cast<size_t>(index)].selected = selected;
}

void FileList::SetAllSelected(bool selected) {
    std::lock_guard lock(m_mutex);
    if (!m_open) return;
    for (FileRow& row : m_rows) row.selected = selected;
}

int32_t FileList::RemoveSelected() {
    std::lock_guard lock(m_mutex);
    if (!m_open) return 0;
    const auto kept = std::remove_if(m_rows.begin(), m_rows.end(), [](const FileRow& row) { return row.selected; });
    const auto removed = static_cast<int32_t>(m_rows.end() - kept);
    m_rows.erase(kept, m_rows.end());
    if (removed > 0) Changed();
    return removed;
}

std::string FileList::PathOf(int32_t index) const {
    std::lock_guard lock(m_mutex);
    if (!ValidRow(index)) return {};
    const FileRow& row = m_rows[static_cast<size_t>(index)];
    return row.texts[kColumnLocation] + row.texts[kColumnFileName];
}

FileRow FileList::RowAt(int32_t index) const {
    std::lock_guard lock(m_mutex);
    return ValidRow(index) ? m_rows[static_cast<size_t>(index)] : FileRow{};
}

void FileList::SetStatusText(std::string text) {
    std::lock_guard lock(m_mutex);
    if (!m_open) return;
    m_statusText = std::move(text);
    Changed();
}

std::string FileList::StatusText() const {
    std::lock_guard lock(m_mutex);
    return m_statusText;
}

FileList& TheFileList() {
    // Never destroyed: detached workers may still reach it while the process ends.
    static FileList* list = new FileList;
    return *list;
}

void SetStatusText(const std::string& text) { TheFileList().SetStatusText(text); }
