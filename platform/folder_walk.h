// Walking a folder tree in a fixed, sorted order.
#pragma once

#include <atomic>
#include <functional>
#include <string>

struct FolderEntry {
    std::string path;
    bool isRegularFile;
};

struct FolderWalkVisitor {
    std::function<void(const FolderEntry&)> entry;  // each entry that is not a folder
    std::function<void(const std::string& folder, const std::string& reason)> unreadable;  // a folder that cannot be listed
    std::function<void()> waiting;  // the walk is about to wait for a folder's listing: pass on what it gave so far
};

// Every entry below `folder`, depth first, names in byte order; a real folder
// (not a symbolic link to one) is descended at its sorted place instead of
// being visited. Returns false if `stop` became true. Folders below are
// listed ahead on a few threads; the order stays that of one folder after
// the other.
bool WalkFolder(const std::string& folder, const FolderWalkVisitor& visitor, const std::atomic<bool>* stop = nullptr);

// Whether `path` is a folder itself, not a symbolic link to one.
bool IsRealFolder(const std::string& path);
