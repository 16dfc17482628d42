// The rename journal: every rename the program performs, one record a line,
// so that a run can be taken back.
//
// A record is five fields separated by tabs and ended by a newline:
//   time (UTC, 2026-01-31T12:00:00Z)  run id  folder  old name  new name
// Every byte below 0x21, '%', 0x7F and every byte from 0x80 is written as
// '%' and two upper-case hex digits, so tabs, newlines and names that are
// not UTF-8 survive unchanged and the file stays plain ASCII.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct JournalRecord {
    std::string time;
    std::string runId;
    std::string folder;  // ends with its separator
    std::string oldName;
    std::string newName;
};

// $XDG_STATE_HOME/quorvane/renames.log, ~/.local/state when it is unset.
std::string DefaultJournalPath();

std::string EncodeJournalField(std::string_view bytes);
// Empty when the text is not a well-formed field.
std::optional<std::string> DecodeJournalField(std::string_view text);
std::string EncodeJournalRecord(const JournalRecord& record);
std::optional<JournalRecord> DecodeJournalRecord(std::string_view line);

// One run: an Auto Rename, the dialogs of one double click, one command
// line rename or one undo. Holds the run id and appends its records; the
// journal is opened (its folders made) at the first record.
class RenameRun {
public:
    explicit RenameRun(std::string journalPath = DefaultJournalPath());
    ~RenameRun();
    RenameRun(const RenameRun&) = delete;
    RenameRun& operator=(const RenameRun&) = delete;

    const std::string& Id() const { return m_id; }
    const std::string& JournalPath() const { return m_path; }

    // Appends a done rename and flushes it. After a failure nothing more is
    // tried; the renames go on all the same.
    void Record(const std::string& folder, const std::string& oldName, const std::string& newName);

    // The first failure to journal, once: empty on every later call.
    std::optional<std::string> TakeJournalProblem();

private:
    std::string m_path;
    std::string m_id;
    std::FILE* m_file = nullptr;
    bool m_failed = false;
    bool m_problemTaken = false;
    std::string m_problem;
};

// The records of run `runId` in file order, or of the last run in the
// journal when `runId` is empty. Empty with `error` set when there is none.
std::vector<JournalRecord> ReadJournalRun(const std::string& journalPath, const std::string& runId,
                                          std::string& error);
