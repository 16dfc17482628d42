#include "engine/path_run.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/folder_walk.h"

namespace {

// The paths to judge, found by a walker thread while the judging goes on.
class WalkedPaths {
public:
    struct Entry {
        std::string path;
        std::string unreadableReason;
    };

    void Add(Entry entry) {
        bool waited;
        {
            std::lock_guard lock(m_mutex);
            m_entries.push_back(std::move(entry));
            waited = m_waiting > 0;
        }
        // Readers run behind the walk nearly always: a wake-up per path would cost more than the path.
        if (waited) m_grown.notify_all();
    }
    void Finish() {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_grown.notify_all();
    }
    // Waits until entry `index` exists or the walk is over.
    bool Get(int64_t index, Entry& entry) {
        std::unique_lock lock(m_mutex);
        ++m_waiting;
        m_grown.wait(lock, [&] { return m_finished || index < static_cast<int64_t>(m_entries.size()); });
        --m_waiting;
        if (index >= static_cast<int64_t>(m_entries.size())) return false;
        entry = m_entries[static_cast<size_t>(index)];
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_grown;
    std::deque<Entry> m_entries;  // a long walk grows it without copying what it holds
    bool m_finished = false;
    int m_waiting = 0;
};

}  // namespace

void RunPaths(const std::vector<std::string>& arguments, bool recursive, const FileIdTable& table, bool lookInside,
              const std::function<bool(const PathRunItem&)>& each, ReadAheadSettings settings) {
    WalkedPaths paths;
    std::atomic<bool> stop{false};
    std::thread walker([&] {
        const FolderWalkVisitor visitor{
            [&](const FolderEntry& entry) { paths.Add({entry.path, {}}); },
            [&](const std::string& folder, const std::string& reason) { paths.Add({folder, reason}); }};
        for (const std::string& argument : arguments) {
            if (stop) break;
            if (recursive && IsRealFolder(argument)) {
                WalkFolder(argument, visitor, &stop);
            } else {
                paths.Add({argument, {}});
            }
        }
        paths.Finish();
    });

    // A folder that could not be listed is carried as an item of its own and never probed.
    OrderedProbes probes(
        [&](int64_t index, std::string& path) {
            WalkedPaths::Entry entry;
            if (!paths.Get(index, entry)) return false;
            path = entry.unreadableReason.empty() ? entry.path : std::string();
            return true;
        },
        [lookInside](const std::string& path) { return ProbeForCheck(path, lookInside); }, settings);
    OrderedProbes::Item item;
    PathRunItem result;
    while (probes.Next(item)) {
        result.unreadableFolderReason.clear();
        // Only a folder note comes without its path: the walk is asked again for those alone.
        if (item.path.empty()) {
            WalkedPaths::Entry entry;
            paths.Get(item.index, entry);
            result.path = std::move(entry.path);
            result.unreadableFolderReason = std::move(entry.unreadableReason);
        } else {
            result.path = std::move(item.path);
        }
        result.verdict = result.IsUnreadableFolder() ? PathVerdict{} : JudgeProbe(item.probe, result.path, table);
        if (!each(result)) break;
    }
    stop = true;
    probes.Stop();
    walker.join();
}
