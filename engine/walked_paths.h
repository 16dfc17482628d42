// The paths a walk finds, handed from the walker thread to the readers ahead
// and to the judge. The walker adds them in batches; a reader waiting for one
// path is woken by the batch that holds it, not by every batch. Only the
// stretch between the judge and the walk is kept, and the walk waits when it
// runs too far ahead, so a tree of millions of files costs bounded memory.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

class WalkedPaths {
public:
    struct Entry {
        std::string path;
        std::string unreadableReason;  // set for a folder the walk could not list
        bool listedRegularFile = false;  // the folder listing named it a regular file
    };

    // `mostAhead` must exceed how far readers run ahead of the judge, or a
    // reader would wait for a path the walk holds back for the judge.
    explicit WalkedPaths(int64_t mostAhead = kMostAhead) : m_mostAhead(mostAhead) {}

    // Appends `batch` (emptied) after the entries so far; waits while the
    // walk is `mostAhead` entries beyond the judge. False once cancelled.
    bool Add(std::vector<Entry>& batch);
    // No more entries will come.
    void Finish();
    // Ends every wait; Get and Add return false from now on.
    void Cancel();

    // Waits until entry `index` exists (true) or the walk is over (false).
    bool Get(int64_t index, Entry& entry);
    // The judge is done with every entry before `index`.
    void Release(int64_t index);

    static constexpr int64_t kMostAhead = 1 << 14;

private:
    // Waiters are spread over many condition variables by the index they wait for.
    static constexpr size_t kWakeLists = 256;

    bool Over() const { return m_finished || m_cancelled; }

    const int64_t m_mostAhead;
    std::mutex m_mutex;
    std::array<std::condition_variable, kWakeLists> m_grown;
    std::array<int, kWakeLists> m_waiting{};
    std::condition_variable m_room;
    bool m_walkerWaiting = false;
    std::deque<Entry> m_entries;  // entries m_first onwards
    int64_t m_first = 0;
    bool m_finished = false;
    bool m_cancelled = false;
};
