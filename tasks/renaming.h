// Giving files the extension their content calls for.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "signature/file_id_table.h"
#include "signature/verdict.h"

struct NameProposal {
    std::string currentName;   // column 1 of the row
    std::string proposedName;  // base name + "." + the expected extension, or the current name
};

// The name a file called `fileName` should carry by `verdict`: its base name
// and the extension of the fitting entry when the extension is wrong, else
// the name unchanged.
std::string ProposedName(std::string_view fileName, const FileIdTable& table, const Verdict& verdict);

NameProposal ProposeName(int32_t row);

struct RenameFailure {
    std::string oldPath;
    std::string newPath;
    std::string reason;
};

// Renames `currentName` in `folder` (which ends with its separator) to
// `newName` in the same folder, never over another file. A new name that is
// not a single name in that folder is refused and nothing is touched.
std::optional<RenameFailure> RenameInFolder(const std::string& folder, const std::string& currentName,
                                            const std::string& newName);

// The same for a row. On success the row shows the new name and an empty
// column 2 and is checked again; on failure it keeps its texts and status.
std::optional<RenameFailure> RenameRow(int32_t row, const std::string& currentName, const std::string& newName);

// Renames every selected row to its proposal, top to bottom, going on after a
// failure; then hands the failures to `finished`. Expects the renaming to
// have begun in the run state and ends it itself.
void AutoRenameWorker(const std::function<void(std::vector<RenameFailure>)>& finished);

// Tool > Auto Rename: starts the worker unless something else changes the
// rows or a renaming already runs. Returns whether it started.
bool StartAutoRename(std::function<void(std::vector<RenameFailure>)> finished);

// One message listing every file that was not renamed and why.
std::string RenameFailureReport(const std::vector<RenameFailure>& failures);
