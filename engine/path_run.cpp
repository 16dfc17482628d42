#include "engine/path_run.h"

#include <atomic>
#include <thread>

#include "engine/walked_paths.h"
#include "platform/folder_walk.h"

namespace {

// Enough that readers find paths waiting, few enough that each batch is one
// short turn of the lock.
constexpr size_t kBatch = 256;

// The walker's side: paths gathered into batches, passed on when a batch is
// full or the walk is about to wait for a folder's listing.
class WalkBatches {
public:
    explicit WalkBatches(WalkedPaths& paths) : m_paths(paths) { m_batch.reserve(kBatch); }

    void Add(WalkedPaths::Entry entry) {
        m_batch.push_back(std::move(entry));
        if (m_batch.size() >= kBatch) Flush();
    }
    void Flush() { m_paths.Add(m_batch); }

private:
    WalkedPaths& m_paths;
    std::vector<WalkedPaths::Entry> m_batch;
};

}  // namespace

void RunPaths(const std::vector<std::string>& arguments, bool recursive, const FileIdTable& table, bool lookInside,
              const std::function<bool(const PathRunItem&)>& each, ReadAheadSettings settings) {
    WalkedPaths paths;
    std::atomic<bool> stop{false};
    std::thread walker([&] {
        WalkBatches batches(paths);
        FolderWalkVisitor visitor;
        visitor.entry = [&](const FolderEntry& entry) { batches.Add({entry.path, {}, entry.isRegularFile}); };
        visitor.unreadable = [&](const std::string& folder, const std::string& reason) {
            batches.Add({folder, reason, false});
        };
        visitor.waiting = [&] { batches.Flush(); };
        for (const std::string& argument : arguments) {
            if (stop) break;
            if (recursive && IsRealFolder(argument)) {
                batches.Flush();
                WalkFolder(argument, visitor, &stop);
            } else {
                batches.Add({argument, {}});
            }
        }
        batches.Flush();
        paths.Finish();
    });

    // A folder that could not be listed is carried as an item of its own and never probed.
    OrderedProbes probes(
        [&](int64_t index, OrderedProbes::Target& target) {
            WalkedPaths::Entry entry;
            if (!paths.Get(index, entry)) return false;
            if (entry.unreadableReason.empty()) target = {std::move(entry.path), entry.listedRegularFile};
            return true;
        },
        [lookInside](const OrderedProbes::Target& target) {
            return ProbeForCheck(target.path, lookInside, target.listedRegularFile);
        },
        settings);
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
        // Every few items, not every one: a turn of the lock per file shows on a warm check.
        if (item.index % 64 == 0) paths.Release(item.index);
        result.verdict = result.IsUnreadableFolder() ? PathVerdict{} : JudgeProbe(item.probe, result.path, table);
        if (!each(result)) break;
    }
    stop = true;
    paths.Cancel();
    probes.Stop();
    walker.join();
}
