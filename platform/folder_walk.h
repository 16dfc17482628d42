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
};

// Every entry below `folder`, depth first, names in byte order; a real folder
// (not a symbolic link to one) is descended at its sorted place instead of
// being visited. Returns false if `stop` became true.
bool WalkFolder(const std::string& folder, const FolderWalkVisitor& visitor, const std::atomic<bool>* stop = nullptr);

// Whether `path` is a folder itself, not a symbolic link to one.
bool IsRealFolder(const std::string& path);
