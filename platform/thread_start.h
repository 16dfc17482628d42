// Starting a worker that runs at once, is never joined, and ends by returning.
#pragma once

#include <functional>

void StartDetachedThread(std::function<void()> body);

// Lets the calling thread give way to the window's: background readers and
// judges run at a lower priority, so a busy check never slows the user's clicks.
void LowerCurrentThreadPriority();
