// Counters shared by the window and the workers. Atomic, so no thread reads a
// torn or stale value; zero when the program starts.
#pragma once

#include <atomic>
#include <cstdint>

extern std::atomic<int32_t> g_totalFiles;    // rows the list is believed to hold
extern std::atomic<int32_t> g_checkedFiles;  // files opened and matched since the run started
