#include "engine/walked_paths.h"

#include <algorithm>

bool WalkedPaths::Add(std::vector<Entry>& batch) {
    if (batch.empty()) return true;
    std::vector<size_t> wake;
    {
        std::unique_lock lock(m_mutex);
        if (static_cast<int64_t>(m_entries.size()) >= m_mostAhead) {
            m_walkerWaiting = true;
            m_room.wait(lock, [this] { return m_cancelled || static_cast<int64_t>(m_entries.size()) <= m_mostAhead / 2; });
            m_walkerWaiting = false;
        }
        if (m_cancelled) return false;
        const int64_t begin = m_first + static_cast<int64_t>(m_entries.size());
        for (Entry& entry : batch) m_entries.push_back(std::move(entry));
        const int64_t end = begin + static_cast<int64_t>(batch.size());
        for (int64_t index = begin; index < std::min(end, begin + static_cast<int64_t>(kWakeLists)); ++index) {
            const size_t list = static_cast<size_t>(index) % kWakeLists;
            if (m_waiting[list] > 0) wake.push_back(list);
        }
    }
    batch.clear();
    for (const size_t list : wake) m_grown[list].notify_all();
    return true;
}

void WalkedPaths::Finish() {
    {
        std::lock_guard lock(m_mutex);
        m_finished = true;
    }
    for (std::condition_variable& grown : m_grown) grown.notify_all();
}

void WalkedPaths::Cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    for (std::condition_variable& grown : m_grown) grown.notify_all();
    m_room.notify_all();
}

bool WalkedPaths::Get(int64_t index, Entry& entry) {
    std::unique_lock lock(m_mutex);
    const auto known = [&] { return index < m_first + static_cast<int64_t>(m_entries.size()); };
    if (!known() && !Over()) {
        const size_t list = static_cast<size_t>(index) % kWakeLists;
        ++m_waiting[list];
        m_grown[list].wait(lock, [&] { return Over() || known(); });
        --m_waiting[list];
    }
    if (m_cancelled || !known() || index < m_first) return false;
    entry = m_entries[static_cast<size_t>(index - m_first)];
    return true;
}

void WalkedPaths::Release(int64_t index) {
    bool wakeWalker;
    {
        std::lock_guard lock(m_mutex);
        while (m_first < index && !m_entries.empty()) {
            m_entries.pop_front();
            ++m_first;
        }
        // Half the stretch free before the walk goes on: one wake-up per many entries.
        wakeWalker = m_walkerWaiting && static_cast<int64_t>(m_entries.size()) <= m_mostAhead / 2;
    }
    if (wakeWalker) m_room.notify_one();
}
