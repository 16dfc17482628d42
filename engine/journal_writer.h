// Writing the rename journal (its text: journal_format.h) as runs of renames.
#pragma once

#include <optional>
#include <string>

#include "platform/append_file.h"

// $XDG_STATE_HOME/quorvane/renames.log, ~/.local/state when it is unset.
std::string DefaultJournalPath();

// One run: an Auto Rename, the dialogs of one double click, one command
// line rename or one undo. Holds the run id and appends its records; the
// journal is opened (its folders made) at the first record.
class RenameRun {
public:
    explicit RenameRun(std::string journalPath = DefaultJournalPath());
    RenameRun(const RenameRun&) = delete;
    RenameRun& operator=(const RenameRun&) = delete;

    const std::string& Id() const { return m_id; }
    const std::string& JournalPath() const { return m_path; }

    // Appends a done rename, the whole record in one write. After a failure
    // nothing more is tried; the renames go on all the same.
    void Record(const std::string& folder, const std::string& oldName, const std::string& newName);

    // The first failure to journal, once: empty on every later call.
    std::optional<std::string> TakeJournalProblem();

private:
    // The journal open for appending, its folders made; the problem's words when not.
    std::optional<std::string> Open();

    std::string m_path;
    std::string m_id;
    AppendFile m_file;
    bool m_failed = false;
    bool m_problemTaken = false;
    std::string m_problem;
};
