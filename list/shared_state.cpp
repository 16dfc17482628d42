#include "list/shared_state.h"

std::atomic<int32_t> g_totalFiles{0};
std::atomic<int32_t> g_checkedFiles{0};
