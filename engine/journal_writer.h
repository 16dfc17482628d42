// Writing the rename journal (its text: journal_format.h) as runs of renames.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/append_file.h"
#include "platform/file_identity.h"

// $XDG_STATE_HOME/quorvane/renames.log, ~/.local/state when it is unset.
std::string DefaultJournalPath();

// A journal that has grown to this size is moved to its rotated path when a
// run opens it, and a new one begins: undo reads both.
inline constexpr int64_t kJournalRotationBytes = int64_t{64} << 20;

// renames.log.1 beside renames.log.
std::string RotatedJournalPath(const std::string& journalPath);

// What started a run, noted with its records ("auto", "dialog", "command", "undo").
enum class RenameRunKind { Auto, Dialog, Command, Undo };
const char* RenameRunKindText(RenameRunKind kind);

// One run: an Auto Rename, the dialogs of one double click, one command
// line rename or one undo. Holds the run id and appends its records; the
// journal is opened (its folders made) at the first record.
class RenameRun {
public:
    explicit RenameRun(std::string journalPath = DefaultJournalPath(), RenameRunKind kind = RenameRunKind::Command);
    RenameRun(const RenameRun&) = delete;
    RenameRun& operator=(const RenameRun&) = delete;

    const std::string& Id() const { return m_id; }
    const std::string& JournalPath() const { return m_path; }

    // Makes this run the undo of run `runId`, before its first record.
    void TakesBack(const std::string& runId);

    // Appends a done rename with what identifies the file and its folder,
    // when known, the whole record in one write. After a failure nothing
    // more is tried; the renames go on all the same.
    void Record(const std::string& folder, const std::string& oldName, const std::string& newName,
                const std::optional<FileIdentity>& file = std::nullopt,
                const std::optional<FileIdentity>& folderIdentity = std::nullopt);

    // The first failure to journal, once: empty on every later call.
    std::optional<std::string> TakeJournalProblem();

private:
    // The journal open for appending, its folders made; the problem's words when not.
    std::optional<std::string> Open();

    std::string m_path;
    std::string m_id;
    RenameRunKind m_kind;
    std::string m_undoes;
    uint64_t m_recorded = 0;
    AppendFile m_file;
    bool m_failed = false;
    bool m_problemTaken = false;
    std::string m_problem;
};
