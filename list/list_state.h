// What the main window's list holds while the window is open: the rows with
// the status line, who may change them, the signature table, the choice of
// the second look, the check run's count and the workers that drive the rows.
// The window owns one. It is destroyed only after its workers were stopped
// and joined, so a worker never outlives the rows it works on and a rename
// always ends with its journal record.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "list/file_list.h"
#include "list/run_state.h"
#include "list/undo_offer.h"
#include "list/workers.h"
#include "signature/file_id_table.h"

struct UnreadableFolder {
    std::string path;
    std::string reason;
};

class ListState {
public:
    explicit ListState(std::shared_ptr<const FileIdTable> table = std::make_shared<FileIdTable>());
    ~ListState() { StopWorkers(); }
    ListState(const ListState&) = delete;
    ListState& operator=(const ListState&) = delete;

    FileList& Rows() { return m_rows; }
    const FileList& Rows() const { return m_rows; }
    RunState& Runs() { return m_runs; }
    const RunState& Runs() const { return m_runs; }

    // The table checks use; a run keeps the one it started with.
    std::shared_ptr<const FileIdTable> Table() const;
    void SetTable(std::shared_ptr<const FileIdTable> table);

    // Tool > Look Inside Documents; a run keeps the choice it started with.
    bool LookInside() const { return m_lookInside.load(std::memory_order_relaxed); }
    void SetLookInside(bool enabled) { m_lookInside.store(enabled, std::memory_order_relaxed); }

    int32_t TotalFiles() const { return m_rows.RowCount(); }
    // Files opened and matched since the check run started.
    int32_t CheckedFiles() const { return m_checkedFiles.load(std::memory_order_relaxed); }
    void ResetCheckedFiles() {
        m_checkedFiles.store(0, std::memory_order_relaxed);
        m_unreadableFiles.store(0, std::memory_order_relaxed);
    }
    void CountCheckedFile() { m_checkedFiles.fetch_add(1, std::memory_order_relaxed); }

    // Rows whose file could not be examined or read in the check run.
    int32_t UnreadableFiles() const { return m_unreadableFiles.load(std::memory_order_relaxed); }
    void CountUnreadableFile() { m_unreadableFiles.fetch_add(1, std::memory_order_relaxed); }

    void SetStatusText(std::string text) { m_rows.SetStatusText(std::move(text)); }
    // The status line's second field: the counts after a check, or nothing.
    void SetCountsText(std::string text) { m_rows.SetCountsText(std::move(text)); }
    std::string CountsText() const { return m_rows.CountsText(); }

    // The folders the last folder intake could not read, when several: the
    // window takes them once and lists them.
    void PostUnreadableFolders(std::vector<UnreadableFolder> folders);
    std::vector<UnreadableFolder> TakeUnreadableFolders();

    // The rename journal this list's runs append to and Undo reads.
    const std::string& JournalPath() const { return m_journalPath; }
    // Before any run: the journal stays the same for the state's life.
    void SetJournalPath(std::string path) { m_journalPath = std::move(path); }

    // What Undo would take back, as last read from the journal; nothing when
    // no run is left.
    std::optional<UndoOffer> GetUndoOffer() const;
    void SetUndoOffer(std::optional<UndoOffer> offer);

    // A cell as the view shows it: columns 0 and 1 as stored, column 2 the
    // expected type named by the row's verdict.
    std::string CellText(int32_t row, int column) const;

    // Runs `body` on a worker that is asked to stop, and waited for, when the
    // state goes or StopWorkers is called.
    void StartWorker(std::function<void(std::stop_token)> body) { m_workers.Start(std::move(body)); }
    // Stops and joins every worker; nothing starts afterwards.
    void StopWorkers() { m_workers.StopAndJoin(); }

private:
    FileList m_rows;
    RunState m_runs;
    mutable std::mutex m_tableMutex;
    std::shared_ptr<const FileIdTable> m_table;
    std::atomic<bool> m_lookInside{true};
    std::atomic<int32_t> m_checkedFiles{0};
    std::atomic<int32_t> m_unreadableFiles{0};
    std::mutex m_foldersMutex;
    std::vector<UnreadableFolder> m_unreadableFolders;
    std::string m_journalPath;
    mutable std::mutex m_undoMutex;
    std::optional<UndoOffer> m_undoOffer;
    // Last, so the workers are joined before anything they use is destroyed.
    Workers m_workers;
};
