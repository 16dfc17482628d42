#include "engine/ordered_probes.h"

#include <algorithm>
#include <chrono>

#include "platform/thread_priority.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsOf(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

double Now() { return SecondsOf(Clock::now().time_since_epoch()); }

int StartReaders(const ReadAheadSettings& settings) { return std::max(1, settings.threads); }

int MostReaders(const ReadAheadSettings& settings) { return std::max(StartReaders(settings), settings.maxThreads); }

int64_t DepthPerReader(const ReadAheadSettings& settings) {
    return std::max<int64_t>(1, std::max(1, settings.depth) / StartReaders(settings));
}

}  // namespace

OrderedProbes::OrderedProbes(PathSource source, Prober prober, ReadAheadSettings settings)
    : OrderedProbes(TargetSource([source = std::move(source)](int64_t index, Target& target) {
                        return source(index, target.path);
                    }),
                    TargetProber([prober = std::move(prober)](const Target& target) { return prober(target.path); }),
                    settings) {}

OrderedProbes::OrderedProbes(TargetSource source, TargetProber prober, ReadAheadSettings settings)
    : m_source(std::move(source)),
      m_prober(std::move(prober)),
      m_depthPerReader(DepthPerReader(settings)),
      m_baseDepth(std::max(1, settings.depth)),
      m_capacity(std::max(m_baseDepth, m_depthPerReader * MostReaders(settings))),
      m_slots(static_cast<size_t>(m_capacity)),
      m_window(m_baseDepth),
      m_tuned(MostReaders(settings) > StartReaders(settings)),
      m_tuner({StartReaders(settings), MostReaders(settings)}) {
    SetReaders(std::clamp(StartReaders(settings), 1, static_cast<int>(m_baseDepth)));
}

OrderedProbes::~OrderedProbes() { Stop(); }

void OrderedProbes::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_readersWake.notify_all();
    m_parkedWake.notify_all();
    m_judgeWake.notify_all();
    std::lock_guard pool(m_poolMutex);
    for (std::thread& reader : m_readers) {
        if (reader.joinable()) reader.join();
    }
}

void OrderedProbes::SetReaders(int readers) {
    std::lock_guard pool(m_poolMutex);
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping) return;
        m_active = readers;
        m_peak = std::max(m_peak.load(), readers);
        // Each reader claims a few rows at a time: the window grows with the
        // pool, or the readers added would find nothing to claim.
        m_window = std::clamp<int64_t>(readers * m_depthPerReader, m_baseDepth, m_capacity);
    }
    // Parked readers are woken rather than new ones started.
    m_parkedWake.notify_all();
    m_readersWake.notify_all();
    for (int id = static_cast<int>(m_readers.size()); id < readers; ++id) {
        m_readers.emplace_back([this, id] { ReaderLoop(id); });
    }
}

void OrderedProbes::ReaderLoop(int id) {
    LowerCurrentThreadPriority();
    std::vector<Slot> done;
    int64_t rowsPerClaim = kRowsPerClaim;
    for (;;) {
        int64_t first;
        int64_t count;
        {
            std::unique_lock lock(m_mutex);
            if (id >= m_active) m_parkedWake.wait(lock, [&] { return m_stopping || id < m_active; });
            if (!m_stopping && m_nextToClaim >= m_nextToHand + m_window) {
                // Sleep until half the window is free: one wake-up per many
                // rows instead of one per row when the cache answers at once.
                ++m_readersWaiting;
                m_readersWake.wait(lock, [this] {
                    return m_stopping || m_nextToClaim <= m_nextToHand + m_window / 2;
                });
                --m_readersWaiting;
            }
            if (m_stopping) return;
            if (id >= m_active) {
                m_readersWake.notify_one();  // the room this reader was woken for goes to another
                continue;
            }
            if (m_nextToClaim >= m_nextToHand + m_window) continue;
            first = m_nextToClaim;
            count = std::min<int64_t>(rowsPerClaim, m_nextToHand + m_window - m_nextToClaim);
            m_nextToClaim += count;
            m_lastClaim = rowsPerClaim;
        }
        done.clear();
        // Only the probes are timed: a reader waiting for the walk to find
        // a path says nothing about the disk.
        Clock::duration probing{};
        int64_t probes = 0;
        for (int64_t index = first; index < first + count && !m_stopping; ++index) {
            Slot& slot = done.emplace_back();
            slot.index = index;
            slot.item.index = index;
            Target target;
            slot.present = m_source(index, target);
            if (!slot.present) continue;
            const Clock::time_point start = Clock::now();
            slot.item.probe = m_prober(target);
            probing += Clock::now() - start;
            slot.item.path = std::move(target.path);
            ++probes;
        }
        const bool quick = probes > 0 && SecondsOf(probing) < kQuickRowSeconds * static_cast<double>(probes);
        rowsPerClaim = quick ? kRowsPerQuickClaim : kRowsPerClaim;
        bool judgeWaits;
        {
            std::lock_guard lock(m_mutex);
            for (Slot& slot : done) m_slots[static_cast<size_t>(slot.index % m_capacity)] = std::move(slot);
            m_counts.probes += probes;
            m_counts.probeSeconds += SecondsOf(probing);
            judgeWaits = m_judgeWaiting;
        }
        if (judgeWaits) m_judgeWake.notify_one();
    }
}

bool OrderedProbes::TakeReadySlots() {
    m_ready.clear();
    m_readyNext = 0;
    int64_t wakeReaders;
    Clock::duration waited{};
    ReaderPoolTuner::Counts counts;
    {
        std::unique_lock lock(m_mutex);
        const auto ready = [this] {
            return m_slots[static_cast<size_t>(m_nextToHand % m_capacity)].index == m_nextToHand;
        };
        if (!ready() && !m_stopping) {
            // A reader woken for room may have been one the tuner just parked:
            // never wait for a row nobody claims while readers sleep.
            if (m_readersWaiting > 0 && m_nextToClaim <= m_nextToHand + m_window / 2) m_readersWake.notify_all();
            const Clock::time_point start = Clock::now();
            m_judgeWaiting = true;
            m_judgeWake.wait(lock, [&] { return m_stopping || ready(); });
            m_judgeWaiting = false;
            waited = Clock::now() - start;
        }
        if (m_stopping) return false;
        // Everything ready in a row, in one turn of the lock.
        while (ready() && static_cast<int64_t>(m_ready.size()) < m_capacity) {
            Slot& slot = m_slots[static_cast<size_t>(m_nextToHand % m_capacity)];
            m_ready.push_back(std::move(slot));
            slot.index = -1;
            ++m_nextToHand;
        }
        counts = m_counts;
        const int64_t free = m_nextToHand + m_window - m_nextToClaim;
        // As many readers as there are claims to make, not all of them.
        wakeReaders = m_readersWaiting > 0 && free >= m_window / 2
                          ? std::min<int64_t>(m_readersWaiting, (free + m_lastClaim - 1) / m_lastClaim)
                          : 0;
    }
    for (int64_t i = 0; i < wakeReaders; ++i) m_readersWake.notify_one();
    if (m_tuned) Tune(SecondsOf(waited), counts);
    return true;
}

void OrderedProbes::Tune(double waited, ReaderPoolTuner::Counts counts) {
    m_judgeWaited += waited;
    counts.waited = m_judgeWaited;
    const int readers = m_tuner.Observe(Now(), counts);
    if (readers != m_active) SetReaders(readers);
}

bool OrderedProbes::Next(Item& item) {
    if (m_stopping) return false;
    if (m_readyNext == m_ready.size() && !TakeReadySlots()) return false;
    Slot& slot = m_ready[m_readyNext++];
    if (slot.present) {
        item = std::move(slot.item);
        return true;
    }
    // A reader found no such item; the source may have grown since.
    item = Item{};
    item.index = slot.index;
    Target target;
    if (!m_source(slot.index, target)) return false;
    item.probe = m_prober(target);
    item.path = std::move(target.path);
    return true;
}
