#include "platform/file_status.h"

#include <cerrno>
#include <sys/stat.h>

#include "platform/error_text.h"
#include "platform/linux/mode_attributes.h"

uint8_t AttributesFromMode(unsigned mode, bool isDirectory, const std::string& path) {
    uint8_t attributes = 0;
    if (isDirectory) attributes |= kAttributeDirectory;
    if ((mode & 0222) == 0) attributes |= kAttributeReadOnly;
    std::string_view name = path;
    while (name.size() > 1 && name.back() == '/') name.remove_suffix(1);
    const size_t slash = name.rfind('/');
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") attributes |= kAttributeHidden;
    return attributes;
}

Result<FileStatus> GetFileStatus(const std::string& path) {
    if (path.empty()) return ErrnoFailure(ENOENT);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return ErrnoFailure(errno);
    FileStatus status;
    status.attributes = AttributesFromMode(info.st_mode, S_ISDIR(info.st_mode), path);
    status.isRegularFile = S_ISREG(info.st_mode);
    return status;
}
