// Taking dropped files and folders into the list. The command line, the
// clipboard and the file dialog hand their paths in through the same door.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class FileList;
class ListState;

// Appends one row for a dropped path: its folder in column 0, its name in
// column 1, STATUS_UNKNOWN.
void AppendDroppedRow(FileList& rows, const std::string& path);

// The absolute paths in a text, one a line (a pasted list); other lines are
// left out.
std::vector<std::string> AbsolutePathsInText(const std::string& text);

// Takes the paths in on the calling thread: one row per path, then the new
// total in the status line. False, with nothing added, while intakes are refused.
bool DropWorker(ListState& state, const std::vector<std::string>& paths);

// What the window's drop handler does after copying the paths out of the
// drop: the intake counts as running from here, and a worker adds the rows.
// False, with nothing started, while intakes are refused.
bool StartDropIntake(ListState& state, std::vector<std::string> paths);

// The same, for paths that take long to produce (a million dropped names to
// convert): `producePaths` runs on the worker, after the intake has begun.
bool StartDropIntake(ListState& state, std::function<std::vector<std::string>()> producePaths);

// Shows the new total, followed by `note` when there is one; then the list
// is free again for whatever waited for the intake.
void EndDropIntake(ListState& state, const std::string& note = {});
