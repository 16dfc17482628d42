// Walking a folder tree in a fixed order, for taking a folder's contents in.
#pragma once

#include <atomic>
#include <functional>
#include <string>

// Every entry below `folder`, depth first, names in byte order; a real folder (not a symbolic link to one) is
// descended at its sorted place instead of being visited. Returns false if `stop` became true.
struct FolderEntry { std::string path; bool isRegularFile; };
struct FolderWalkVisitor {
    std::function<void(const FolderEntry&)> entry;                                   // each non-folder entry
    std::function<void(const std::string& folder, const std::string& reason)> unreadable;  // a folder that cannot be listed (reason: the system's words)
};
bool WalkFolder(const std::string& folder, const FolderWalkVisitor& visitor, const std::atomic<bool>* stop = nullptr);
