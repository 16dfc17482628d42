#include "platform/folder_listing.h"
#include "platform/folder_walk.h"

#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/error_text.h"

namespace {

// The type readdir reports costs nothing; only file systems that leave it
// unknown pay for a stat, which must not follow a symbolic link.
ListedEntry Classify(DIR* handle, const dirent& entry) {
    mode_t mode = 0;
    switch (entry.d_type) {
        case DT_DIR: mode = S_IFDIR; break;
        case DT_REG: mode = S_IFREG; break;
        case DT_UNKNOWN: {
            struct stat info {};
            if (::fstatat(::dirfd(handle), entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0) mode = info.st_mode;
            break;
        }
        default: break;
    }
    return {entry.d_name, S_ISDIR(mode), S_ISREG(mode)};
}

}  // namespace

Result<std::vector<ListedEntry>> ListFolder(const std::string& folder) {
    DIR* handle = ::opendir(folder.c_str());
    if (!handle) return ErrnoFailure(errno);
    std::vector<ListedEntry> listed;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(handle);
        if (!entry) break;
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        listed.push_back(Classify(handle, *entry));
    }
    const int error = errno;
    ::closedir(handle);
    if (error != 0) return ErrnoFailure(error);
    return listed;
}

char SeparatorAfter(const std::string&) { return '/'; }

bool IsRealFolder(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
