#include "filelist/shared_state.h"

std::atomic<int32_t> g_totalFiles{0};
std::atomic<int32_t> g_checkedFiles{0};
std::atomic<int32_t> g_currentItem{0};
std::atomic<int32_t> g_busy{0};
std::atomic<int32_t> g_stopRequested{0};
