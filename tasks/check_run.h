// Checking the rows of the list by their content.
#pragma once

// Checks the rows one after the other until the last one or a confirmed stop,
// then shows the summary and ends the run.
void CheckWorker();

// Checks the row `g_currentItem` names: marks a folder, or reads up to 64
// leading bytes of a regular file and records the matcher's verdict.
void CheckItem();
