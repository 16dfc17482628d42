// Counters and flags shared by the window and the workers. Atomic, so no
// thread reads a torn or stale value; all zero when the program starts.
#pragma once

#include <atomic>
#include <cstdint>

extern std::atomic<int32_t> g_totalFiles;     // rows the list is believed to hold
extern std::atomic<int32_t> g_checkedFiles;   // files opened and matched since the run started
extern std::atomic<int32_t> g_currentItem;    // the row being checked
extern std::atomic<int32_t> g_busy;           // 1 while a drop is taken in or a check runs
extern std::atomic<int32_t> g_stopRequested;  // 1 when the user asked a running check to stop
