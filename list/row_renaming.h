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

// Tool > Auto Rename: renames every selected row to its proposal, top to
// bottom, on a worker, going on after a failure, then hands the failures to
// `finished`. A stop ends it between two files: the rename under way is
// finished and journalled first. False, with nothing started, unless the
// rows are free.
bool StartAutoRename(ListState& state, RenameRunFinished finished);

// Tool > Undo Last Rename Run: like Auto Rename, on a worker; rows that show
// a name taken back get the old name and are checked again.
bool StartUndoLastRun(ListState& state, RenameRunFinished finished);
