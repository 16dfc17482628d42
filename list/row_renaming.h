// Renaming the rows of the list: one row from the dialog, the selected rows
// by Auto Rename, and taking the last run back; the rows follow their files.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/rename.h"

class ListState;

struct NameProposal {
    std::string currentName;   // column 1 of the row
    std::string proposedName;  // base name + "." + the expected extension, or the current name
};

NameProposal ProposeName(const ListState& state, int32_t row);

// Renames the row's file. On success the row shows the new name and an empty
// column 2 and is checked again; on failure it keeps its texts and status.
std::optional<RenameFailure> RenameRow(ListState& state, int32_t row, const std::string& currentName,
                                       const std::string& newName, RenameRun& run);

using RenameRunFinished = std::function<void(RenameRunReport)>;

// The reason given for a selected row that has no proposal and whose file is gone.
extern const char* const kNoProposalMissing;

// Tool > Auto Rename: renames every selected row with a proposal to it, top
// to bottom, on a worker, going on after a failure; a selected row without a
// proposal is reported only when its file is gone. At the end the status
// line says how many were renamed and the failures go to `finished`. A stop
// ends it between two files: the rename under way is finished and journalled
// first. False, with nothing started, unless the rows are free.
bool StartAutoRename(ListState& state, RenameRunFinished finished);

// Tool > Undo: takes back the newest run not taken back yet (never an undo),
// like Auto Rename on a worker; rows that show a name taken back get the old
// name and are checked again, and the status line says how many. Journal
// lines it could not read, and renames taken back by name alone, go into
// the report's notice.
bool StartUndoLastRun(ListState& state, RenameRunFinished finished);

// Reads from the journal which run Undo would take back, for its menu item;
// each rename run and undo does so as it ends. StartFindingRunToUndo does it on a worker.
void FindRunToUndo(ListState& state);
void StartFindingRunToUndo(ListState& state);
