#include "platform/file_io.h"

#include <cerrno>
#include <sys/stat.h>

#include "platform/error_text.h"

std::optional<Failure> CreateFolders(const std::string& folder) {
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at != folder.size() && folder[at] != '/') continue;
        const std::string part = folder.substr(0, at);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return ErrnoFailure(errno);
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return ErrnoFailure(errno);
    if (!S_ISDIR(info.st_mode)) return ErrnoFailure(ENOTDIR);
    return std::nullopt;
}

bool EntryExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool SameFile(const std::string& a, const std::string& b, SymbolicLinks links) {
    const auto identify = [links](const std::string& path, struct stat& info) {
        return (links == SymbolicLinks::Follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) == 0;
    };
    struct stat sa {}, sb {};
    return identify(a, sa) && identify(b, sb) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
