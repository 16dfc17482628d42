// Reading a run back from the rename journal (its text: journal_format.h).
#pragma once

#include <string>
#include <vector>

#include "engine/journal_format.h"
#include "platform/failure.h"

// The records of run `runId` in file order, or of the last run in the
// journal when `runId` is empty. A line that is no record (a comment, or one
// another program left half written) is passed over. A failure when the
// journal cannot be read (it is no regular file: a link, a pipe, a device, a
// folder), holds no such run, or names a newer version than
// kJournalVersion in its first line: its records may mean something else, and
// a rename taken back by a wrong reading could not be undone again.
Result<std::vector<JournalRecord>> ReadJournalRun(const std::string& journalPath, const std::string& runId);
