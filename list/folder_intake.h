// File > Add Folder Contents: every regular file below a folder becomes a
// row, as if each had been dropped, in the order the folder walk gives.
#pragma once

#include <string>

class ListState;

// Walks `folder` on this thread and appends a row per regular file. The
// status line shows the new total, and how many folders could not be read.
// False, with nothing added, while intakes are refused.
bool FolderIntakeWorker(ListState& state, const std::string& folder);

// Marks the list busy at once, on the window's thread, then walks on a worker.
bool StartFolderIntake(ListState& state, std::string folder);
