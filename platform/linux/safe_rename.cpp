#include "platform/safe_rename.h"

#include "platform/error_text.h"
#include "platform/text_compare.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

RenameOutcome Success() { return RenameOutcome{true, 0, {}}; }

RenameOutcome Failure(int error) { return RenameOutcome{false, error, ErrorText(error)}; }

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return ::lstat(a.c_str(), &sa) == 0 && ::lstat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// For file systems without an atomic no-replace rename: a hard link fails
// atomically when the target exists; folders and link-less file systems fall
// back to a check right before the rename.
RenameOutcome RenameWithoutNoReplaceSupport(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) == 0) {
        if (::unlink(from.c_str()) == 0) return Success();
        const int error = errno;
        ::unlink(to.c_str());
        return Failure(error);
    }
    if (errno == EEXIST) return Failure(EEXIST);
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) return Failure(EEXIST);
    if (::rename(from.c_str(), to.c_str()) == 0) return Success();
    return Failure(errno);
}

}  // namespace

RenameOutcome RenameNoReplace(const std::string& from, const std::string& to) {
    if (from == to) {
        struct stat info {};
        return ::lstat(from.c_str(), &info) == 0 ? Success() : Failure(errno);
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return Success();
    const int error = errno;
    if (error == EEXIST) {
        // On a case-insensitive file system the "other" name is the file itself.
        if (EqualsIgnoreAsciiCase(from, to) && SameFile(from, to)) {
            if (::rename(from.c_str(), to.c_str()) == 0) return Success();
            return Failure(errno);
        }
        return Failure(EEXIST);
    }
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP) return RenameWithoutNoReplaceSupport(from, to);
    return Failure(error);
}
