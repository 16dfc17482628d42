// Starting a worker that runs at once, is never joined, and ends by returning.
#pragma once

#include <functional>

void StartDetachedThread(std::function<void()> body);
