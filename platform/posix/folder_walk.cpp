#include "platform/folder_walk.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/error_text.h"

namespace {

enum class Kind { Folder, RegularFile, Other };

struct Listed {
    std::string name;
    Kind kind;
};

Kind KindFromMode(mode_t mode) {
    if (S_ISDIR(mode)) return Kind::Folder;
    return S_ISREG(mode) ? Kind::RegularFile : Kind::Other;
}

// The type readdir reports costs nothing; only file systems that leave it
// unknown pay for a stat, which must not follow a symbolic link.
Kind KindOf(DIR* handle, const dirent& entry) {
    switch (entry.d_type) {
        case DT_DIR: return Kind::Folder;
        case DT_REG: return Kind::RegularFile;
        case DT_UNKNOWN: {
            struct stat info {};
            if (::fstatat(::dirfd(handle), entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) return Kind::Other;
            return KindFromMode(info.st_mode);
        }
        default: return Kind::Other;
    }
}

// The whole listing is read before anything is visited, so the folder is
// closed again before its subfolders are opened: a deep tree holds one
// descriptor at a time.
bool ListFolder(const std::string& folder, std::vector<Listed>& listed, std::string& reason) {
    DIR* handle = ::opendir(folder.c_str());
    if (!handle) {
        reason = ErrorText(errno);
        return false;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(handle);
        if (!entry) break;
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        listed.push_back({entry->d_name, KindOf(handle, *entry)});
    }
    const int error = errno;
    ::closedir(handle);
    if (error != 0) {
        reason = ErrorText(error);
        return false;
    }
    // std::string compares as unsigned bytes: the order does not depend on the locale.
    std::sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) { return a.name < b.name; });
    return true;
}

bool Walk(const std::string& folder, const FolderWalkVisitor& visitor, const std::atomic<bool>* stop) {
    std::vector<Listed> listed;
    std::string reason;
    if (!ListFolder(folder, listed, reason)) {
        if (visitor.unreadable) visitor.unreadable(folder, reason);
        return !(stop && *stop);
    }
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    for (Listed& item : listed) {
        if (stop && *stop) return false;
        std::string path = prefix + item.name;
        if (item.kind == Kind::Folder) {
            if (!Walk(path, visitor, stop)) return false;
        } else if (visitor.entry) {
            visitor.entry(FolderEntry{std::move(path), item.kind == Kind::RegularFile});
        }
    }
    return true;
}

}  // namespace

bool WalkFolder(const std::string& folder, const FolderWalkVisitor& visitor, const std::atomic<bool>* stop) {
    if (stop && *stop) return false;
    return Walk(folder, visitor, stop);
}

bool IsRealFolder(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
