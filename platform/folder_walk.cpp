#include "platform/folder_walk.h"

#include <algorithm>
#include <vector>

#include "platform/folder_listing.h"

namespace {

// The whole listing is read before anything is visited, so the folder is
// closed again before its subfolders are opened: a deep tree holds one
// handle at a time.
bool Walk(const std::string& folder, const FolderWalkVisitor& visitor, const std::atomic<bool>* stop) {
    Result<std::vector<ListedEntry>> listing = ListFolder(folder);
    if (!listing) {
        if (visitor.unreadable) visitor.unreadable(folder, listing.GetFailure().reason);
        return !(stop && *stop);
    }
    std::vector<ListedEntry>& listed = *listing;
    // std::string compares as unsigned bytes: the order does not depend on
    // the locale, and UTF-8 names sort by code point.
    std::sort(listed.begin(), listed.end(),
              [](const ListedEntry& a, const ListedEntry& b) { return a.name < b.name; });
    const char separator = SeparatorAfter(folder);
    const std::string prefix = folder.empty() || folder.back() == separator || folder.back() == '/'
                                   ? folder
                                   : folder + separator;
    for (ListedEntry& item : listed) {
        if (stop && *stop) return false;
        std::string path = prefix + item.name;
        if (item.isRealFolder) {
            if (!Walk(path, visitor, stop)) return false;
        } else if (visitor.entry) {
            visitor.entry(FolderEntry{std::move(path), item.isRegularFile});
        }
    }
    return true;
}

}  // namespace

bool WalkFolder(const std::string& folder, const FolderWalkVisitor& visitor, const std::atomic<bool>* stop) {
    if (stop && *stop) return false;
    return Walk(folder, visitor, stop);
}
