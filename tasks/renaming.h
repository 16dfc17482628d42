// Giving files the extension their content calls for.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct NameProposal {
    std::string currentName;   // column 1 of the row
    std::string proposedName;  // base name + "." + the expected extension, or the current name
};

// The text after the last `separator` and the one character behind it
// ("JPEG image; jpg" gives "jpg"). Position 0 is never taken for the separator.
std::string TextAfterLast(std::string_view source, char separator);

NameProposal ProposeName(int32_t row);

struct RenameFailure {
    std::string oldPath;
    std::string newPath;
    std::string reason;
};

// Renames the row's file within its folder, never over another file. On
// success the row shows the new name and an empty column 2 and is checked
// again; on failure it keeps its texts and status.
std::optional<RenameFailure> RenameRow(int32_t row, const std::string& currentName, const std::string& newName);

// Renames every selected row to its proposal, top to bottom, going on after a
// failure; then hands the failures to `finished`. Expects TryBeginAutoRename
// to have succeeded and ends the renaming itself.
void AutoRenameWorker(const std::function<void(std::vector<RenameFailure>)>& finished);

// Tool > Auto Rename: starts the worker unless the rows are busy or a renaming
// already runs. Returns whether it started.
bool StartAutoRename(std::function<void(std::vector<RenameFailure>)> finished);

// One message listing every file that was not renamed and why.
std::string RenameFailureReport(const std::vector<RenameFailure>& failures);
