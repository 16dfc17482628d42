#include "platform/file_identity.h"

#include <cerrno>
#include <sys/stat.h>

#include "platform/error_text.h"

Result<FileIdentity> IdentityOfEntry(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return ErrnoFailure(errno);
    return FileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
                        static_cast<uint64_t>(info.st_size)};
}

Result<FileIdentity> IdentityOfFolder(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return ErrnoFailure(errno);
    if (!S_ISDIR(info.st_mode)) return ErrnoFailure(ENOTDIR);
    return FileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino), 0};
}
