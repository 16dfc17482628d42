// Folder listings read ahead of a depth-first walk on a few threads, the
// folder the walk will reach first listed first. On a network share each
// listing is a few round trips; the walk would otherwise pay them one folder
// after the other. Internal to the walk in folder_walk.cpp.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/failure.h"
#include "platform/folder_listing.h"

class FolderReadAhead {
public:
    // A folder's place in the walk: the sorted positions leading to it from
    // the first folder. Comparing places compares when the walk gets there.
    using Place = std::vector<uint32_t>;
    using Listing = Result<std::vector<ListedEntry>>;

    // At most `threads` listers and `mostAhead` folders listed or being
    // listed ahead of the walk: a tree of any size costs bounded memory.
    FolderReadAhead(int threads, int mostAhead);
    ~FolderReadAhead();
    FolderReadAhead(const FolderReadAhead&) = delete;
    FolderReadAhead& operator=(const FolderReadAhead&) = delete;

    // The walk will want `folder` at `place`.
    void Ask(Place place, std::string folder);
    // Whether the listing at `place` is there to take without waiting.
    bool Ready(const Place& place);
    // The listing at `place`, names sorted by byte; listed here when no
    // lister has started on it, else waited for.
    Listing Take(const Place& place, const std::string& folder);

private:
    struct Pending {
        std::string folder;
        bool started = false;
        bool done = false;
        Listing listing{Failure{}};
    };

    void ListerLoop();
    bool MayStart() const;

    const size_t m_mostThreads;
    const int m_mostAhead;
    std::mutex m_mutex;
    std::condition_variable m_work;
    std::condition_variable m_listed;
    std::map<Place, Pending> m_pending;  // by place: the first one not started is the next to list
    int m_ahead = 0;                     // started, listed or not yet taken
    int m_idle = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_listers;
};

// A listing's names in byte order: std::string compares as unsigned bytes,
// so the order does not depend on the locale and UTF-8 names sort by code point.
std::vector<ListedEntry> SortedListing(std::vector<ListedEntry> listing);
