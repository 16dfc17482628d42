#include "list/workers.h"

void Workers::Start(std::function<void(std::stop_token)> body) {
    std::lock_guard lock(m_mutex);
    if (m_stopped) return;
    // Threads that have ended are joined here, so a long session of drops
    // does not pile them up; joining one that ended does not wait.
    std::erase_if(m_workers, [](const Worker& worker) { return worker.ended->load(std::memory_order_acquire); });
    auto ended = std::make_shared<std::atomic<bool>>(false);
    std::jthread thread([body = std::move(body), ended](std::stop_token stop) {
        body(stop);
        ended->store(true, std::memory_order_release);
    });
    m_workers.push_back({std::move(thread), std::move(ended)});
}

void Workers::StopAndJoin() {
    std::vector<Worker> workers;
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
        workers.swap(m_workers);
    }
    for (Worker& worker : workers) worker.thread.request_stop();
    for (Worker& worker : workers) worker.thread.join();
}
