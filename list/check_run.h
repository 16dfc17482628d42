// Checking the rows of the list by their content.
#pragma once

#include <cstdint>
#include <string>

#include "list/run_state.h"

class ListState;
struct PathVerdict;

// Tool > Check: starts a run over the rows, or says that one is going on.
CheckCommand RequestCheckRun(ListState& state);
// The user confirmed "Stop OK?": shows the abort text and asks the run to
// stop. False, with the status line as it is, when the run had ended meanwhile.
bool ConfirmCheckStop(ListState& state);

// Counts the rows by status for the status line's second field; only once a
// check has shown counts, so a list never checked shows none.
void RefreshCounts(ListState& state);
// Shows the counts from here on (a check ended).
void ShowCounts(ListState& state);

// Checks one row now, on the calling thread: marks a folder, or reads up to 64
// leading bytes of a regular file and records the verdict.
void CheckItem(ListState& state, int32_t row);

// Records what the check found for `row`, whose path is `path`: the status
// line and the row's verdict. True when the file was opened and matched.
bool RecordCheck(ListState& state, int32_t row, const std::string& path, const PathVerdict& verdict);
