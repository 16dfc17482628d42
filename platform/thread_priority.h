// How the threads the program starts for background work run.
#pragma once

// Lets the calling thread give way to the window's: background readers and
// judges run at a lower priority, so a busy check never slows the user's clicks.
void LowerCurrentThreadPriority();
