#include "platform/thread_start.h"

#include <windows.h>

#include <thread>

void StartDetachedThread(std::function<void()> body) { std::thread(std::move(body)).detach(); }

void LowerCurrentThreadPriority() { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL); }
