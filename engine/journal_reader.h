// Reading a run back from the rename journal (its text: journal_format.h),
// from the end, where the run to take back is.
#pragma once

#include <string>
#include <vector>

#include "engine/journal_format.h"
#include "platform/failure.h"

struct JournalRun {
    std::string id;
    std::string kind;  // of journal_format.h's note; empty when its records have none
    std::vector<JournalRecord> records;  // in the order they were written
    // The lines that could not be read on the way, in words:
    // "line 1,204 of renames.log is damaged: skipped".
    std::vector<std::string> damagedLines;
    // Whether one of those may have been a record of this run, or of a newer
    // run that would have been chosen instead: the run may be incomplete.
    bool mayBeIncomplete = false;
};

// Run `runId`, or when `runId` is empty the newest run that is no undo and
// that no undo has taken back. Reads the journal from its end, then the
// rotated one before it, until the run's first record: memory follows the
// run, not the journal. Records of two programs that appended at once need
// not be adjacent.
//
// A failure when the journal cannot be read (it is no regular file: a link,
// a pipe, a device, a folder), holds no such run, or names a newer version
// than kJournalVersion in its first line: its records may mean something
// else, and a rename taken back by a wrong reading could not be undone again.
Result<JournalRun> ReadJournalRun(const std::string& journalPath, const std::string& runId);
