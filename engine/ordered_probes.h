// Probing paths ahead of the one being judged, on a pool of threads, and
// handing the results back strictly in order. A cold disk serves many reads
// at once, a network share hundreds; the judge still sees one path after the
// other.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/reader_pool_tuner.h"
#include "platform/path_probe.h"

struct ReadAheadSettings {
    int threads;          // readers working at the start
    int depth;            // how far ahead of the judge they may read, at the start
    int maxThreads = 0;   // readers the pool may grow to while that pays; 0: `threads`, fixed
};

// Tuned on a 2-core machine with a virtual disk (make bench, cold): 1 reader
// 12-18 s for 100,000 files, 4: 4.2-6.7 s, 8: 3.7-4.0 s, 16: 2.9-3.3 s,
// 32: 2.5-2.8 s, 64: 3.7-5.3 s. Warm checks lose nothing at 32: readers sleep
// while the window ahead is full and run below the window's priority. On a
// share with 5 ms a request, 32 readers make about 2,000 files a second
// (three requests a file); 256 reach the share's own limit (make bench-share).
inline constexpr ReadAheadSettings kDefaultReadAhead{32, 256, 256};

class OrderedProbes {
public:
    // Gives the path of item `index`, or false when there is no such item
    // (yet: a list may grow while it is checked, so the end is asked again).
    using PathSource = std::function<bool(int64_t index, std::string& path)>;
    using Prober = std::function<PathProbe(const std::string& path)>;

    // A path with what its folder listing said of it, for sources that know.
    struct Target {
        std::string path;
        bool listedRegularFile = false;
    };
    using TargetSource = std::function<bool(int64_t index, Target& target)>;
    using TargetProber = std::function<PathProbe(const Target& target)>;

    struct Item {
        int64_t index = -1;
        std::string path;
        PathProbe probe;
    };

    OrderedProbes(PathSource source, Prober prober, ReadAheadSettings settings = kDefaultReadAhead);
    OrderedProbes(TargetSource source, TargetProber prober, ReadAheadSettings settings = kDefaultReadAhead);
    ~OrderedProbes();
    OrderedProbes(const OrderedProbes&) = delete;
    OrderedProbes& operator=(const OrderedProbes&) = delete;

    // The next item in order; false at the end of the source or after Stop.
    bool Next(Item& item);

    // Ends the readers; when it returns no probe is running any more.
    void Stop();

    // Readers at work now, and the most there were at once.
    int Readers() const { return m_active.load(); }
    int PeakReaders() const { return m_peak.load(); }

private:
    struct Slot {
        int64_t index = -1;
        bool present = false;
        Item item;
    };

    void ReaderLoop(int id);
    // The judge's side: moves the slots ready in order, from the next one
    // on, into m_ready; false once stopped.
    bool TakeReadySlots();
    // Asks the tuner after a take and starts or parks readers as it says.
    void Tune(double waited, ReaderPoolTuner::Counts counts);
    void SetReaders(int readers);

    // Rows a reader claims at once: a few while a read takes its time, more
    // when the cache answers at once, for fewer turns of the lock and wake-ups.
    static constexpr int64_t kRowsPerClaim = 4;
    static constexpr int64_t kRowsPerQuickClaim = 64;
    static constexpr double kQuickRowSeconds = 50e-6;

    TargetSource m_source;
    TargetProber m_prober;
    const int64_t m_depthPerReader;
    const int64_t m_baseDepth;
    const int64_t m_capacity;  // the ring holds the window of the largest pool
    std::mutex m_mutex;
    std::condition_variable m_readersWake;
    std::condition_variable m_parkedWake;
    std::condition_variable m_judgeWake;
    std::vector<Slot> m_slots;  // item i lives in slot i % capacity
    int64_t m_window;           // how far ahead of the judge readers claim
    int64_t m_nextToClaim = 0;
    int64_t m_nextToHand = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_active{0};  // readers with a lower id work, the others are parked
    std::atomic<int> m_peak{0};
    std::vector<Slot> m_ready;  // the judge's own: slots taken out, not handed back yet
    size_t m_readyNext = 0;
    bool m_judgeWaiting = false;
    int m_readersWaiting = 0;
    int64_t m_lastClaim = kRowsPerClaim;  // how many rows the last claim took: the judge wakes that many fewer readers
    ReaderPoolTuner::Counts m_counts;     // the readers' part of the tuner's measure
    // The judge's own, for the tuner.
    bool m_tuned;
    ReaderPoolTuner m_tuner;
    double m_judgeWaited = 0;
    std::mutex m_poolMutex;  // the threads: started by the judge, joined by Stop
    std::vector<std::thread> m_readers;
};
