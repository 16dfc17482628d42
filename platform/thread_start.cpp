#include "platform/thread_start.h"

#include <thread>

void StartDetachedThread(std::function<void()> body) { std::thread(std::move(body)).detach(); }
