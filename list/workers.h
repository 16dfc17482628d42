// The threads that drive the rows. Each runs with a stop token; stopping asks
// them all to stop at their next row and waits until every one has ended, so
// none outlives what it works on.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

class Workers {
public:
    Workers() = default;
    ~Workers() { StopAndJoin(); }
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

    // Runs `body` on a thread of its own; once stopped, nothing starts any more.
    void Start(std::function<void(std::stop_token)> body);

    // Asks every worker to stop and waits until all have ended.
    void StopAndJoin();

private:
    struct Worker {
        std::jthread thread;
        std::shared_ptr<std::atomic<bool>> ended;
    };

    std::mutex m_mutex;
    std::vector<Worker> m_workers;
    bool m_stopped = false;
};
