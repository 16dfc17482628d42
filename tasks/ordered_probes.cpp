#include "tasks/ordered_probes.h"

#include <algorithm>

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
    for (;;) {
        int64_t index;
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
            index = m_nextToClaim++;
        }
        Slot slot;
        slot.index = index;
        slot.item.index = index;
        slot.present = m_source(index, slot.item.path);
        if (slot.present) slot.item.probe = m_prober(slot.item.path);
        bool judgeWaits;
        {
            std::lock_guard lock(m_mutex);
            m_slots[static_cast<size_t>(index % m_depth)] = std::move(slot);
            judgeWaits = m_judgeWaiting;
        }
        if (judgeWaits) m_judgeWake.notify_one();
    }
}

bool OrderedProbes::Next(Item& item) {
    const int64_t index = m_nextToHand;
    bool present;
    bool wakeReaders;
    {
        std::unique_lock lock(m_mutex);
        Slot& slot = m_slots[static_cast<size_t>(index % m_depth)];
        m_judgeWaiting = true;
        m_judgeWake.wait(lock, [&] { return m_stopping || slot.index == index; });
        m_judgeWaiting = false;
        if (m_stopping) return false;
        present = slot.present;
        if (present) item = std::move(slot.item);
        slot.index = -1;
        ++m_nextToHand;
        wakeReaders = m_readersWaiting > 0 && m_nextToClaim <= m_nextToHand + m_depth / 2;
    }
    if (wakeReaders) m_readersWake.notify_all();
    if (present) return true;
    // A reader found no such item; the source may have grown since.
    item = Item{};
    item.index = index;
    if (!m_source(index, item.path)) return false;
    item.probe = m_prober(item.path);
    return true;
}
