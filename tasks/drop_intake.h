// Taking dropped files and folders into the list.
#pragma once

#include <string>
#include <vector>

// Appends one row per path: its folder in column 0, its name in column 1,
// STATUS_UNKNOWN; then shows the new total. `paths` are this drop's own copy.
void DropWorker(std::vector<std::string> paths);

// Appends one row for a dropped path: its folder in column 0, its name in
// column 1, STATUS_UNKNOWN.
void AppendDroppedRow(const std::string& path);

// What the window's drop handler does after copying the paths out of the drop.
void StartDropIntake(std::vector<std::string> paths);
