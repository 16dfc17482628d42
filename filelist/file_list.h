// The rows of the file list, the status line, and the one lock that makes
// every operation on them whole. The window's list view only reads this model.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// Status values, which are also indices into the list's image list.
enum : int32_t {
    STATUS_UNKNOWN = 0,
    STATUS_MISMATCH = 1,
    STATUS_MATCH = 2,
    STATUS_FOLDER = 3,
};

inline constexpr int kColumnLocation = 0;
inline constexpr int kColumnFileName = 1;
inline constexpr int kColumnExpectType = 2;
inline constexpr int kColumnCount = 3;

struct FileRow {
    std::string texts[kColumnCount];  // bytes as the file system gave them
    int32_t status = STATUS_UNKNOWN;
    bool selected = false;
};

class FileList {
public:
    // The window opens the list when it is created and closes it when it is
    // destroyed; while closed every operation does nothing (and reads give
    // empty answers), as a worker's message to a window that is gone would.
    void Open();
    void Close();
    bool IsOpen() const;

    int32_t RowCount() const;
    void AddRow(int32_t index, std::string location);
    // Adds a whole row at the end in one step, so rows of two drops taken in
    // at the same time never mix their columns. Returns its index, or -1.
    int32_t AppendRow(std::string location, std::string fileName, int32_t status);
    void SetText(int32_t index, int column, std::string text);
    std::string GetText(int32_t index, int column) const;
    void SetImage(int32_t index, int32_t status);
    int32_t GetImage(int32_t index) const;
    bool IsSelected(int32_t index) const;
    void Clear();

    // Selection is the view's, mirrored here so workers can read it cheaply.
    void SetSelected(int32_t index, bool selected);
    void SetAllSelected(bool selected);
    // Takes the selected rows out of the list (never off the disk), keeping
    // the others in order. Returns how many went.
    int32_t RemoveSelected();

    // The full path of a row: column 0 followed directly by column 1.
    std::string PathOf(int32_t index) const;
    // A copy of one row, for the view.
    FileRow RowAt(int32_t index) const;

    void SetStatusText(std::string text);
    std::string StatusText() const;

    // Raised by every change; the view repaints when it differs from the one it drew.
    uint64_t Revision() const { return m_revision.load(std::memory_order_acquire); }

private:
    bool ValidRow(int32_t index) const { return m_open && index >= 0 && index < static_cast<int32_t>(m_rows.size()); }
    void Changed() { m_revision.fetch_add(1, std::memory_order_release); }

    mutable std::mutex m_mutex;
    bool m_open = false;
    std::vector<FileRow> m_rows;
    std::string m_statusText;
    std::atomic<uint64_t> m_revision{0};
};

// The list of the main window; lives as long as the process.
FileList& TheFileList();

// The one way to change the status line; does nothing while no window is open.
void SetStatusText(const std::string& text);
