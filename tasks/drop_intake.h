// Taking dropped files and folders into the list. The command line, the
// clipboard and the file dialog hand their paths in through the same door.
#pragma once

#include <cstdint>
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

// Every intake is busy, and refuses further drops, from the moment it is
// handed over until its rows are in.
void BeginDropIntake();
// Adds `rowsAdded` to the total and shows it, followed by `note` when there
// is one; then the list is free again.
void EndDropIntake(int32_t rowsAdded, const std::string& note = {});
