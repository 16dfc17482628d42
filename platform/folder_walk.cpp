#include "platform/folder_walk.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

#include "platform/error_text.h"

namespace {

struct Child {
    std::string name;
    unsigned char type;
};

// The kind from the listing when the file system gives it, else from lstat.
unsigned char KindOf(const std::string& path, unsigned char listedType) {
    if (listedType != DT_UNKNOWN) return listedType;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return DT_UNKNOWN;
    if (S_ISDIR(info.st_mode)) return DT_DIR;
    if (S_ISREG(info.st_mode)) return DT_REG;
    return DT_UNKNOWN;
}

}  // namespace

bool IsRealFolder(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool WalkFolder(const std::string& folder, const FolderWalkVisitor& visitor, const std::atomic<bool>* stop) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        if (visitor.unreadable) visitor.unreadable(folder, ErrorText(errno));
        return true;
    }
    std::vector<Child> children;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") children.push_back({std::string(name), entry->d_type});
    }
    ::closedir(dir);
    std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) { return a.name < b.name; });

    const std::string prefix = !folder.empty() && folder.back() == '/' ? folder : folder + "/";
    for (const Child& child : children) {
        if (stop && stop->load(std::memory_order_relaxed)) return false;
        const std::string path = prefix + child.name;
        const unsigned char kind = KindOf(path, child.type);
        if (kind == DT_DIR) {
            if (!WalkFolder(path, visitor, stop)) return false;
        } else if (visitor.entry) {
            visitor.entry(FolderEntry{path, kind == DT_REG});
        }
    }
    return true;
}
