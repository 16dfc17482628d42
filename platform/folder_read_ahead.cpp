#include "platform/folder_read_ahead.h"

#include <algorithm>

#include "platform/thread_priority.h"

std::vector<ListedEntry> SortedListing(std::vector<ListedEntry> listing) {
    std::sort(listing.begin(), listing.end(), [](const ListedEntry& a, const ListedEntry& b) { return a.name < b.name; });
    return listing;
}

namespace {

FolderReadAhead::Listing ListSorted(const std::string& folder) {
    Result<std::vector<ListedEntry>> listing = ListFolder(folder);
    if (!listing) return listing;
    return SortedListing(std::move(*listing));
}

}  // namespace

FolderReadAhead::FolderReadAhead(int threads, int mostAhead)
    : m_mostThreads(static_cast<size_t>(std::max(0, threads))), m_mostAhead(std::max(1, mostAhead)) {}

FolderReadAhead::~FolderReadAhead() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_work.notify_all();
    for (std::thread& lister : m_listers) lister.join();
}

bool FolderReadAhead::MayStart() const { return m_ahead < m_mostAhead; }

void FolderReadAhead::Ask(Place place, std::string folder) {
    bool wake;
    {
        std::lock_guard lock(m_mutex);
        m_pending.emplace(std::move(place), Pending{std::move(folder)});
        wake = m_idle > 0;
        // A lister is started only when none is free: a walk of a few
        // folders on a fast disk starts few.
        if (!wake && m_listers.size() < m_mostThreads && MayStart()) {
            m_listers.emplace_back([this] { ListerLoop(); });
        }
    }
    if (wake) m_work.notify_one();
}

bool FolderReadAhead::Ready(const Place& place) {
    std::lock_guard lock(m_mutex);
    const auto found = m_pending.find(place);
    return found != m_pending.end() && found->second.done;
}

FolderReadAhead::Listing FolderReadAhead::Take(const Place& place, const std::string& folder) {
    std::unique_lock lock(m_mutex);
    const auto found = m_pending.find(place);
    if (found == m_pending.end() || !found->second.started) {
        if (found != m_pending.end()) m_pending.erase(found);
        lock.unlock();
        return ListSorted(folder);
    }
    m_listed.wait(lock, [&] { return found->second.done; });
    Listing listing = std::move(found->second.listing);
    m_pending.erase(found);
    --m_ahead;
    lock.unlock();
    m_work.notify_one();
    return listing;
}

void FolderReadAhead::ListerLoop() {
    LowerCurrentThreadPriority();
    std::unique_lock lock(m_mutex);
    for (;;) {
        auto next = m_pending.end();
        const auto found = [&] {
            if (!MayStart()) return false;
            next = std::find_if(m_pending.begin(), m_pending.end(), [](const auto& item) { return !item.second.started; });
            return next != m_pending.end();
        };
        ++m_idle;
        m_work.wait(lock, [&] { return m_stopping || found(); });
        --m_idle;
        if (m_stopping) return;
        Pending& pending = next->second;
        pending.started = true;
        ++m_ahead;
        lock.unlock();
        Listing listing = ListSorted(pending.folder);
        lock.lock();
        pending.listing = std::move(listing);
        pending.done = true;
        m_listed.notify_all();
    }
}
