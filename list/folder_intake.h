// File > Add Folder Contents: every regular file below a folder becomes a
// row, as if each had been dropped, in the order the folder walk gives.
#pragma once

#include <string>

class ListState;

// Marks the list busy at once, on the window's thread, then walks `folder` on
// a worker and appends a row per regular file. The status line shows the new
// total, and how many folders could not be read. False, with nothing
// started, while intakes are refused.
bool StartFolderIntake(ListState& state, std::string folder);
