#include "engine/ordered_probes.h"

#include <algorithm>

#include "platform/thread_priority.h"

OrderedProbes::OrderedProbes(PathSource source, Prober prober, ReadAheadSettings settings)
    : m_source(std::move(source)),
      m_prober(std::move(prober)),
      m_depth(std::max(1, settings.depth)),
      m_slots(static_cast<size_t>(m_depth)) {
    const int threads = std::clamp(settings.threads, 1, static_cast<int>(m_depth));
    m_readers.reserve(static_cast<size_t>(threads));
    for (int i = 0; i < threads; ++i) m_readers.emplace_back([this] { ReaderLoop(); });
}

OrderedProbes::~OrderedProbes() { Stop(); }

void OrderedProbes::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_readersWake.notify_all();
    m_judgeWake.notify_all();
    for (std::thread& reader : m_readers) {
        if (reader.joinable()) reader.join();
    }
}

void OrderedProbes::ReaderLoop() {
    LowerCurrentThreadPriority();
    std::vector<Slot> done;
    for (;;) {
        int64_t first;
        int64_t count;
        {
            std::unique_lock lock(m_mutex);
            if (!m_stopping && m_nextToClaim >= m_nextToHand + m_depth) {
                // Sleep until half the window is free: one wake-up per many
                // rows instead of one per row when the cache answers at once.
                ++m_readersWaiting;
                m_readersWake.wait(lock, [this] { return m_stopping || m_nextToClaim <= m_nextToHand + m_depth / 2; });
                --m_readersWaiting;
            }
            if (m_stopping) return;
            // A few rows at a time: fewer turns of the lock when the cache
            // answers at once, and still one read at a time per reader.
            first = m_nextToClaim;
            count = std::min<int64_t>(kRowsPerClaim, m_nextToHand + m_depth - m_nextToClaim);
            m_nextToClaim += count;
        }
        done.clear();
        for (int64_t index = first; index < first + count && !m_stopping; ++index) {
            Slot& slot = done.emplace_back();
            slot.index = index;
            slot.item.index = index;
            slot.present = m_source(index, slot.item.path);
            if (slot.present) slot.item.probe = m_prober(slot.item.path);
        }
        bool judgeWaits;
        {
            std::lock_guard lock(m_mutex);
            for (Slot& slot : done) m_slots[static_cast<size_t>(slot.index % m_depth)] = std::move(slot);
            judgeWaits = m_judgeWaiting;
        }
        if (judgeWaits) m_judgeWake.notify_one();
    }
}

bool OrderedProbes::TakeReadySlots() {
    m_ready.clear();
    m_readyNext = 0;
    bool wakeReaders;
    {
        std::unique_lock lock(m_mutex);
        const auto ready = [this] { return m_slots[static_cast<size_t>(m_nextToHand % m_depth)].index == m_nextToHand; };
        m_judgeWaiting = true;
        m_judgeWake.wait(lock, [&] { return m_stopping || ready(); });
        m_judgeWaiting = false;
        if (m_stopping) return false;
        // Everything ready in a row, in one turn of the lock.
        while (ready() && static_cast<int64_t>(m_ready.size()) < m_depth) {
            Slot& slot = m_slots[static_cast<size_t>(m_nextToHand % m_depth)];
            m_ready.push_back(std::move(slot));
            slot.index = -1;
            ++m_nextToHand;
        }
        wakeReaders = m_readersWaiting > 0 && m_nextToClaim <= m_nextToHand + m_depth / 2;
    }
    if (wakeReaders) m_readersWake.notify_all();
    return true;
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
    if (!m_source(slot.index, item.path)) return false;
    item.probe = m_prober(item.path);
    return true;
}
