// The rows of the file list, the status line, and the one lock that makes
// every operation on them whole. The window's list view only reads this model.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "list/selection_ranges.h"
#include "signature/verdict.h"

inline constexpr int kColumnLocation = 0;
inline constexpr int kColumnFileName = 1;
inline constexpr int kColumnExpectType = 2;
inline constexpr int kColumnCount = 3;

// A copy of one row, for the view and for tests.
struct FileRow {
    std::string location;  // bytes as the file system gave them, ending with the separator
    std::string fileName;
    Verdict verdict;
    bool selected = false;

    int32_t Status() const { return verdict.status; }
};

class FileList {
public:
    int32_t RowCount() const;
    // Adds a whole row at the end in one step, so rows of two drops taken in
    // at the same time never mix their columns. Returns its index, or -1.
    int32_t AppendRow(std::string_view location, std::string_view fileName, int32_t status = STATUS_UNKNOWN);
    void SetFileName(int32_t index, std::string_view fileName);
    // Columns 0 and 1 as stored; the expected type is derived from the
    // verdict by whoever holds the table (ListState::CellText).
    std::string GetText(int32_t index, int column) const;

    void SetImage(int32_t index, int32_t status);  // a status without a table entry
    void SetVerdict(int32_t index, const Verdict& verdict);
    Verdict VerdictOf(int32_t index) const;
    // Empties the expected type; the status stays until the row is checked again.
    void ClearExpectedType(int32_t index);

    void Clear();

    // The selection lives here as ranges; the view draws it and asks nothing per row.
    bool IsSelected(int32_t index) const;
    void SetSelected(int32_t index, bool selected);
    void SetAllSelected(bool selected);
    int64_t SelectedCount() const;
    SelectionRanges Selection() const;
    // Changes the selection in one step; `edit` gets the ranges and the row count.
    template <class Edit>
    void EditSelection(Edit edit) {
        std::lock_guard lock(m_mutex);
        edit(m_selection, static_cast<int32_t>(m_rows.size()));
        m_selection.Truncate(static_cast<int32_t>(m_rows.size()));
        Changed();
    }
    // Selects exactly the rows that show `status`; returns how many.
    int64_t SelectStatus(int32_t status);
    // The nearest row after (`forward`) or before `from` that shows `status`,
    // going round the end of the list; -1 when there is none.
    int32_t FindStatus(int32_t from, bool forward, int32_t status) const;
    // Takes the selected rows out of the list (never off the disk), keeping
    // the others in order, in one pass. Returns how many went.
    int32_t RemoveSelected();

    // A selected row has a proposal when its check found a fitting entry
    // whose extension differs: the rows the rename dialogs are for.
    int64_t SelectedWithProposalCount() const;
    // The first row of `selection` (the current one when not given) with a
    // proposal at or after `from`, or -1.
    int32_t NextSelectedWithProposal(int32_t from) const;
    int32_t NextSelectedWithProposal(const SelectionRanges& selection, int32_t from) const;

    struct StatusCounts {
        int32_t mismatches = 0, matches = 0, unknown = 0, folders = 0;
    };
    StatusCounts CountStatuses() const;

    // The full path of a row: its location followed directly by its name.
    std::string PathOf(int32_t index) const;
    FileRow RowAt(int32_t index) const;

    void SetStatusText(std::string text);
    std::string StatusText() const;
    void SetCountsText(std::string text);
    std::string CountsText() const;

    // Raised by every change; the view repaints when it differs from the one it drew.
    uint64_t Revision() const { return m_revision.load(std::memory_order_acquire); }

private:
    // Rows are small and hold no heap blocks of their own: a folder's text is
    // stored once for all its rows, names lie end to end in one buffer.
    struct Record {
        uint32_t location;
        uint32_t nameLength;
        uint64_t nameOffset;
        int32_t entryIndex;
        int8_t status;
    };

    int32_t NextWithProposal(const SelectionRanges& selection, int32_t from) const;
    static bool HasProposal(const Record& row) { return row.status == STATUS_MISMATCH && row.entryIndex >= 0; }
    bool ValidRow(int32_t index) const { return index >= 0 && index < static_cast<int32_t>(m_rows.size()); }
    void Changed() { m_revision.fetch_add(1, std::memory_order_release); }
    uint32_t LocationId(std::string_view location);
    std::string_view NameOf(const Record& row) const { return std::string_view(m_names).substr(row.nameOffset, row.nameLength); }
    void StoreName(Record& row, std::string_view fileName);
    void ResetStorage();

    mutable std::mutex m_mutex;
    std::vector<Record> m_rows;
    std::deque<std::string> m_locations;  // a deque keeps the texts the index points into in place
    std::unordered_map<std::string_view, uint32_t> m_locationIndex;
    uint32_t m_lastLocation = UINT32_MAX;
    std::string m_names;
    SelectionRanges m_selection;
    std::string m_statusText;
    std::string m_countsText;
    std::atomic<uint64_t> m_revision{0};
};
